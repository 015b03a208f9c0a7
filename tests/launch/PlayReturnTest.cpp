// How the emulator's line of a launch ended, read back from brivanel-batch's
// log: the line's last run counts, and a line still running has no outcome.
#include <gtest/gtest.h>

#include <QStringList>

#include "launch/PlayReturn.h"
#include "support/Text.h"

namespace {

const QString kLine = q("C:\\EMU\\MAME.EXE pong -window");

QString log(std::initializer_list<const char*> lines) {
    QStringList text;
    for (const char* line : lines) {
        text << QString::fromUtf8(line);
    }
    return text.join(q("\r\n")) + q("\r\n");
}

}  // namespace

TEST(PlayReturn, TheEmulatorLinesLastOutcomeInTheLog) {
    const struct {
        QString log;
        std::optional<LineFailure> expected;
    } cases[] = {
        {log({"C:\\EMU>C:\\EMU\\MAME.EXE pong -window", "    failed: exit status 2",
              "    last output: Fatal error: Required files are missing",
              "C:\\EMU>\"C:\\BRIVANEL\\brivanel\""}),
         LineFailure{q("exit status 2"), q("Fatal error: Required files are missing")}},
        {log({"C:\\EMU>C:\\EMU\\MAME.EXE pong -window", "    failed: Bad command or file name - X",
              "C:\\EMU>deltree /y C:\\EMU\\pong", "    ok"}),
         LineFailure{q("Bad command or file name - X"), {}}},
        // Ran twice (a script that calls itself again): the last run counts.
        {log({"C:\\EMU>C:\\EMU\\MAME.EXE pong -window", "    failed: exit status 1",
              "C:\\EMU>C:\\EMU\\MAME.EXE pong -window", "    ok"}),
         std::nullopt},
        // Other lines' failures are not the emulator's; a line without its
        // outcome has not ended.
        {log({"C:\\>C:\\PK\\PKUNZIP.EXE C:\\ZIPS\\PONG.ZIP", "    failed: exit status 11",
              "C:\\EMU>C:\\EMU\\MAME.EXE pong -window"}),
         std::nullopt},
        {log({"C:\\EMU>C:\\EMU\\MAME.EXE pong -window -nofilter", "    failed: exit status 6"}),
         std::nullopt},
        {QString(), std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<LineFailure> found = FailureInLog(c.log, kLine);
        ASSERT_EQ(found.has_value(), c.expected.has_value()) << c.log.toStdString();
        if (found) {
            EXPECT_EQ(found->status, c.expected->status);
            EXPECT_EQ(found->said, c.expected->said);
        }
    }
}
