#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "settings/SettingsStore.h"
#include "settings/StoreError.h"

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QString file() const { return dir.path() + u"/store/registry.sqlite"; }
    SettingsStore handle() {
        if (!db) {
            db = StoreDatabase::open(file());
        }
        return SettingsStore(db);
    }
    QString errorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const StoreError& e) {
            return e.message();
        }
        return QString();
    }

    // Runs SQL on the store file through a connection of its own.
    bool execute(const char* sql) const {
        sqlite3* other = nullptr;
        const bool done =
            sqlite3_open(QFile::encodeName(file()).constData(), &other) == SQLITE_OK &&
            sqlite3_exec(other, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(other);
        return done;
    }
    QByteArray content() const {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

    QTemporaryDir dir;
    std::shared_ptr<StoreDatabase> db;
};

TEST_F(SettingsStoreTest, OpenKeyIsAbsoluteOrRelativeAndAFailureKeepsTheCurrentKey) {
    SettingsStore s = handle();
    EXPECT_FALSE(s.OpenKey(u"\\Software\\Quenterby\\Brivanel"_qs, false));
    ASSERT_TRUE(s.OpenKey(u"\\Software\\Quenterby\\Brivanel"_qs, true));
    s.WriteString(u"Version"_qs, u".26"_qs);
    ASSERT_TRUE(s.OpenKey(u"Game\\Specific"_qs, true));  // relative to the root
    s.WriteBool(u"Vector"_qs, true);
    EXPECT_FALSE(s.OpenKey(u"\\Software\\Nothing"_qs, false));
    EXPECT_TRUE(s.ReadBool(u"Vector"_qs));  // still on ...\Game\Specific
    EXPECT_TRUE(s.KeyExists(u"\\Software\\Quenterby\\Brivanel\\Game"_qs));
    EXPECT_TRUE(s.ValueExists(u"vector"_qs));
    s.CloseKey();
    EXPECT_FALSE(s.ValueExists(u"Vector"_qs));
    EXPECT_THROW(s.WriteString(u"X"_qs, u"y"_qs), StoreError);
}

TEST_F(SettingsStoreTest, NamesMatchIgnoringCaseAndKeepTheirCreatedCase) {
    SettingsStore s = handle();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), true));
    s.WriteString(u"JoyCP Path"_qs, u"C:\\JOY\\JOYCP.EXE"_qs);
    s.WriteString(u"VESA Mode"_qs, u"Vesa 2.0 linear"_qs);
    EXPECT_EQ(s.ReadString(u"JOYCP Path"_qs), u"C:\\JOY\\JOYCP.EXE"_qs);
    EXPECT_EQ(s.ReadString(u"Vesa Mode"_qs), u"Vesa 2.0 linear"_qs);
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(u"Pac-Man (Midway)"_qs), true));
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(u"Émile {Café}"_qs), true));
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_TRUE(s.KeyExists(StorePaths::Entry(u"PAC-MAN (MIDWAY)"_qs)));
    EXPECT_TRUE(s.KeyExists(StorePaths::Entry(u"émile {café}"_qs)));
    EXPECT_EQ(s.GetKeyNames(), (QStringList{u"Pac-Man (Midway)"_qs, u"Émile {Café}"_qs}));
    // Writing through another spelling replaces the value instead of adding one.
    s.WriteString(u"joycp path"_qs, u"D:\\JOYCP.EXE"_qs);
    EXPECT_EQ(s.ReadString(u"JoyCP Path"_qs), u"D:\\JOYCP.EXE"_qs);
}

TEST_F(SettingsStoreTest, ValueTypesAndTheThreeErrorTexts) {
    SettingsStore s = handle();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), true));
    s.WriteInteger(u"Count"_qs, -7);
    s.WriteBool(u"Show Missing"_qs, true);
    s.WriteDateTime(u"Time"_qs, 46000.125);
    s.WriteString(u"Text Time"_qs, u"46000.125"_qs);
    EXPECT_EQ(s.ReadInteger(u"count"_qs), -7);
    EXPECT_TRUE(s.ReadBool(u"Count"_qs));  // any non-zero integer is true
    EXPECT_EQ(s.ReadInteger(u"Show Missing"_qs), 1);
    EXPECT_DOUBLE_EQ(s.ReadDateTime(u"Time"_qs), 46000.125);
    EXPECT_EQ(s.ReadString(u"Absent"_qs), QString());

    EXPECT_EQ(errorOf([&] { s.ReadInteger(u"Absent"_qs); }), u"Failed to get data for 'Absent'"_qs);
    EXPECT_EQ(errorOf([&] { s.ReadDateTime(u"Text Time"_qs); }),
              u"Invalid data type for 'Text Time'"_qs);
    EXPECT_EQ(errorOf([&] { s.ReadDateTime(u"Count"_qs); }), u"Invalid data type for 'Count'"_qs);
    EXPECT_EQ(errorOf([&] { s.ReadString(u"Count"_qs); }), u"Invalid data type for 'Count'"_qs);
    s.CloseKey();
    EXPECT_EQ(errorOf([&] { s.WriteString(u"Current"_qs, u"x"_qs); }),
              u"Failed to set data for 'Current'"_qs);

    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_TRUE(s.DeleteValue(u"COUNT"_qs));
    EXPECT_FALSE(s.ValueExists(u"Count"_qs));
}

TEST_F(SettingsStoreTest, DeleteKeyRemovesEverythingBelowAtAnyDepth) {
    SettingsStore s = handle();
    ASSERT_TRUE(s.OpenKey(StorePaths::Specific(u"Game"_qs), true));
    s.WriteString(u"Sound"_qs, u"Silence"_qs);
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(u"Emu {x}"_qs).child(u"A"_qs).child(u"B"_qs), true));
    s.WriteInteger(u"Deep"_qs, 1);
    ASSERT_TRUE(s.OpenKey(u"\\Software\\Other"_qs, true));

    EXPECT_TRUE(s.DeleteKey(StorePaths::Root()));
    EXPECT_FALSE(s.KeyExists(StorePaths::Root()));
    EXPECT_FALSE(s.KeyExists(StorePaths::Specific(u"Game"_qs)));
    EXPECT_TRUE(s.KeyExists(u"\\Software\\Other"_qs));
    EXPECT_FALSE(s.DeleteKey(StorePaths::Root()));
    // Nothing of the old subtree survives under a re-created key of the same name.
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(u"Emu {x}"_qs), true));
    EXPECT_TRUE(s.GetKeyNames().isEmpty());
}

TEST_F(SettingsStoreTest, DeleteKeysRemovesTheExistingOnesTogether) {
    SettingsStore s = handle();
    for (const char16_t* name : {u"Frogger", u"Galaga", u"Kept"}) {
        ASSERT_TRUE(s.OpenKey(StorePaths::Specific(QString::fromUtf16(name)), true));
        s.WriteString(u"Sound"_qs, u"Silence"_qs);
    }
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(u"Galaga"_qs), false));

    EXPECT_TRUE(s.DeleteKeys({StorePaths::Entry(u"Frogger"_qs), StorePaths::Entry(u"galaga"_qs),
                              StorePaths::Entry(u"Never There"_qs)}));
    EXPECT_FALSE(s.KeyExists(StorePaths::Specific(u"Frogger"_qs)));
    EXPECT_FALSE(s.KeyExists(StorePaths::Entry(u"Galaga"_qs)));
    EXPECT_TRUE(s.KeyExists(StorePaths::Specific(u"Kept"_qs)));
    // The key that was open went with them.
    EXPECT_THROW(s.WriteString(u"Location"_qs, u"#"_qs), StoreError);
}

TEST_F(SettingsStoreTest, DeletingTheCurrentKeyLeavesNoKeyToWriteTo) {
    SettingsStore s = handle();
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(u"Game"_qs), true));
    SettingsStore other = handle();
    other.DeleteKey(StorePaths::Root());
    EXPECT_THROW(s.WriteString(u"Location"_qs, u"#"_qs), StoreError);
    EXPECT_FALSE(other.KeyExists(StorePaths::Entry(u"Game"_qs)));
}

TEST_F(SettingsStoreTest, MoveKeyCopiesTheWholeTreeOnlyOntoAFreeName) {
    SettingsStore s = handle();
    const KeyPath oldKey = StorePaths::Entry(u"Ikari Warriors {A}"_qs);
    const KeyPath newKey = StorePaths::Entry(u"RAGE {A, B}"_qs);
    ASSERT_TRUE(s.OpenKey(oldKey, true));
    s.WriteString(u"Location"_qs, u"C:\\IKARI.EXE"_qs);
    ASSERT_TRUE(s.OpenKey(oldKey.child(u"Specific"_qs), true));
    s.WriteBool(u"Joystick"_qs, true);

    const KeyPath taken = StorePaths::Entry(u"Taken"_qs);
    ASSERT_TRUE(s.OpenKey(taken, true));
    s.MoveKey(oldKey, taken, true);
    EXPECT_TRUE(s.KeyExists(oldKey));
    EXPECT_FALSE(s.KeyExists(taken.child(u"Specific"_qs)));

    s.MoveKey(StorePaths::Entry(u"Nothing"_qs), StorePaths::Entry(u"Else"_qs), true);
    EXPECT_FALSE(s.KeyExists(StorePaths::Entry(u"Else"_qs)));

    s.MoveKey(oldKey, oldKey.child(u"Inside"_qs), true);  // never below itself
    EXPECT_FALSE(s.KeyExists(oldKey.child(u"Inside"_qs)));

    s.MoveKey(oldKey, newKey, true);
    EXPECT_FALSE(s.KeyExists(oldKey));
    ASSERT_TRUE(s.OpenKey(newKey, false));
    EXPECT_EQ(s.ReadString(u"Location"_qs), u"C:\\IKARI.EXE"_qs);
    ASSERT_TRUE(s.OpenKey(newKey.child(u"Specific"_qs), false));
    EXPECT_TRUE(s.ReadBool(u"Joystick"_qs));
}

TEST_F(SettingsStoreTest, AGameNameWithABackslashIsOneKey) {
    SettingsStore s = handle();
    const QString name = u"AC\\DC: Live"_qs;
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(name), true));
    s.WriteString(u"Location"_qs, u"#"_qs);
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_EQ(s.GetKeyNames(), QStringList{name});
    EXPECT_FALSE(s.KeyExists(StorePaths::Entry(u"AC"_qs)));
    EXPECT_TRUE(s.DeleteKey(StorePaths::Entry(name)));
    EXPECT_TRUE(s.GetKeyNames().isEmpty());
}

TEST_F(SettingsStoreTest, EveryWriteIsAtOnceVisibleToAnotherConnection) {
    SettingsStore writer = handle();
    auto second = StoreDatabase::open(file());
    SettingsStore reader(second);
    ASSERT_TRUE(writer.OpenKey(StorePaths::Root(), true));
    writer.WriteString(u"Current"_qs, u"Galaga"_qs);
    ASSERT_TRUE(reader.OpenKey(StorePaths::Root(), false));
    EXPECT_EQ(reader.ReadString(u"Current"_qs), u"Galaga"_qs);
}

// Inside a batch the writes are seen here at once and by others at the
// commit; deleting and moving keys stay whole changes of their own.
TEST_F(SettingsStoreTest, ABatchCommitsOnceAndKeepsKeyChangesWhole) {
    SettingsStore writer = handle();
    SettingsStore reader(StoreDatabase::open(file()));
    ASSERT_TRUE(writer.OpenKey(StorePaths::Entry(u"Old"_qs), true));
    writer.WriteString(u"Kept"_qs, u"yes"_qs);
    {
        StoreBatch batch(db);
        ASSERT_TRUE(writer.OpenKey(StorePaths::Entry(u"Galaga"_qs), true));
        writer.WriteString(u"Location"_qs, u"#"_qs);
        EXPECT_EQ(writer.ReadString(u"Location"_qs), u"#"_qs);
        EXPECT_FALSE(reader.KeyExists(StorePaths::Entry(u"Galaga"_qs)));
        writer.MoveKey(StorePaths::Entry(u"Old"_qs), StorePaths::Entry(u"New"_qs), true);
        EXPECT_TRUE(writer.KeyExists(StorePaths::Entry(u"New"_qs)));
        EXPECT_TRUE(writer.DeleteKeys({StorePaths::Entry(u"Galaga"_qs)}));
        writer.OpenKey(StorePaths::Entry(u"Galaxian"_qs), true);
        writer.WriteString(u"Location"_qs, u"#"_qs);
        batch.commit();
    }
    ASSERT_TRUE(reader.OpenKey(StorePaths::Root(), false));
    EXPECT_EQ(reader.GetKeyNames(), (QStringList{u"New"_qs, u"Galaxian"_qs}));
    ASSERT_TRUE(reader.OpenKey(StorePaths::Entry(u"New"_qs), false));
    EXPECT_EQ(reader.ReadString(u"Kept"_qs), u"yes"_qs);

    // Left by an error, a batch keeps what was written before it.
    try {
        const StoreBatch batch(db);
        writer.OpenKey(StorePaths::Entry(u"Galaxian"_qs), false);
        writer.WriteString(u"Location"_qs, u"C:\\GALAXIAN.ZIP"_qs);
        writer.ReadInteger(u"Location"_qs);
    } catch (const StoreError&) {
    }
    ASSERT_TRUE(reader.OpenKey(StorePaths::Entry(u"Galaxian"_qs), false));
    EXPECT_EQ(reader.ReadString(u"Location"_qs), u"C:\\GALAXIAN.ZIP"_qs);
}

// A child process writes and is killed with SIGKILL before it can close anything;
// the parent reads what it wrote, and also sees what the child reads from the parent.
TEST_F(SettingsStoreTest, AKilledProcessLosesNothingItWrote) {
    {
        SettingsStore s = handle();
        ASSERT_TRUE(s.OpenKey(StorePaths::Root(), true));
        s.WriteString(u"From Parent"_qs, u"hello"_qs);
    }
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    fflush(stdout);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        auto own = StoreDatabase::open(file());
        SettingsStore s(own);
        s.OpenKey(StorePaths::Root(), false);
        const QString seen = s.ReadString(u"From Parent"_qs);
        s.WriteString(u"Seen By Child"_qs, seen);
        s.WriteInteger(u"Written Before Kill"_qs, 42);
        const char done = '1';
        (void)!write(ready[1], &done, 1);
        pause();  // wait for SIGKILL
        _exit(0);
    }
    close(ready[1]);
    char done = 0;
    ASSERT_EQ(read(ready[0], &done, 1), 1);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(ready[0]);
    EXPECT_TRUE(WIFSIGNALED(status));

    auto fresh = StoreDatabase::open(file());
    SettingsStore s(fresh);
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_EQ(s.ReadInteger(u"Written Before Kill"_qs), 42);
    EXPECT_EQ(s.ReadString(u"Seen By Child"_qs), u"hello"_qs);
}

// A file that is not our store is refused with a message naming it, and
// stays as it was; an empty database carries nothing but its header, whose
// application id and user version say whose it is.
TEST_F(SettingsStoreTest, AFileThatIsNotOurStoreIsRefusedAndNeverOverwritten) {
    const struct {
        const char* name;
        const char* sql;  // none: text written instead
        const char16_t* why = u"another program";
    } cases[] = {
        {"text", nullptr, u"file is not a database"},
        {"another program's tables",
         "CREATE TABLE photos(id INTEGER); INSERT INTO photos VALUES(1);"},
        {"an empty database of another id", "PRAGMA application_id = 1234"},
        {"an empty database of another version", "PRAGMA user_version = 7"},
        // Its rows need a column this version would leave empty.
        {"our store as a newer version left it",
         "CREATE TABLE brivanel_keys(id INTEGER PRIMARY KEY, parent INTEGER NOT NULL,"
         " name TEXT NOT NULL, folded TEXT NOT NULL, UNIQUE(parent, folded));"
         "CREATE TABLE brivanel_values(key INTEGER NOT NULL, name TEXT NOT NULL,"
         " folded TEXT NOT NULL, type INTEGER NOT NULL, data, changed REAL NOT NULL,"
         " PRIMARY KEY(key, folded)) WITHOUT ROWID;"
         "CREATE TABLE brivanel_history(key INTEGER, at REAL);"
         "PRAGMA application_id = 1112692300; PRAGMA user_version = 99;",
         u"written by a newer version of Brivanel"},
    };
    QDir().mkpath(dir.path() + u"/store");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(file());
        if (c.sql) {
            ASSERT_TRUE(execute(c.sql));
        } else {
            QFile f(file());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("This is not a database at all, just text.\n").repeated(200));
        }
        const QByteArray before = content();
        try {
            StoreDatabase::open(file());
            ADD_FAILURE() << "accepted as a store";
        } catch (const StoreOpenError& e) {
            EXPECT_TRUE(e.message().contains(file()));
            EXPECT_TRUE(e.message().contains(QString::fromUtf16(c.why)))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(u"left as it is"_qs));
        }
        EXPECT_EQ(content(), before);
    }
}

TEST_F(SettingsStoreTest, OursIsMarkedAndAStoreMadeBeforeTheMarkIsStillOurs) {
    StoreDatabase::open(file());
    sqlite3* ours = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file()).constData(), &ours), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(ours, "PRAGMA application_id", -1, &st, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_NE(sqlite3_column_int(st, 0), 0);
    sqlite3_finalize(st);
    sqlite3_close(ours);
    ASSERT_TRUE(execute("PRAGMA application_id = 0"));
    EXPECT_NO_THROW(StoreDatabase::open(file()));
}

}  // namespace
