#include "launch/JoyEmuPanel.h"

#include <gtest/gtest.h>

#include "support/TempInstallation.h"

TEST(JoyEmuPanel, KeyFileDialogStartsInTheJoyCpFolder) {
    TempInstallation inst;
    inst.writeFile(u"C:\\Joy\\JOYCP.EXE"_qs, "x");
    inst.writeFile(u"C:\\Keys\\Pac.ks"_qs, "x");
    const DosFileSystem fs = inst.fs();
    const OpenFileRequest request =
        JoyEmuKeyfileRequest(fs, u"C:\\KEYS\\PAC.KS"_qs, u"C:\\JOY\\JOYCP.EXE"_qs);
    EXPECT_EQ(request.filter, u"JoyEmu Keyfiles (*.KS)|*.KS"_qs);
    EXPECT_EQ(request.defaultExtension, u"KS"_qs);
    EXPECT_EQ(request.initialFolder, inst.root() + u"/c/Joy"_qs);
    EXPECT_EQ(request.initialFile, inst.root() + u"/c/Keys/Pac.ks"_qs);

    const OpenFileRequest unset = JoyEmuKeyfileRequest(fs, u"GONE.KS"_qs, QString());
    EXPECT_EQ(unset.initialFolder, QString());
    EXPECT_EQ(unset.initialFile, u"GONE.KS"_qs);
}
