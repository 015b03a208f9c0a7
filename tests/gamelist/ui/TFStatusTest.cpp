// TFStatus as a real dialog: its texts, the buttons that need a selection
// and the modal result of each button.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "gamelist/ui/TFStatus.h"
#include "platform/Dialogs.h"

namespace {

// Shows the dialog modally and lets `act` press something once it is up.
int runDialog(TFStatus& dialog, const std::function<void()>& act) {
    QTimer::singleShot(0, &dialog, act);
    return dialog.exec();
}

}  // namespace

TEST(ListBuildStatusDialog, TextsAndButtons) {
    TFStatus dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("For this emulator..."));
    EXPECT_EQ(dialog.Memo1->toPlainText(),
              QStringLiteral("Please select the correct ROM and press Select.\n"
                             "If none of the files is the correct ROM then press None.\n"
                             "Press All to make this directory the default for this Emulator."));
    EXPECT_TRUE(dialog.Memo1->isReadOnly());
    EXPECT_EQ(dialog.BSelect->text(), QStringLiteral("&Select"));
    EXPECT_EQ(dialog.BNone->text(), QStringLiteral("&None"));
    EXPECT_EQ(dialog.BCancel->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(dialog.BSelect->isDefault());

    dialog.Prepare(QStringLiteral("DKONG"), QStringLiteral("MAME"),
                   {QStringLiteral("C:\\A\\DKONG.ZIP"), QStringLiteral("D:\\B\\DKONG.ZIP")});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select ROM for DKONG on MAME..."));
    EXPECT_EQ(dialog.BAll->text(), QStringLiteral("&All mame"));
    EXPECT_EQ(dialog.LBROMList->count(), 2);
    EXPECT_FALSE(dialog.BSelect->isEnabled());
    EXPECT_FALSE(dialog.BAll->isEnabled());
    EXPECT_TRUE(dialog.SelectedItem().isEmpty());

    dialog.show();
    const QRect second = dialog.LBROMList->visualItemRect(dialog.LBROMList->item(1));
    QTest::mouseClick(dialog.LBROMList->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_TRUE(dialog.BSelect->isEnabled());
    EXPECT_TRUE(dialog.BAll->isEnabled());
    EXPECT_EQ(dialog.SelectedItem(), QStringLiteral("D:\\B\\DKONG.ZIP"));
    dialog.hide();

    // A new question starts without a selection again.
    dialog.Prepare(QStringLiteral("PUCKMAN"), QStringLiteral("NEO"),
                   {QStringLiteral("C:\\X.ZIP"), QStringLiteral("C:\\Y.ZIP")});
    EXPECT_FALSE(dialog.BSelect->isEnabled());
    EXPECT_EQ(dialog.BAll->text(), QStringLiteral("&All neo"));
}

TEST(ListBuildStatusDialog, ModalResults) {
    TFStatus dialog;
    const QStringList items{QStringLiteral("C:\\A\\DKONG.ZIP"), QStringLiteral("D:\\B\\DKONG.ZIP")};
    const auto prepared = [&] {
        dialog.Prepare(QStringLiteral("DKONG"), QStringLiteral("MAME"), items);
        dialog.LBROMList->setCurrentRow(0);
    };
    prepared();
    EXPECT_EQ(runDialog(dialog, [&] { dialog.BSelect->click(); }), mrOk);
    prepared();
    EXPECT_EQ(runDialog(dialog, [&] { dialog.BAll->click(); }), mrAll);
    prepared();
    EXPECT_EQ(runDialog(dialog, [&] { dialog.BNone->click(); }), mrNo);
    prepared();
    EXPECT_EQ(runDialog(dialog, [&] { dialog.BCancel->click(); }), mrCancel);
    prepared();
    EXPECT_EQ(runDialog(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }), mrCancel);
    prepared();
    EXPECT_EQ(runDialog(dialog, [&] { QTest::keyClick(dialog.LBROMList, Qt::Key_Return); }), mrOk);
}
