// TFStatus as a real dialog: its texts, the buttons that need a selection
// and the modal result of each button.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "gamelist/ui/TFStatus.h"
#include "platform/Dialogs.h"
#include "support/ui/WindowDriver.h"

namespace {

// Shows the dialog modally and lets `act` press something once it is up.
int runDialog(TFStatus& dialog, const std::function<void()>& act) {
    QTimer::singleShot(0, &dialog, act);
    return dialog.exec();
}

// The dialog and its controls, found by their names.
struct StatusDialog {
    TFStatus dialog;
    QTextEdit& memo = control<QTextEdit>(dialog, QStringLiteral("Memo1"));
    QListWidget& roms = control<QListWidget>(dialog, QStringLiteral("LBROMList"));
    QPushButton& select = control<QPushButton>(dialog, QStringLiteral("BSelect"));
    QPushButton& none = control<QPushButton>(dialog, QStringLiteral("BNone"));
    QPushButton& all = control<QPushButton>(dialog, QStringLiteral("BAll"));
    QPushButton& cancel = control<QPushButton>(dialog, QStringLiteral("BCancel"));
};

}  // namespace

TEST(ListBuildStatusDialog, TextsAndButtons) {
    StatusDialog d;
    TFStatus& dialog = d.dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("For this emulator..."));
    EXPECT_EQ(d.memo.toPlainText(),
              QStringLiteral("Please select the correct ROM and press Select.\n"
                             "If none of the files is the correct ROM then press None.\n"
                             "Press All to make this directory the default for this Emulator."));
    EXPECT_TRUE(d.memo.isReadOnly());
    EXPECT_EQ(d.select.text(), QStringLiteral("&Select"));
    EXPECT_EQ(d.none.text(), QStringLiteral("&None"));
    EXPECT_EQ(d.cancel.text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(d.select.isDefault());

    dialog.Prepare(QStringLiteral("DKONG"), QStringLiteral("MAME"),
                   {QStringLiteral("C:\\A\\DKONG.ZIP"), QStringLiteral("D:\\B\\DKONG.ZIP")});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select ROM for DKONG on MAME..."));
    EXPECT_EQ(d.all.text(), QStringLiteral("&All mame"));
    EXPECT_EQ(d.roms.count(), 2);
    EXPECT_FALSE(d.select.isEnabled());
    EXPECT_FALSE(d.all.isEnabled());
    EXPECT_TRUE(dialog.SelectedItem().isEmpty());

    dialog.show();
    const QRect second = d.roms.visualItemRect(d.roms.item(1));
    QTest::mouseClick(d.roms.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_TRUE(d.select.isEnabled());
    EXPECT_TRUE(d.all.isEnabled());
    EXPECT_EQ(dialog.SelectedItem(), QStringLiteral("D:\\B\\DKONG.ZIP"));
    dialog.hide();

    // A new question starts without a selection again.
    dialog.Prepare(QStringLiteral("PUCKMAN"), QStringLiteral("NEO"),
                   {QStringLiteral("C:\\X.ZIP"), QStringLiteral("C:\\Y.ZIP")});
    EXPECT_FALSE(d.select.isEnabled());
    EXPECT_EQ(d.all.text(), QStringLiteral("&All neo"));
}

TEST(ListBuildStatusDialog, ModalResults) {
    StatusDialog d;
    TFStatus& dialog = d.dialog;
    const QStringList items{QStringLiteral("C:\\A\\DKONG.ZIP"), QStringLiteral("D:\\B\\DKONG.ZIP")};
    const std::pair<std::function<void()>, int> ways[] = {
        {[&] { d.select.click(); }, mrOk},
        {[&] { d.all.click(); }, mrAll},
        {[&] { d.none.click(); }, mrNo},
        {[&] { d.cancel.click(); }, mrCancel},
        {[&] { QTest::keyClick(&dialog, Qt::Key_Escape); }, mrCancel},
        {[&] { QTest::keyClick(&d.roms, Qt::Key_Return); }, mrOk},
    };
    for (const auto& [act, result] : ways) {
        dialog.Prepare(QStringLiteral("DKONG"), QStringLiteral("MAME"), items);
        d.roms.setCurrentRow(0);
        EXPECT_EQ(runDialog(dialog, act), result);
    }
}
