#pragma once

#include <QString>
#include <stdexcept>

// An error of the settings store, with the text shown to the user.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

    static StoreError getFailed(const QString& name) {
        return StoreError(QStringLiteral("Failed to get data for '%1'").arg(name));
    }
    static StoreError invalidType(const QString& name) {
        return StoreError(QStringLiteral("Invalid data type for '%1'").arg(name));
    }
    static StoreError setFailed(const QString& name) {
        return StoreError(QStringLiteral("Failed to set data for '%1'").arg(name));
    }

private:
    QString message_;
};

// The store file cannot be used at all (damaged, not a database, unreadable).
class StoreOpenError : public StoreError {
public:
    using StoreError::StoreError;
};
