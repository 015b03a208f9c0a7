#include "support/ui/WindowDriver.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

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

void runTimer(const QObject& window, const QString& name, int ticks,
              const std::function<void()>& eachTick) {
    auto& timer = control<QTimer>(window, name);
    int seen = 0;
    const QMetaObject::Connection watch = QObject::connect(&timer, &QTimer::timeout, [&] {
        if (eachTick) {
            eachTick();
        }
        if (++seen == ticks) {
            timer.stop();
        }
    });
    timer.start();
    EXPECT_TRUE(QTest::qWaitFor([&seen, ticks] { return seen >= ticks; }, 60000));
    QObject::disconnect(watch);
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
