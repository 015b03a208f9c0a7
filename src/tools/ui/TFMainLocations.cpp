// The main window's entry to the tool locations.
#include <QMenu>

#include "app/ui/GuardedHandler.h"
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "tools/ui/TFFileLocations.h"

void TFMain::CreateToolMenus() {
    Locations1 = new QAction(QStringLiteral("&Locations..."), this);
    Locations1->setStatusTip(
        QStringLiteral("Set the locations of PKZIP, PKUNZIP, ZipMagic, JoyEmu, JoyCP and UniVBE"));
    Locations1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    // The first command of the File menu.
    File1->insertAction(File1->actions().value(0), Locations1);
    connectGuarded(Locations1, &QAction::triggered, this, &TFMain::Locations1Click);
}

void TFMain::Locations1Click() {
    ctx_.dialogs().execDialog(*FFileLocations);
}
