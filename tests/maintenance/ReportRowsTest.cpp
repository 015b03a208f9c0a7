// What the printed reports list.
#include <gtest/gtest.h>

#include "maintenance/ReportRows.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"

namespace ReportRows {

void PrintTo(const Row& r, std::ostream* os) {
    *os << '{' << r.name.toStdString() << '|' << r.second.toStdString() << '|'
        << r.third.toStdString() << '|' << r.shaded << '}';
}

}  // namespace ReportRows

namespace {

using ReportRows::Row;

void writeGame(SettingsStore& store, const QString& name,
               std::initializer_list<std::pair<const char*, const char*>> values) {
    store.OpenKey(StorePaths::Entry(name), true);
    for (const auto& [n, v] : values) {
        store.WriteString(QString::fromUtf8(n), QString::fromUtf8(v));
    }
}

TEST(ReportRows, MissingRomsTakeTheFramedGamesWithFurtherSets) {
    TempInstallation inst;
    SettingsStore store(inst.database());
    writeGame(store, QStringLiteral("Galaga"),
              {{"Shortname", "galaga"},
               {"Emulator", "MAME"},
               {"Shortname1", "galagao"},
               {"Emulator1", "RAGE"},
               {"Shortname2", "gallag"},
               {"Emulator2", "MAME"}});
    writeGame(store, QStringLiteral("Xevious"), {{"Shortname", "xevious"}});
    // A real name holding brackets is no missing game.
    const QStringList items = {QStringLiteral("Apple ]["), QStringLiteral("Pong (Rev E) [TTL]"),
                               QStringLiteral("[ Galaga ]"), QStringLiteral("[ Xevious ]"),
                               QStringLiteral("[ Zaxxon ]")};
    const std::vector<Row> expected = {
        {QStringLiteral("Galaga"), QStringLiteral("galaga"), QStringLiteral("MAME"), false},
        {QString(), QStringLiteral("galagao"), QStringLiteral("RAGE"), false},
        {QString(), QStringLiteral("gallag"), QStringLiteral("MAME"), false},
        {QStringLiteral("Xevious"), QStringLiteral("xevious"), QString(), true},
        {QStringLiteral("Zaxxon"), QString(), QString(), false},
    };
    EXPECT_EQ(ReportRows::MissingRoms(store, items, false), expected);

    // No missing game: no section; only missing games: all of them.
    EXPECT_TRUE(ReportRows::MissingRoms(store, items.mid(0, 2), false).empty());
    EXPECT_EQ(ReportRows::MissingRoms(store, items.mid(3), false).size(), 2u);
    EXPECT_EQ(ReportRows::MissingRoms(store, items.mid(3), false)[0].shaded, false);

    // The list build numbers further sets by character code: the tenth is ":".
    store.OpenKey(StorePaths::Entry(QStringLiteral("Xevious")), false);
    for (int n = 1; n <= 10; ++n) {
        store.WriteString(u"Shortname" + QChar(u'0' + n), QStringLiteral("set%1").arg(n));
    }
    const std::vector<Row> sets = ReportRows::MissingRoms(store, items.mid(3, 1), false);
    ASSERT_EQ(sets.size(), 11u);
    EXPECT_EQ(sets.back().second, QStringLiteral("set10"));
}

TEST(ReportRows, PictureCandidatesLeaveOutTheMissingGames) {
    EXPECT_EQ(ReportRows::PictureCandidates({QStringLiteral("Apple ]["), QStringLiteral("B"),
                                             QStringLiteral("[ C ]"), QStringLiteral("D")},
                                            false),
              QStringList({QStringLiteral("Apple ]["), QStringLiteral("B"), QStringLiteral("D")}));
}

TEST(ReportRows, ProperPictureCases) {
    const struct {
        const char* path;
        const char* shortName;
        const char* entry;
        const char* parent;
        bool proper;
    } cases[] = {
        {"C:\\BRIVANEL\\BITMAPS\\MAME\\PACMAN.BMP", "pacman", "Pac-Man", "puckman", true},
        {"C:\\BRIVANEL\\BITMAPS\\PUCKMAN.BMP", "pacman", "Pac-Man", "puckman", true},
        {"C:\\BRIVANEL\\BITMAPS\\PUCK.BMP", "puckman", "Puck Man", "puckman", false},
        {"C:\\BRIVANEL\\BITMAPS\\MS. PAC-MAN.JPG", "mspacman", "Ms. Pac-Man (Bootleg)", "mspacman",
         true},
        {"C:\\BRIVANEL\\BITMAPS\\XPACMANX.BMP", "pacman", "Pac", "", true},  // holds the entry
        {"C:\\BRIVANEL\\BITMAPS\\APACMAN.BMP", "pacman", "Galaga", "", false},
        {"", "pacman", "Pac-Man", "pacman", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            ReportRows::HasProperPicture(QString::fromUtf8(c.path), QString::fromUtf8(c.shortName),
                                         QString::fromUtf8(c.entry), QString::fromUtf8(c.parent)),
            c.proper)
            << c.path;
    }
    EXPECT_EQ(ReportRows::QuestionablePicture(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\PUCK.BMP"),
                                              QStringLiteral("C:\\BRIVANEL\\")),
              QStringLiteral("...\\puck.bmp"));
}

}  // namespace
