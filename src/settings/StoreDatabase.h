#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The SQLite file behind the settings store: a tree of keys with typed
// values. Every call is its own committed transaction unless it says
// otherwise. Key id 0 is the top of the user's store.
class StoreDatabase {
public:
    enum class ValueType { String = 1, ExpandString = 2, Binary = 3, Integer = 4 };
    struct Value {
        ValueType type;
        QString text;
        qint64 integer = 0;
        QByteArray binary;
    };

    // Opens or creates the file; throws StoreOpenError with a clear message
    // when it is not a usable store. An existing file is never replaced.
    static std::shared_ptr<StoreDatabase> open(const QString& file);
    // $BRIVANEL_STORE, else $XDG_CONFIG_HOME/brivanel/registry.sqlite.
    static QString defaultLocation();

    ~StoreDatabase();
    StoreDatabase(const StoreDatabase&) = delete;
    StoreDatabase& operator=(const StoreDatabase&) = delete;

    const QString& file() const { return file_; }

    std::optional<qint64> findChild(qint64 parent, const QString& name);
    // Creates the child when missing; nothing on failure.
    std::optional<qint64> createChild(qint64 parent, const QString& name);
    bool keyExists(qint64 id);
    QStringList childNames(qint64 parent);
    // Removes the key, its values and all keys below it.
    bool deleteTree(qint64 id);
    // Removes several such trees in one transaction: all of them or none.
    bool deleteTrees(const std::vector<qint64>& ids);
    // Copies values and subkeys of `from` into `to`, at every depth.
    bool copyTree(qint64 from, qint64 to);

    std::optional<Value> readValue(qint64 key, const QString& name);
    // The values named `valueNames` (ignoring case) of every child of
    // `parent`, children in the order of childNames; one query, read afresh.
    struct ChildValues {
        QString name;
        std::vector<std::pair<QString, Value>> values;  // case-folded value name, value
    };
    std::vector<ChildValues> childValues(qint64 parent, const QStringList& valueNames);
    // False when the key no longer exists or the write failed.
    bool writeValue(qint64 key, const QString& name, const Value& value);
    bool deleteValue(qint64 key, const QString& name);

    // The calls between these are one transaction, committed at the end:
    // a run of thousands of small writes then costs one commit instead of
    // one each. Reads on this store see the writes at once. beginBatch is
    // false (and every call commits on its own) when the store refused it.
    bool beginBatch();
    bool commitBatch();
    void rollbackBatch();

private:
    explicit StoreDatabase(QString file);
    sqlite3_stmt* statement(const char* sql);
    bool exec(const char* sql);
    // The single number a PRAGMA query returns; 0 when it fails.
    qint64 pragmaValue(const char* sql);
    bool copyTreeInner(qint64 from, qint64 to, int depth);
    // A change made all or none: its own transaction, or a savepoint
    // within a batch.
    bool beginWhole();
    bool endWhole(bool ok);

    QString file_;
    sqlite3* db_ = nullptr;
    std::unordered_map<const char*, sqlite3_stmt*> statements_;
    bool inBatch_ = false;
};

// A batch of writes for a scope: committed by commit(), or when the scope
// is left by an exception (as the writes made so far would have been one by
// one), and rolled back only when that commit fails.
class StoreBatch {
public:
    explicit StoreBatch(std::shared_ptr<StoreDatabase> database);
    ~StoreBatch();
    StoreBatch(const StoreBatch&) = delete;
    StoreBatch& operator=(const StoreBatch&) = delete;

    // Throws StoreError when the store refused the commit.
    void commit();

private:
    std::shared_ptr<StoreDatabase> database_;
    bool open_ = false;
};
