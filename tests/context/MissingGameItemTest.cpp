#include <gtest/gtest.h>

#include <QString>

#include "context/Accessors.h"
#include "support/TempInstallation.h"

namespace {

struct ItemCase {
    const char16_t* itemText;
    bool showCount;
    bool missing;
    const char16_t* entryName;
};

// Real MAME names hold brackets; only the frame marks a missing game.
constexpr ItemCase kItems[] = {
    {u"Pong (Rev E) [TTL]", false, false, u"Pong (Rev E) [TTL]"},
    {u"Breakout [TTL]", false, false, u"Breakout [TTL]"},
    {u"Apple ][", false, false, u"Apple ]["},
    {u"0003 Pong (Rev E) [TTL]", true, false, u"Pong (Rev E) [TTL]"},
    {u"0000 Apple ][", true, false, u"Apple ]["},
    {u"[ Pong (Rev E) [TTL] ]", false, true, u"Pong (Rev E) [TTL]"},
    {u"0000 [ Breakout [TTL] ]", true, true, u"Breakout [TTL]"},
    {u"[ Apple ][ ]", false, true, u"Apple ]["},
    {u"[ Galaxian ]", false, true, u"Galaxian"},
    {u"[Galaxian]", false, false, u"[Galaxian]"},
    {u"[ Galaxian", false, false, u"[ Galaxian"},
    {u"[ ]", false, false, u"[ ]"},
    {u"12345 [ Frogger ]", true, true, u"Frogger"},
    // The prefix is only read when counts are shown.
    {u"0000 [ Frogger ]", false, false, u"0000 [ Frogger ]"},
};

TEST(MissingGameItem, OnlyTheFrameAfterTheCountMarksAMissingGame) {
    for (const ItemCase& c : kItems) {
        const QString text = QString::fromUtf16(c.itemText);
        EXPECT_EQ(isMissingGameItem(text, c.showCount), c.missing) << text.toStdString();
        EXPECT_EQ(EntryNameFromItemText(text, c.showCount), QString::fromUtf16(c.entryName))
            << text.toStdString();
    }
}

}  // namespace
