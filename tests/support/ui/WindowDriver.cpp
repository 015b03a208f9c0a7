#include "support/ui/WindowDriver.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/ui/TFMain.h"
#include "launch/ui/PlayCommand.h"
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

QStringList offeredEmulators(const TFMain& main) {
    auto& dialog = control<QDialog>(main, QStringLiteral("FSearchOptions"));
    dialog.show();
    QStringList names;
    for (const char* list : {"LBYes", "LBNo"}) {
        const auto& items = control<QListWidget>(dialog, QString::fromLatin1(list));
        for (int i = 0; i < items.count(); ++i) {
            names << items.item(i)->text();
        }
    }
    dialog.hide();
    return names;
}

LaunchCount::LaunchCount(const TFMain& main)
    : spy_(std::make_unique<QSignalSpy>(&control<PlayCommand>(main, QStringLiteral("Play")),
                                        &PlayCommand::launched)) {}

LaunchCount::~LaunchCount() = default;

int LaunchCount::count() const {
    return int(spy_->count());
}

void standInForALaunch(TFMain& main) {
    emit control<PlayCommand>(main, QStringLiteral("Play")).launched();
}
