#include "support/ui/WindowDriver.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include "app/ui/TFMain.h"
#include "support/TempInstallation.h"

void selectItem(GameListWidget& list, const QString& itemText) {
    const int index = list.indexOf(itemText);
    if (index < 0) {
        throw std::runtime_error("no item " + itemText.toStdString());
    }
    list.setItemIndex(index);
    QTest::keyRelease(&list, Qt::Key_Shift);
}

void typeKey(GameListWidget& list, Qt::Key key) {
    QTest::keyClick(&list, key);
}

ToolLocations shownLocations(TempInstallation& inst, TFMain& main) {
    ToolLocations shown;
    inst.dialogs.answerDialog(mrCancel, [&shown](QObject& dialog) {
        for (const LocationRow& row : kLocationRows) {
            shown.*row.field = control<QLineEdit>(dialog, QString::fromLatin1(row.editName)).text();
        }
    });
    menuItem(main, QStringLiteral("Locations1")).trigger();
    return shown;
}

void enterLocation(TempInstallation& inst, TFMain& main, const QString& field,
                   const QString& text) {
    inst.dialogs.answerDialog(
        mrOk, [field, text](QObject& dialog) { control<QLineEdit>(dialog, field).setText(text); });
    menuItem(main, QStringLiteral("Locations1")).trigger();
}

QString shownSearchDrives(const TFMain& main) {
    const auto& dialog = control<QDialog>(main, QStringLiteral("FSearchOptions"));
    return control<QLineEdit>(dialog, QStringLiteral("ESearchDrives")).text();
}
