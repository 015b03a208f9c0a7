// TFNewEmu as a real dialog: its texts, the first item chosen when it is
// shown, and the modal result of each way out.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <functional>

#include "gamelist/ui/TFNewEmu.h"
#include "platform/Dialogs.h"
#include "support/ui/WindowDriver.h"

namespace {

int runDialog(TFNewEmu& dialog, const std::function<void()>& act) {
    QTimer::singleShot(0, &dialog, act);
    return dialog.exec();
}

TEST(ChangeEmulatorDialog, TextsFirstItemAndResults) {
    TFNewEmu dialog;
    auto& list = control<QListWidget>(dialog, QStringLiteral("LBNewEmu"));
    auto& ok = control<QPushButton>(dialog, QStringLiteral("BOK"));
    auto& cancel = control<QPushButton>(dialog, QStringLiteral("BCancel"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Change Emulator To"));
    EXPECT_EQ(ok.text(), QStringLiteral("OK"));
    EXPECT_EQ(cancel.text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(ok.isDefault());
    dialog.Offer({QStringLiteral("CPS {Arcade}"), QStringLiteral("NEO {Arcade}")});

    int rowWhenShown = -2;
    EXPECT_EQ(runDialog(dialog,
                        [&] {
                            rowWhenShown = list.currentRow();
                            list.setCurrentRow(1);
                            ok.click();
                        }),
              mrOk);
    EXPECT_EQ(rowWhenShown, 0);
    EXPECT_EQ(dialog.ChosenRow(), 1);

    // Shown again, it starts from the first item once more.
    EXPECT_EQ(runDialog(dialog,
                        [&] {
                            rowWhenShown = list.currentRow();
                            cancel.click();
                        }),
              mrCancel);
    EXPECT_EQ(rowWhenShown, 0);
    EXPECT_EQ(runDialog(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); }), mrOk);
    EXPECT_EQ(runDialog(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }), mrCancel);
}

}  // namespace
