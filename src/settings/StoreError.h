#pragma once

#include <QString>
#include <stdexcept>

class StoreTypeError;

// An error of the settings store, with the text shown to the user.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

    static StoreError getFailed(const QString& name) {
        return StoreError(QStringLiteral("Failed to get data for '%1'").arg(name));
    }
    static StoreTypeError invalidType(const QString& name);
    static StoreError setFailed(const QString& name) {
        return StoreError(QStringLiteral("Failed to set data for '%1'").arg(name));
    }

private:
    QString message_;
};

// A value held as another type than the one read: a store damaged or
// edited by hand, which some reads take as a value that is not there.
class StoreTypeError : public StoreError {
public:
    using StoreError::StoreError;
};

inline StoreTypeError StoreError::invalidType(const QString& name) {
    return StoreTypeError(QStringLiteral("Invalid data type for '%1'").arg(name));
}

// The store file cannot be used at all (damaged, not a database, unreadable).
class StoreOpenError : public StoreError {
public:
    using StoreError::StoreError;
};
