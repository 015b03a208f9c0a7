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

    QTemporaryDir dir;
    std::shared_ptr<StoreDatabase> db;
};

TEST_F(SettingsStoreTest, OpenKeyIsAbsoluteOrRelativeAndAFailureKeepsTheCurrentKey) {
    SettingsStore s = handle();
    EXPECT_FALSE(s.OpenKey(QStringLiteral("\\Software\\Quenterby\\Brivanel"), false));
    ASSERT_TRUE(s.OpenKey(QStringLiteral("\\Software\\Quenterby\\Brivanel"), true));
    s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
    ASSERT_TRUE(s.OpenKey(QStringLiteral("Game\\Specific"), true));  // relative to the root
    s.WriteBool(QStringLiteral("Vector"), true);
    EXPECT_FALSE(s.OpenKey(QStringLiteral("\\Software\\Nothing"), false));
    EXPECT_TRUE(s.ReadBool(QStringLiteral("Vector")));  // still on ...\Game\Specific
    EXPECT_TRUE(s.KeyExists(QStringLiteral("\\Software\\Quenterby\\Brivanel\\Game")));
    EXPECT_TRUE(s.ValueExists(QStringLiteral("vector")));
    s.CloseKey();
    EXPECT_FALSE(s.ValueExists(QStringLiteral("Vector")));
    EXPECT_THROW(s.WriteString(QStringLiteral("X"), QStringLiteral("y")), StoreError);
}

TEST_F(SettingsStoreTest, NamesMatchIgnoringCaseAndKeepTheirCreatedCase) {
    SettingsStore s = handle();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), true));
    s.WriteString(QStringLiteral("JoyCP Path"), QStringLiteral("C:\\JOY\\JOYCP.EXE"));
    s.WriteString(QStringLiteral("VESA Mode"), QStringLiteral("Vesa 2.0 linear"));
    EXPECT_EQ(s.ReadString(QStringLiteral("JOYCP Path")), QStringLiteral("C:\\JOY\\JOYCP.EXE"));
    EXPECT_EQ(s.ReadString(QStringLiteral("Vesa Mode")), QStringLiteral("Vesa 2.0 linear"));
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Pac-Man (Midway)")), true));
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Émile {Café}")), true));
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_TRUE(s.KeyExists(StorePaths::Entry(QStringLiteral("PAC-MAN (MIDWAY)"))));
    EXPECT_TRUE(s.KeyExists(StorePaths::Entry(QStringLiteral("émile {café}"))));
    EXPECT_EQ(s.GetKeyNames(),
              (QStringList{QStringLiteral("Pac-Man (Midway)"), QStringLiteral("Émile {Café}")}));
    // Writing through another spelling replaces the value instead of adding one.
    s.WriteString(QStringLiteral("joycp path"), QStringLiteral("D:\\JOYCP.EXE"));
    EXPECT_EQ(s.ReadString(QStringLiteral("JoyCP Path")), QStringLiteral("D:\\JOYCP.EXE"));
}

TEST_F(SettingsStoreTest, ValueTypesAndTheThreeErrorTexts) {
    SettingsStore s = handle();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), true));
    s.WriteInteger(QStringLiteral("Count"), -7);
    s.WriteBool(QStringLiteral("Show Missing"), true);
    s.WriteDateTime(QStringLiteral("Time"), 46000.125);
    s.WriteString(QStringLiteral("Text Time"), QStringLiteral("46000.125"));
    EXPECT_EQ(s.ReadInteger(QStringLiteral("count")), -7);
    EXPECT_TRUE(s.ReadBool(QStringLiteral("Count")));  // any non-zero integer is true
    EXPECT_EQ(s.ReadInteger(QStringLiteral("Show Missing")), 1);
    EXPECT_DOUBLE_EQ(s.ReadDateTime(QStringLiteral("Time")), 46000.125);
    EXPECT_EQ(s.ReadString(QStringLiteral("Absent")), QString());

    EXPECT_EQ(errorOf([&] { s.ReadInteger(QStringLiteral("Absent")); }),
              QStringLiteral("Failed to get data for 'Absent'"));
    EXPECT_EQ(errorOf([&] { s.ReadDateTime(QStringLiteral("Text Time")); }),
              QStringLiteral("Invalid data type for 'Text Time'"));
    EXPECT_EQ(errorOf([&] { s.ReadDateTime(QStringLiteral("Count")); }),
              QStringLiteral("Invalid data type for 'Count'"));
    EXPECT_EQ(errorOf([&] { s.ReadString(QStringLiteral("Count")); }),
              QStringLiteral("Invalid data type for 'Count'"));
    s.CloseKey();
    EXPECT_EQ(errorOf([&] { s.WriteString(QStringLiteral("Current"), QStringLiteral("x")); }),
              QStringLiteral("Failed to set data for 'Current'"));

    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_TRUE(s.DeleteValue(QStringLiteral("COUNT")));
    EXPECT_FALSE(s.ValueExists(QStringLiteral("Count")));
}

TEST_F(SettingsStoreTest, DeleteKeyRemovesEverythingBelowAtAnyDepth) {
    SettingsStore s = handle();
    ASSERT_TRUE(s.OpenKey(StorePaths::Specific(QStringLiteral("Game")), true));
    s.WriteString(QStringLiteral("Sound"), QStringLiteral("Silence"));
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Emu {x}"))
                              .child(QStringLiteral("A"))
                              .child(QStringLiteral("B")),
                          true));
    s.WriteInteger(QStringLiteral("Deep"), 1);
    ASSERT_TRUE(s.OpenKey(QStringLiteral("\\Software\\Other"), true));

    EXPECT_TRUE(s.DeleteKey(StorePaths::Root()));
    EXPECT_FALSE(s.KeyExists(StorePaths::Root()));
    EXPECT_FALSE(s.KeyExists(StorePaths::Specific(QStringLiteral("Game"))));
    EXPECT_TRUE(s.KeyExists(QStringLiteral("\\Software\\Other")));
    EXPECT_FALSE(s.DeleteKey(StorePaths::Root()));
    // Nothing of the old subtree survives under a re-created key of the same name.
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Emu {x}")), true));
    EXPECT_TRUE(s.GetKeyNames().isEmpty());
}

TEST_F(SettingsStoreTest, DeleteKeysRemovesTheExistingOnesTogether) {
    SettingsStore s = handle();
    for (const char16_t* name : {u"Frogger", u"Galaga", u"Kept"}) {
        ASSERT_TRUE(s.OpenKey(StorePaths::Specific(QString::fromUtf16(name)), true));
        s.WriteString(QStringLiteral("Sound"), QStringLiteral("Silence"));
    }
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Galaga")), false));

    EXPECT_TRUE(s.DeleteKeys({StorePaths::Entry(QStringLiteral("Frogger")),
                              StorePaths::Entry(QStringLiteral("galaga")),
                              StorePaths::Entry(QStringLiteral("Never There"))}));
    EXPECT_FALSE(s.KeyExists(StorePaths::Specific(QStringLiteral("Frogger"))));
    EXPECT_FALSE(s.KeyExists(StorePaths::Entry(QStringLiteral("Galaga"))));
    EXPECT_TRUE(s.KeyExists(StorePaths::Specific(QStringLiteral("Kept"))));
    // The key that was open went with them.
    EXPECT_THROW(s.WriteString(QStringLiteral("Location"), QStringLiteral("#")), StoreError);
}

TEST_F(SettingsStoreTest, DeletingTheCurrentKeyLeavesNoKeyToWriteTo) {
    SettingsStore s = handle();
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Game")), true));
    SettingsStore other = handle();
    other.DeleteKey(StorePaths::Root());
    EXPECT_THROW(s.WriteString(QStringLiteral("Location"), QStringLiteral("#")), StoreError);
    EXPECT_FALSE(other.KeyExists(StorePaths::Entry(QStringLiteral("Game"))));
}

TEST_F(SettingsStoreTest, MoveKeyCopiesTheWholeTreeOnlyOntoAFreeName) {
    SettingsStore s = handle();
    const KeyPath oldKey = StorePaths::Entry(QStringLiteral("Ikari Warriors {A}"));
    const KeyPath newKey = StorePaths::Entry(QStringLiteral("RAGE {A, B}"));
    ASSERT_TRUE(s.OpenKey(oldKey, true));
    s.WriteString(QStringLiteral("Location"), QStringLiteral("C:\\IKARI.EXE"));
    ASSERT_TRUE(s.OpenKey(oldKey.child(QStringLiteral("Specific")), true));
    s.WriteBool(QStringLiteral("Joystick"), true);

    const KeyPath taken = StorePaths::Entry(QStringLiteral("Taken"));
    ASSERT_TRUE(s.OpenKey(taken, true));
    s.MoveKey(oldKey, taken, true);
    EXPECT_TRUE(s.KeyExists(oldKey));
    EXPECT_FALSE(s.KeyExists(taken.child(QStringLiteral("Specific"))));

    s.MoveKey(StorePaths::Entry(QStringLiteral("Nothing")),
              StorePaths::Entry(QStringLiteral("Else")), true);
    EXPECT_FALSE(s.KeyExists(StorePaths::Entry(QStringLiteral("Else"))));

    s.MoveKey(oldKey, oldKey.child(QStringLiteral("Inside")), true);  // never below itself
    EXPECT_FALSE(s.KeyExists(oldKey.child(QStringLiteral("Inside"))));

    s.MoveKey(oldKey, newKey, true);
    EXPECT_FALSE(s.KeyExists(oldKey));
    ASSERT_TRUE(s.OpenKey(newKey, false));
    EXPECT_EQ(s.ReadString(QStringLiteral("Location")), QStringLiteral("C:\\IKARI.EXE"));
    ASSERT_TRUE(s.OpenKey(newKey.child(QStringLiteral("Specific")), false));
    EXPECT_TRUE(s.ReadBool(QStringLiteral("Joystick")));
}

TEST_F(SettingsStoreTest, AGameNameWithABackslashIsOneKey) {
    SettingsStore s = handle();
    const QString name = QStringLiteral("AC\\DC: Live");
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(name), true));
    s.WriteString(QStringLiteral("Location"), QStringLiteral("#"));
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_EQ(s.GetKeyNames(), QStringList{name});
    EXPECT_FALSE(s.KeyExists(StorePaths::Entry(QStringLiteral("AC"))));
    EXPECT_TRUE(s.DeleteKey(StorePaths::Entry(name)));
    EXPECT_TRUE(s.GetKeyNames().isEmpty());
}

TEST_F(SettingsStoreTest, EveryWriteIsAtOnceVisibleToAnotherConnection) {
    SettingsStore writer = handle();
    auto second = StoreDatabase::open(file());
    SettingsStore reader(second);
    ASSERT_TRUE(writer.OpenKey(StorePaths::Root(), true));
    writer.WriteString(QStringLiteral("Current"), QStringLiteral("Galaga"));
    ASSERT_TRUE(reader.OpenKey(StorePaths::Root(), false));
    EXPECT_EQ(reader.ReadString(QStringLiteral("Current")), QStringLiteral("Galaga"));
}

// A child process writes and is killed with SIGKILL before it can close anything;
// the parent reads what it wrote, and also sees what the child reads from the parent.
TEST_F(SettingsStoreTest, AKilledProcessLosesNothingItWrote) {
    {
        SettingsStore s = handle();
        ASSERT_TRUE(s.OpenKey(StorePaths::Root(), true));
        s.WriteString(QStringLiteral("From Parent"), QStringLiteral("hello"));
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
        const QString seen = s.ReadString(QStringLiteral("From Parent"));
        s.WriteString(QStringLiteral("Seen By Child"), seen);
        s.WriteInteger(QStringLiteral("Written Before Kill"), 42);
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
    EXPECT_EQ(s.ReadInteger(QStringLiteral("Written Before Kill")), 42);
    EXPECT_EQ(s.ReadString(QStringLiteral("Seen By Child")), QStringLiteral("hello"));
}

TEST_F(SettingsStoreTest, ADamagedFileIsReportedAndNeverOverwritten) {
    QDir().mkpath(dir.path() + u"/store");
    const QByteArray garbage =
        QByteArray("This is not a database at all, just text.\n").repeated(200);
    {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(garbage);
    }
    try {
        StoreDatabase::open(file());
        FAIL() << "a text file was accepted as a store";
    } catch (const StoreOpenError& e) {
        EXPECT_TRUE(e.message().contains(file()));
        EXPECT_TRUE(e.message().contains(QStringLiteral("left as it is")));
    }
    QFile f(file());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), garbage);
}

TEST_F(SettingsStoreTest, ADatabaseOfAnotherProgramIsRefused) {
    QDir().mkpath(dir.path() + u"/store");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file()).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "CREATE TABLE photos(id INTEGER); INSERT INTO photos VALUES(1);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);
    QFile before(file());
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray content = before.readAll();
    EXPECT_THROW(StoreDatabase::open(file()), StoreOpenError);
    QFile after(file());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), content);
}

// An empty database carries nothing but its header: the application id and
// user version say whose it is.
TEST_F(SettingsStoreTest, AnEmptyDatabaseOfAnotherProgramIsRefusedAndOursIsMarked) {
    QDir().mkpath(dir.path() + u"/store");
    for (const char* header : {"PRAGMA application_id = 1234", "PRAGMA user_version = 7"}) {
        QFile::remove(file());
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(file()).constData(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, header, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(other);
        EXPECT_THROW(StoreDatabase::open(file()), StoreOpenError) << header;
    }
    QFile::remove(file());
    StoreDatabase::open(file());
    sqlite3* ours = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file()).constData(), &ours), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(ours, "PRAGMA application_id", -1, &st, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    const int id = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    // A store made before the stamp (our tables, no id) is still ours.
    ASSERT_EQ(sqlite3_exec(ours, "PRAGMA application_id = 0", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(ours);
    EXPECT_NE(id, 0);
    EXPECT_NO_THROW(StoreDatabase::open(file()));
}

}  // namespace
