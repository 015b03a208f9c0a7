// Cutting key help out of emulator documents.
#include <gtest/gtest.h>

#include "catalogue/EmulatorDefinition.h"
#include "maintenance/KeyHelp.h"
#include "support/TempInstallation.h"

namespace {

QStringList lines(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts) {
        out << QString::fromUtf8(t);
    }
    return out;
}

struct PassageCase {
    const char* what;
    QStringList document;
    const char* marker;
    int blankLines;
    std::optional<QStringList> expected;
};

TEST(KeyHelp, GamePassageCases) {
    const QStringList eight = lines({"A", "", "", "-DKONG keys", "- jump = ctrl", "", "", "B"});
    const PassageCase cases[] = {
        {"marker line loses its dash, second line keeps it", eight, "DKONG", 2,
         lines({"DKONG keys", "- jump = ctrl"})},
        {"no blank lines asked: nothing is left", eight, "DKONG", 0, QStringList()},
        {"marker found whatever the case", lines({"x", "DKONG: Donkey Kong", "y"}), "dkong", 1,
         lines({"x", "DKONG: Donkey Kong", "y"})},
        {"no marker line", eight, "GALAGA", 2, std::nullopt},
        {"empty marker never matches", eight, "", 2, std::nullopt},
        {"lines up to the marker lose dashes going back, going forward from the third line",
         lines({"intro", "", "--title", "--sub", "DKONG", "--third", "-- fourth", "", "tail"}),
         "DKONG", 1, lines({"title", "sub", "DKONG", "third", " fourth"})},
        {"no run before the marker: starts after the leading blank lines",
         lines({"", "first", "DKONG", "", "after"}), "DKONG", 2,
         lines({"first", "DKONG", "", "after"})},
        {"blank lines of control characters and blanks count as blank",
         lines({"A", " \t", "DKONG", "\t", "B"}), "DKONG", 1, lines({"DKONG"})},
    };
    for (const PassageCase& c : cases) {
        EXPECT_EQ(KeyHelp::GamePassage(c.document, QString::fromUtf8(c.marker), c.blankLines),
                  c.expected)
            << c.what;
    }
}

TEST(KeyHelp, GameMarkerReplacesTheFirstPlaceholdersOnly) {
    EXPECT_EQ(KeyHelp::GameMarker(QStringLiteral("%sn%: %ln% (%sn%)"), QStringLiteral("dkong"),
                                  QStringLiteral("Donkey Kong")),
              QStringLiteral("dkong: Donkey Kong (%sn%)"));
}

TEST(KeyHelp, GeneralKeyListCases) {
    const QStringList doc =
        lines({"intro", "== KEYS ==", "Tab: menu", "-- end --", "P: pause", "-- end --", "x"});
    const struct {
        const char* begin;
        const char* end;
        QStringList expected;
    } cases[] = {
        {"== KEYS ==", "-- end --", lines({"== KEYS ==", "Tab: menu", "-- end --", "P: pause"})},
        {"== KEYS ==", "",
         lines({"== KEYS ==", "Tab: menu", "-- end --", "P: pause", "-- end --", "x"})},
        {"== keys ==", "-- end --", QStringList()},  // case-sensitive
        {"", "-- end --", QStringList()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            KeyHelp::GeneralKeyList(doc, QString::fromUtf8(c.begin), QString::fromUtf8(c.end)),
            c.expected)
            << c.begin << " / " << c.end;
    }
}

class KeyHelpFiles : public ::testing::Test {
protected:
    KeyHelpFiles() {
        emulator.lbName = QStringLiteral("MAME {Test}");
        emulator.keyHelpFile = QStringLiteral("DOCS\\KEYS.TXT");
        emulator.keyBegin = QStringLiteral("KEYS");
        emulator.keyEnd = QStringLiteral("END");
        emulator.gameSpecific = QStringLiteral("[%sn%]");
        emulator.gsBlankLines = 1;
        inst.writeLines(
            QStringLiteral("C:\\MAME\\DOCS\\KEYS.TXT"),
            lines({"x", "KEYS", "5: coin", "END", "", "[pacman]", "arrows: move", "", "[dkong]"}));
    }
    TempInstallation inst;
    EmulatorDefinition emulator;
};

TEST_F(KeyHelpFiles, GamePassageElseTheGeneralList) {
    const auto pacman = KeyHelp::PassageFor(inst.fs(), emulator, QStringLiteral("Pac-Man"),
                                            QStringLiteral("pacman"), QStringLiteral("C:\\MAME\\"));
    ASSERT_TRUE(pacman);
    EXPECT_EQ(pacman->caption, QStringLiteral("Keys for Pac-Man"));
    EXPECT_EQ(pacman->lines, lines({"[pacman]", "arrows: move"}));

    const auto galaga = KeyHelp::PassageFor(inst.fs(), emulator, QStringLiteral("Galaga"),
                                            QStringLiteral("galaga"), QStringLiteral("C:\\MAME\\"));
    ASSERT_TRUE(galaga);
    EXPECT_EQ(galaga->lines, lines({"KEYS", "5: coin"}));

    // The emulator's own entry: the general list, never a passage.
    const auto own = KeyHelp::PassageFor(inst.fs(), emulator, emulator.lbName,
                                         QStringLiteral("pacman"), QStringLiteral("C:\\MAME\\"));
    ASSERT_TRUE(own);
    EXPECT_EQ(own->lines, lines({"KEYS", "5: coin"}));
}

TEST_F(KeyHelpFiles, NoDocumentShowsNothingAndAMissingOneIsAnError) {
    EmulatorDefinition none = emulator;
    none.keyHelpFile.clear();
    EXPECT_FALSE(KeyHelp::PassageFor(inst.fs(), none, QStringLiteral("Galaga"),
                                     QStringLiteral("galaga"), QStringLiteral("C:\\MAME\\")));
    EXPECT_THROW(KeyHelp::PassageFor(inst.fs(), emulator, QStringLiteral("Galaga"),
                                     QStringLiteral("galaga"), QStringLiteral("C:\\OTHER\\")),
                 std::runtime_error);
}

}  // namespace
