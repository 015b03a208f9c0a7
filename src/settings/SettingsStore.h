#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "settings/KeyPath.h"
#include "settings/StoreDatabase.h"

// One subkey's values as SettingsStore::ReadSubkeyValues read them, with the
// handle's reading rules: an absent string reads as "", an absent integer or
// a value of another type throws StoreError.
class SubkeyValues {
public:
    explicit SubkeyValues(StoreDatabase::ChildValues key) : key_(std::move(key)) {}
    const QString& name() const { return key_.name; }
    bool ValueExists(const QString& name) const { return find(name) != nullptr; }
    QString ReadString(const QString& name) const;
    int ReadInteger(const QString& name) const;
    bool ReadBool(const QString& name) const { return ReadInteger(name) != 0; }

private:
    const StoreDatabase::Value* find(const QString& name) const;
    StoreDatabase::ChildValues key_;
};

// A handle on the settings store with one current key. Handles are cheap:
// make one per task and drop it. Reads always go to the file; writes are
// committed before the call returns.
class SettingsStore {
public:
    explicit SettingsStore(std::shared_ptr<StoreDatabase> database);

    // A path beginning with "\" starts at the top of the store, any other at
    // the current key. On failure the current key stays as it was.
    bool OpenKey(const QString& path, bool canCreate);
    bool OpenKey(const KeyPath& path, bool canCreate);
    void CloseKey();

    bool KeyExists(const QString& path);
    bool KeyExists(const KeyPath& path);
    bool DeleteKey(const QString& path);
    bool DeleteKey(const KeyPath& path);
    // Deletes the keys that exist among `paths` in one transaction, so that a
    // command removing thousands of entries commits once; false when the
    // store refused, and then none is deleted.
    bool DeleteKeys(const QList<KeyPath>& paths);
    // Nothing happens unless `oldPath` exists and `newPath` does not.
    void MoveKey(const QString& oldPath, const QString& newPath, bool deleteOld);
    void MoveKey(const KeyPath& oldPath, const KeyPath& newPath, bool deleteOld);
    QStringList GetKeyNames();
    // The values `valueNames` of every subkey of the current key, in the
    // order of GetKeyNames, read from the file in one pass: for walking tens
    // of thousands of game keys at once.
    std::vector<SubkeyValues> ReadSubkeyValues(const QStringList& valueNames);

    bool ValueExists(const QString& name);
    // An absent value reads as "".
    QString ReadString(const QString& name);
    // These throw StoreError when the value is absent or of another type.
    int ReadInteger(const QString& name);
    bool ReadBool(const QString& name);
    double ReadDateTime(const QString& name);

    // These throw StoreError("Failed to set data ...") when no key is current
    // or the store refuses the write.
    void WriteString(const QString& name, const QString& text);
    void WriteInteger(const QString& name, int value);
    void WriteBool(const QString& name, bool value);
    void WriteDateTime(const QString& name, double value);
    bool DeleteValue(const QString& name);

private:
    std::optional<qint64> find(const KeyPath& path);
    std::optional<qint64> findOrCreate(const KeyPath& path);
    qint64 startOf(const KeyPath& path) const;
    void write(const QString& name, const StoreDatabase::Value& value);

    std::shared_ptr<StoreDatabase> db_;
    std::optional<qint64> current_;
};
