#include "support/StoreDump.h"

#include <sqlite3.h>

#include <QHash>
#include <memory>

namespace StoreDump {
namespace {

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct Finalizer {
    void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
};
using Statement = std::unique_ptr<sqlite3_stmt, Finalizer>;

Statement prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    return Statement(st);
}

QString text(sqlite3_stmt* st, int column) {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(st, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(st, column));
}

}  // namespace

QStringList lines(const QString& storeFile) {
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(storeFile.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(raw);
        return {QStringLiteral("<unreadable store>")};
    }
    const std::unique_ptr<sqlite3, Closer> db(raw);
    QHash<qint64, std::pair<qint64, QString>> keys;
    for (Statement st = prepare(raw, "SELECT id, parent, name FROM brivanel_keys");
         st && sqlite3_step(st.get()) == SQLITE_ROW;) {
        keys.insert(sqlite3_column_int64(st.get(), 0),
                    {sqlite3_column_int64(st.get(), 1), text(st.get(), 2)});
    }
    const auto pathOf = [&keys](qint64 id) {
        QStringList parts;
        for (int depth = 0; keys.contains(id) && depth < 100; ++depth) {
            parts.prepend(keys[id].second);
            id = keys[id].first;
        }
        return parts.join(u'\\');
    };
    QStringList out;
    for (Statement st = prepare(raw, "SELECT key, name, type, quote(data) FROM brivanel_values");
         st && sqlite3_step(st.get()) == SQLITE_ROW;) {
        out << pathOf(sqlite3_column_int64(st.get(), 0)) + u" | " + text(st.get(), 1) + u" | " +
                   QString::number(sqlite3_column_int(st.get(), 2)) + u" | " + text(st.get(), 3);
    }
    // A key without values still counts.
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        out << pathOf(it.key()) + u" |";
    }
    out.sort();
    return out;
}

}  // namespace StoreDump
