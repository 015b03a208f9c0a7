#include "settings/StoreDatabase.h"

#include <algorithm>

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <string>
#include <string_view>

#include "settings/StoreError.h"

namespace {

QString fold(const QString& name) {
    return name.toCaseFolded();
}

void bindText(sqlite3_stmt* st, int index, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(st, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

QString columnText(sqlite3_stmt* st, int column) {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(st, column));
}

StoreDatabase::Value columnValue(sqlite3_stmt* st, int typeColumn, int dataColumn) {
    using ValueType = StoreDatabase::ValueType;
    StoreDatabase::Value v{static_cast<ValueType>(sqlite3_column_int(st, typeColumn)), {}, 0, {}};
    switch (v.type) {
        case ValueType::String:
        case ValueType::ExpandString:
            v.text = columnText(st, dataColumn);
            break;
        case ValueType::Integer:
            v.integer = sqlite3_column_int64(st, dataColumn);
            break;
        case ValueType::Binary:
            v.binary = QByteArray(static_cast<const char*>(sqlite3_column_blob(st, dataColumn)),
                                  sqlite3_column_bytes(st, dataColumn));
            break;
    }
    return v;
}

// Resets a cached statement when the scope ends, whatever path it takes.
struct Reset {
    sqlite3_stmt* st;
    ~Reset() {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }
};

// Nested keys deeper than this are not copied; no key the program makes
// comes near it, and it bounds the recursion on a damaged tree.
constexpr int kMaxDepth = 64;

// SQLite's header field naming the program a database belongs to: "BRVL".
constexpr qint64 kApplicationId = 0x4252564C;
// The layout of the tables below, in SQLite's user_version. A store made
// before it was kept has 0 and the same layout. A later layout counts up,
// and a store of a higher number is left alone: this version would write
// rows that the newer tables do not take, or miss what they hold.
constexpr qint64 kStoreLayout = 1;

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS brivanel_keys("
    " id INTEGER PRIMARY KEY, parent INTEGER NOT NULL, name TEXT NOT NULL, folded TEXT NOT NULL,"
    " UNIQUE(parent, folded));"
    "CREATE TABLE IF NOT EXISTS brivanel_values("
    " key INTEGER NOT NULL, name TEXT NOT NULL, folded TEXT NOT NULL, type INTEGER NOT NULL, data,"
    " PRIMARY KEY(key, folded)) WITHOUT ROWID;";

}  // namespace

QString StoreDatabase::defaultLocation() {
    const QString explicitFile = qEnvironmentVariable("BRIVANEL_STORE");
    if (!explicitFile.isEmpty()) {
        return explicitFile;
    }
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) {
        config = QDir::homePath() + u"/.config";
    }
    return config + u"/brivanel/registry.sqlite";
}

StoreDatabase::StoreDatabase(QString file) : file_(std::move(file)) {}

StoreDatabase::~StoreDatabase() {
    for (auto& [sql, st] : statements_) {
        sqlite3_finalize(st);
    }
    sqlite3_close(db_);
}

std::shared_ptr<StoreDatabase> StoreDatabase::open(const QString& file) {
    const QFileInfo info(file);
    QDir().mkpath(info.absolutePath());
    std::shared_ptr<StoreDatabase> store(new StoreDatabase(info.absoluteFilePath()));
    const QByteArray name = QFile::encodeName(store->file_);
    const auto fail = [&](const QString& why) {
        return StoreOpenError(QStringLiteral("The settings store %1 cannot be used: %2. "
                                             "The file was left as it is.")
                                  .arg(store->file_, why));
    };
    if (sqlite3_open_v2(name.constData(), &store->db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        throw fail(store->db_ ? QString::fromUtf8(sqlite3_errmsg(store->db_))
                              : QStringLiteral("out of memory"));
    }
    sqlite3_busy_timeout(store->db_, 5000);
    // Reading the schema is the first access to the file's pages, so a file
    // that is no database fails here, before anything is written to it.
    sqlite3_stmt* probe = nullptr;
    int rc = sqlite3_prepare_v2(store->db_, "SELECT name FROM sqlite_master WHERE type = 'table'",
                                -1, &probe, nullptr);
    QStringList tables;
    if (rc == SQLITE_OK) {
        while ((rc = sqlite3_step(probe)) == SQLITE_ROW) {
            tables << columnText(probe, 0);
        }
    }
    sqlite3_finalize(probe);
    if (rc != SQLITE_DONE && rc != SQLITE_OK) {
        throw fail(QString::fromUtf8(sqlite3_errmsg(store->db_)));
    }
    const qint64 applicationId = store->pragmaValue("PRAGMA application_id");
    const qint64 userVersion = store->pragmaValue("PRAGMA user_version");
    const bool ours = tables.contains(u"brivanel_keys") && tables.contains(u"brivanel_values");
    // An empty file of another program still carries its id or its version.
    const bool foreign = (applicationId != 0 && applicationId != kApplicationId) ||
                         (!tables.isEmpty() && !ours) ||
                         (tables.isEmpty() && applicationId == 0 && userVersion != 0);
    if (foreign) {
        throw fail(QStringLiteral("it is a database of another program"));
    }
    if (userVersion > kStoreLayout) {
        throw fail(QStringLiteral("it was written by a newer version of Brivanel (store layout "
                                  "%1; this version knows layouts up to %2)")
                       .arg(userVersion)
                       .arg(kStoreLayout));
    }
    if (!store->exec("PRAGMA journal_mode=WAL") || !store->exec("PRAGMA synchronous=NORMAL") ||
        !store->exec(kSchema) ||
        (applicationId == 0 &&
         !store->exec(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str())) ||
        (userVersion < kStoreLayout &&
         !store->exec(("PRAGMA user_version=" + std::to_string(kStoreLayout)).c_str()))) {
        throw fail(QString::fromUtf8(sqlite3_errmsg(store->db_)));
    }
    sqlite3_stmt* check = nullptr;
    rc = sqlite3_prepare_v2(store->db_, "PRAGMA quick_check", -1, &check, nullptr);
    QString verdict;
    if (rc == SQLITE_OK && sqlite3_step(check) == SQLITE_ROW) {
        verdict = columnText(check, 0);
    }
    sqlite3_finalize(check);
    if (verdict != u"ok") {
        throw fail(verdict.isEmpty() ? QString::fromUtf8(sqlite3_errmsg(store->db_))
                                     : QStringLiteral("the database is damaged (%1)").arg(verdict));
    }
    return store;
}

qint64 StoreDatabase::pragmaValue(const char* sql) {
    sqlite3_stmt* st = nullptr;
    qint64 value = 0;
    if (sqlite3_prepare_v2(db_, sql, -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW) {
        value = sqlite3_column_int64(st, 0);
    }
    sqlite3_finalize(st);
    return value;
}

bool StoreDatabase::exec(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

sqlite3_stmt* StoreDatabase::statement(const char* sql) {
    const auto it = statements_.find(sql);
    if (it != statements_.end()) {
        return it->second;
    }
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK) {
        throw StoreError(
            QStringLiteral("Settings store error: %1").arg(QString::fromUtf8(sqlite3_errmsg(db_))));
    }
    statements_.emplace(sql, st);
    return st;
}

std::optional<qint64> StoreDatabase::findChild(qint64 parent, const QString& name) {
    sqlite3_stmt* st = statement("SELECT id FROM brivanel_keys WHERE parent = ?1 AND folded = ?2");
    Reset reset{st};
    sqlite3_bind_int64(st, 1, parent);
    bindText(st, 2, fold(name));
    if (sqlite3_step(st) == SQLITE_ROW) {
        return sqlite3_column_int64(st, 0);
    }
    return std::nullopt;
}

std::optional<qint64> StoreDatabase::createChild(qint64 parent, const QString& name) {
    if (auto existing = findChild(parent, name)) {
        return existing;
    }
    if (name.isEmpty() || (parent != 0 && !keyExists(parent))) {
        return std::nullopt;
    }
    sqlite3_stmt* st =
        statement("INSERT INTO brivanel_keys(parent, name, folded) VALUES(?1, ?2, ?3)");
    Reset reset{st};
    sqlite3_bind_int64(st, 1, parent);
    bindText(st, 2, name);
    bindText(st, 3, fold(name));
    if (sqlite3_step(st) != SQLITE_DONE) {
        return findChild(parent, name);
    }
    return sqlite3_last_insert_rowid(db_);
}

bool StoreDatabase::keyExists(qint64 id) {
    if (id == 0) {
        return true;
    }
    sqlite3_stmt* st = statement("SELECT 1 FROM brivanel_keys WHERE id = ?1");
    Reset reset{st};
    sqlite3_bind_int64(st, 1, id);
    return sqlite3_step(st) == SQLITE_ROW;
}

QStringList StoreDatabase::childNames(qint64 parent) {
    sqlite3_stmt* st = statement("SELECT name FROM brivanel_keys WHERE parent = ?1 ORDER BY id");
    Reset reset{st};
    sqlite3_bind_int64(st, 1, parent);
    QStringList names;
    while (sqlite3_step(st) == SQLITE_ROW) {
        names << columnText(st, 0);
    }
    return names;
}

bool StoreDatabase::deleteTree(qint64 id) {
    return deleteTrees({id});
}

bool StoreDatabase::deleteTrees(const std::vector<qint64>& ids) {
    if (std::find(ids.begin(), ids.end(), 0) != ids.end() || !beginWhole()) {
        return false;
    }
    const char* const subtree =
        "WITH RECURSIVE sub(id) AS (SELECT ?1 UNION SELECT k.id FROM brivanel_keys k"
        " JOIN sub ON k.parent = sub.id) ";
    static const std::string deleteValues =
        std::string(subtree) + "DELETE FROM brivanel_values WHERE key IN sub";
    static const std::string deleteKeys =
        std::string(subtree) + "DELETE FROM brivanel_keys WHERE id IN sub";
    bool ok = true;
    for (const qint64 id : ids) {
        for (const std::string* sql : {&deleteValues, &deleteKeys}) {
            sqlite3_stmt* st = statement(sql->c_str());
            Reset reset{st};
            sqlite3_bind_int64(st, 1, id);
            ok = ok && sqlite3_step(st) == SQLITE_DONE;
        }
    }
    return endWhole(ok);
}

bool StoreDatabase::copyTree(qint64 from, qint64 to) {
    return beginWhole() && endWhole(copyTreeInner(from, to, 0));
}

bool StoreDatabase::beginWhole() {
    return exec(inBatch_ ? "SAVEPOINT whole" : "BEGIN IMMEDIATE");
}

bool StoreDatabase::endWhole(bool ok) {
    if (inBatch_) {
        if (!ok) {
            exec("ROLLBACK TO whole");
        }
        return exec("RELEASE whole") && ok;
    }
    if (!ok) {
        exec("ROLLBACK");
        return false;
    }
    return exec("COMMIT");
}

bool StoreDatabase::beginBatch() {
    inBatch_ = !inBatch_ && exec("BEGIN IMMEDIATE");
    return inBatch_;
}

bool StoreDatabase::commitBatch() {
    if (!inBatch_) {
        return true;
    }
    inBatch_ = false;
    // A failed COMMIT can leave the transaction open; it must not swallow
    // the writes that come after it.
    if (exec("COMMIT")) {
        return true;
    }
    if (sqlite3_get_autocommit(db_) == 0) {
        exec("ROLLBACK");
    }
    return false;
}

void StoreDatabase::rollbackBatch() {
    if (inBatch_) {
        inBatch_ = false;
        exec("ROLLBACK");
    }
}

StoreBatch::StoreBatch(std::shared_ptr<StoreDatabase> database) : database_(std::move(database)) {
    open_ = database_->beginBatch();
}

StoreBatch::~StoreBatch() {
    if (open_) {
        database_->commitBatch();
    }
}

void StoreBatch::commit() {
    if (open_) {
        open_ = false;
        if (!database_->commitBatch()) {
            throw StoreError(
                QStringLiteral("Settings store error: the changes could not be saved"));
        }
    }
}

bool StoreDatabase::copyTreeInner(qint64 from, qint64 to, int depth) {
    if (depth > kMaxDepth) {
        return true;
    }
    {
        sqlite3_stmt* st = statement(
            "INSERT OR REPLACE INTO brivanel_values(key, name, folded, type, data)"
            " SELECT ?2, name, folded, type, data FROM brivanel_values WHERE key = ?1");
        Reset reset{st};
        sqlite3_bind_int64(st, 1, from);
        sqlite3_bind_int64(st, 2, to);
        if (sqlite3_step(st) != SQLITE_DONE) {
            return false;
        }
    }
    std::vector<std::pair<qint64, QString>> children;
    {
        sqlite3_stmt* st =
            statement("SELECT id, name FROM brivanel_keys WHERE parent = ?1 ORDER BY id");
        Reset reset{st};
        sqlite3_bind_int64(st, 1, from);
        while (sqlite3_step(st) == SQLITE_ROW) {
            children.emplace_back(sqlite3_column_int64(st, 0), columnText(st, 1));
        }
    }
    for (const auto& [childId, name] : children) {
        const auto target = createChild(to, name);
        if (!target || !copyTreeInner(childId, *target, depth + 1)) {
            return false;
        }
    }
    return true;
}

std::optional<StoreDatabase::Value> StoreDatabase::readValue(qint64 key, const QString& name) {
    sqlite3_stmt* st =
        statement("SELECT type, data FROM brivanel_values WHERE key = ?1 AND folded = ?2");
    Reset reset{st};
    sqlite3_bind_int64(st, 1, key);
    bindText(st, 2, fold(name));
    if (sqlite3_step(st) != SQLITE_ROW) {
        return std::nullopt;
    }
    return columnValue(st, 0, 1);
}

std::vector<StoreDatabase::ChildValues> StoreDatabase::childValues(qint64 parent,
                                                                   const QStringList& valueNames) {
    // The names are bound, never written into the statement; it is made for
    // this call only, as the number of names varies. "+v.folded" keeps SQLite
    // from probing the value index once per name and key: it reads each key's
    // few values and keeps the named ones. The rows come in the order of the
    // (parent, folded) index, each key's together; sorting them by id here
    // is far cheaper than SQLite's temporary sort of every row with its data.
    std::string sql =
        "SELECT k.id, k.name, v.folded, v.type, v.data FROM brivanel_keys k"
        " LEFT JOIN brivanel_values v ON v.key = k.id AND +v.folded IN (";
    for (qsizetype i = 0; i < valueNames.size(); ++i) {
        sql += (i == 0 ? "?" : ",?") + std::to_string(i + 2);
    }
    sql += ") WHERE k.parent = ?1 ORDER BY k.folded";
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        throw StoreError(
            QStringLiteral("Settings store error: %1").arg(QString::fromUtf8(sqlite3_errmsg(db_))));
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> st(raw, sqlite3_finalize);
    sqlite3_bind_int64(raw, 1, parent);
    for (qsizetype i = 0; i < valueNames.size(); ++i) {
        bindText(raw, int(i) + 2, fold(valueNames[i]));
    }
    // The few value names recur in every key: each is made a QString once
    // and shared.
    std::vector<std::pair<std::string, QString>> names;
    const auto valueName = [&names, raw] {
        const std::string_view bytes(reinterpret_cast<const char*>(sqlite3_column_text(raw, 2)),
                                     size_t(sqlite3_column_bytes(raw, 2)));
        for (const auto& [utf8, name] : names) {
            if (utf8 == bytes) {
                return name;
            }
        }
        return names
            .emplace_back(std::string(bytes),
                          QString::fromUtf8(bytes.data(), qsizetype(bytes.size())))
            .second;
    };
    std::vector<std::pair<qint64, ChildValues>> read;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        const qint64 id = sqlite3_column_int64(raw, 0);
        if (read.empty() || read.back().first != id) {
            read.push_back({id, {columnText(raw, 1), {}}});
        }
        if (sqlite3_column_type(raw, 2) != SQLITE_NULL) {
            read.back().second.values.emplace_back(valueName(), columnValue(raw, 3, 4));
        }
    }
    if (rc != SQLITE_DONE) {
        throw StoreError(
            QStringLiteral("Settings store error: %1").arg(QString::fromUtf8(sqlite3_errmsg(db_))));
    }
    std::sort(read.begin(), read.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ChildValues> children;
    children.reserve(read.size());
    for (auto& [id, child] : read) {
        children.push_back(std::move(child));
    }
    return children;
}

bool StoreDatabase::writeValue(qint64 key, const QString& name, const Value& value) {
    sqlite3_stmt* st = statement(
        "INSERT OR REPLACE INTO brivanel_values(key, name, folded, type, data)"
        " SELECT ?1, ?2, ?3, ?4, ?5 WHERE ?1 = 0 OR EXISTS(SELECT 1 FROM brivanel_keys WHERE id = "
        "?1)");
    Reset reset{st};
    sqlite3_bind_int64(st, 1, key);
    bindText(st, 2, name);
    bindText(st, 3, fold(name));
    sqlite3_bind_int(st, 4, int(value.type));
    switch (value.type) {
        case ValueType::String:
        case ValueType::ExpandString:
            bindText(st, 5, value.text);
            break;
        case ValueType::Integer:
            sqlite3_bind_int64(st, 5, value.integer);
            break;
        case ValueType::Binary:
            sqlite3_bind_blob(st, 5, value.binary.constData(), int(value.binary.size()),
                              SQLITE_TRANSIENT);
            break;
    }
    return sqlite3_step(st) == SQLITE_DONE && sqlite3_changes(db_) == 1;
}

bool StoreDatabase::deleteValue(qint64 key, const QString& name) {
    sqlite3_stmt* st = statement("DELETE FROM brivanel_values WHERE key = ?1 AND folded = ?2");
    Reset reset{st};
    sqlite3_bind_int64(st, 1, key);
    bindText(st, 2, fold(name));
    return sqlite3_step(st) == SQLITE_DONE && sqlite3_changes(db_) > 0;
}
