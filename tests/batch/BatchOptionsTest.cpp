#include "batch/BatchOptions.h"
#include "support/Text.h"

#include <gtest/gtest.h>

TEST(BatchOptions, AcceptsOneScriptOrOneCommandLine) {
    const BatchOptions script = BatchOptions::parse(
        {q("--drives"), q("C:=/srv/c"), q("--show=2"), q("/srv/c/BRIVANEL/Execute.bat")});
    EXPECT_TRUE(script.error.isEmpty());
    EXPECT_EQ(script.drives, q("C:=/srv/c"));
    EXPECT_EQ(script.show, q("minimised"));
    EXPECT_EQ(script.script, q("/srv/c/BRIVANEL/Execute.bat"));
    const BatchOptions command = BatchOptions::parse({q("--command"), q("C:\\ZM\\ZM.EXE /e-")});
    EXPECT_EQ(command.command, q("C:\\ZM\\ZM.EXE /e-"));
    for (const QStringList& bad :
         {QStringList{}, QStringList{q("--command")}, QStringList{q("A.BAT"), q("B.BAT")},
          QStringList{q("--show"), q("maximised"), q("A.BAT")},
          QStringList{q("--command=cd"), q("A.BAT")}, QStringList{q("--quiet"), q("A.BAT")}}) {
        EXPECT_FALSE(BatchOptions::parse(bad).error.isEmpty()) << bad.join(u' ').toStdString();
    }
}
