#include <gtest/gtest.h>

#include "BatchHarness.h"
#include "support/Text.h"

// "if [not] errorlevel N" and "if [not] exist FILE" guard the next step of a
// script; each case ends in "md C:\HIT" under the condition tried.
namespace {

void prepare(BatchHarness& h) {
    h.writeProgram(q("C:\\T\\EXIT3.EXE"), q("exit 3"));
    h.writeProgram(q("C:\\T\\EXIT0.EXE"), q("exit 0"));
    h.inst.writeLines(q("C:\\T\\INNER.BAT"), {q("C:\\T\\EXIT3.EXE"), q("md C:\\T\\SUB")});
    h.writeFiles({"C:\\D\\A.ROM", "C:\\Program Files\\x.txt"});
}

TEST(Condition, ErrorLevelAndExistAsDosHasThem) {
    const struct {
        std::vector<const char*> before;
        const char* line;
        bool runs;
    } cases[] = {
        // errorlevel N holds for N or more; a program sets it to its exit code.
        {{"C:\\T\\EXIT3.EXE"}, "if errorlevel 3 md C:\\HIT", true},
        {{"C:\\T\\EXIT3.EXE"}, "if errorlevel 4 md C:\\HIT", false},
        {{"C:\\T\\EXIT3.EXE"}, "IF NOT ERRORLEVEL 4 md C:\\HIT", true},
        {{"C:\\T\\EXIT3.EXE"}, "if not errorlevel 3 md C:\\HIT", false},
        {{}, "if errorlevel 0 md C:\\HIT", true},
        {{}, "if errorlevel 1 md C:\\HIT", false},
        {{"C:\\T\\EXIT3.EXE", "C:\\T\\EXIT0.EXE"}, "if errorlevel 1 md C:\\HIT", false},
        {{"C:\\T\\NOPE.EXE"}, "if errorlevel 1 md C:\\HIT", true},
        // A failing builtin sets 1; one that succeeds, and an if that runs
        // nothing, leave what the last program set.
        {{"md C:\\D"}, "if errorlevel 1 md C:\\HIT", true},
        {{"md C:\\D"}, "if errorlevel 2 md C:\\HIT", false},
        {{"C:\\T\\EXIT3.EXE", "md C:\\NEW", "if errorlevel 9 C:\\T\\EXIT0.EXE"},
         "if errorlevel 3 md C:\\HIT",
         true},
        // A called script leaves the errorlevel of its last program.
        {{"C:\\T\\INNER.BAT"}, "if errorlevel 3 md C:\\HIT", true},
        {{"C:\\T\\EXIT3.EXE", "if errorlevel 1 exit"}, "if errorlevel 0 md C:\\HIT", false},
        // exist: files only, ignoring case, wildcards in the last component.
        {{}, "if exist C:\\D\\a.rom md C:\\HIT", true},
        {{}, "if exist C:\\D\\B.ROM md C:\\HIT", false},
        {{}, "if not exist C:\\D\\B.ROM md C:\\HIT", true},
        {{}, "if exist C:\\D\\?.R* md C:\\HIT", true},
        {{}, "if exist C:\\D\\*.BIN md C:\\HIT", false},
        {{"cd C:\\D"}, "if exist A.ROM md C:\\HIT", true},
        {{}, "if exist \"C:\\Program Files\\x.txt\" md C:\\HIT", true},
        {{}, "if exist C:\\D md C:\\HIT", false},
        {{}, "if exist C:\\D\\NUL md C:\\HIT", true},
        {{}, "if exist C:\\NONE\\NUL md C:\\HIT", false},
        {{}, "if not exist Q:\\A.ROM md C:\\HIT", true},
        {{}, "if exist C:\\D\\A.ROM if not exist C:\\D\\B.ROM md C:\\HIT", true},
        {{}, "if exist C:\\D\\A.ROM if exist C:\\D\\B.ROM md C:\\HIT", false},
    };
    for (const auto& c : cases) {
        BatchHarness h;
        prepare(h);
        QStringList lines;
        for (const char* line : c.before) {
            lines << q(line);
        }
        const auto result = h.run(lines << q(c.line));
        EXPECT_EQ(h.exists(q("C:\\HIT")), c.runs) << c.line << "\n" << result.log.toStdString();
    }
}

TEST(Condition, CommandKeepsItsWordsAndRedirectionAndRunsOnlyWhenTheConditionHolds) {
    BatchHarness h;
    prepare(h);
    const auto result = h.run({q("if exist C:\\D\\B.ROM echo no > C:\\NO.TXT"),
                               q("if exist C:\\D\\A.ROM echo  found  it > C:\\YES.TXT")});
    EXPECT_EQ(result.exitCode, 0) << result.log.toStdString();
    EXPECT_TRUE(result.log.contains(q("ok: condition not met, not run")));
    EXPECT_FALSE(h.exists(q("C:\\NO.TXT")));
    EXPECT_EQ(h.read(q("C:\\YES.TXT")), QByteArray(" found  it\r\n"));
}

TEST(Condition, MalformedIfFailsAndRunsNothing) {
    for (const char* line : {"if errorlevel x md C:\\HIT", "if errorlevel -1 md C:\\HIT",
                             "if exist C:\\D\\A.ROM", "if not", "if a==a md C:\\HIT"}) {
        BatchHarness h;
        prepare(h);
        const auto result = h.run({q(line)});
        EXPECT_EQ(result.exitCode, 1) << line;
        EXPECT_TRUE(result.log.contains(q("failed: "))) << line;
        EXPECT_FALSE(h.exists(q("C:\\HIT"))) << line;
    }
}

}  // namespace
