#include "launch/JoyEmuPanel.h"

#include <gtest/gtest.h>

#include "support/TempInstallation.h"

TEST(JoyEmuPanel, KeyFileDialogStartsInTheJoyCpFolder) {
    TempInstallation inst;
    inst.writeFile(QStringLiteral("C:\\Joy\\JOYCP.EXE"), "x");
    inst.writeFile(QStringLiteral("C:\\Keys\\Pac.ks"), "x");
    const DosFileSystem fs = inst.fs();
    const OpenFileRequest request = JoyEmuKeyfileRequest(fs, QStringLiteral("C:\\KEYS\\PAC.KS"),
                                                         QStringLiteral("C:\\JOY\\JOYCP.EXE"));
    EXPECT_EQ(request.filter, QStringLiteral("JoyEmu Keyfiles (*.KS)|*.KS"));
    EXPECT_EQ(request.defaultExtension, QStringLiteral("KS"));
    EXPECT_EQ(request.initialFolder, inst.root() + QStringLiteral("/c/Joy"));
    EXPECT_EQ(request.initialFile, inst.root() + QStringLiteral("/c/Keys/Pac.ks"));

    const OpenFileRequest unset = JoyEmuKeyfileRequest(fs, QStringLiteral("GONE.KS"), QString());
    EXPECT_EQ(unset.initialFolder, QString());
    EXPECT_EQ(unset.initialFile, QStringLiteral("GONE.KS"));
}
