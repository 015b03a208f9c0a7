// TFNewEmu as a real dialog: its texts, the first item chosen when it is
// shown, and the modal result of each way out.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <functional>

#include "gamelist/ui/TFNewEmu.h"
#include "platform/Dialogs.h"

namespace {

int runDialog(TFNewEmu& dialog, const std::function<void()>& act) {
    QTimer::singleShot(0, &dialog, act);
    return dialog.exec();
}

TEST(ChangeEmulatorDialog, TextsFirstItemAndResults) {
    TFNewEmu dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Change Emulator To"));
    EXPECT_EQ(dialog.BOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.BCancel->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(dialog.BOK->isDefault());
    dialog.LBNewEmu->addItems({QStringLiteral("CPS {Arcade}"), QStringLiteral("NEO {Arcade}")});

    int rowWhenShown = -2;
    EXPECT_EQ(runDialog(dialog,
                        [&] {
                            rowWhenShown = dialog.LBNewEmu->currentRow();
                            dialog.LBNewEmu->setCurrentRow(1);
                            dialog.BOK->click();
                        }),
              mrOk);
    EXPECT_EQ(rowWhenShown, 0);
    EXPECT_EQ(dialog.LBNewEmu->currentRow(), 1);

    // Shown again, it starts from the first item once more.
    EXPECT_EQ(runDialog(dialog,
                        [&] {
                            rowWhenShown = dialog.LBNewEmu->currentRow();
                            dialog.BCancel->click();
                        }),
              mrCancel);
    EXPECT_EQ(rowWhenShown, 0);
    EXPECT_EQ(runDialog(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); }), mrOk);
    EXPECT_EQ(runDialog(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }), mrCancel);
}

}  // namespace
