// The menu items of reports, game maintenance, key help and the lock.
#include "app/ui/GuardedHandler.h"
#include "app/ui/TFMain.h"

namespace {

QAction* newItem(QObject* owner, const QString& caption, const QString& hint,
                 const QKeySequence& shortcut = QKeySequence()) {
    auto* action = new QAction(caption, owner);
    action->setStatusTip(hint);
    action->setShortcut(shortcut);
    return action;
}

}  // namespace

void TFMain::CreateMaintenanceMenus() {
    // File: the reports, then the lock and Uninstall, all before "E&xit".
    const QList<QAction*> fileItems = File1->actions();
    QAction* beforeExit = fileItems.value(fileItems.indexOf(Exit1) - 1, Exit1);
    PrintMissingROMs1 = newItem(this, QStringLiteral("Print Missing ROMs..."), QString());
    PrintMissingPictures1 = newItem(this, QStringLiteral("Print Missing Pictures..."), QString());
    Lock1 = newItem(this, QStringLiteral("Lock..."), QString());
    Uninstall1 = newItem(this, QStringLiteral("Uninstall..."),
                         QStringLiteral("Complete Uninstall, including Registry keys"));
    File1->insertSeparator(beforeExit);
    File1->insertActions(beforeExit, {PrintMissingROMs1, PrintMissingPictures1});
    File1->insertSeparator(beforeExit);
    File1->insertActions(beforeExit, {Lock1, Uninstall1});
    connectGuarded(PrintMissingROMs1, &QAction::triggered, this, &TFMain::PrintMissingROMs1Click);
    connectGuarded(PrintMissingPictures1, &QAction::triggered, this,
                   &TFMain::PrintMissingPictures1Click);
    connectGuarded(Lock1, &QAction::triggered, this, &TFMain::Lock1Click);
    connectGuarded(Uninstall1, &QAction::triggered, this, &TFMain::Uninstall1Click);

    // Game: key help and the per-game file commands.
    Game1->addSeparator();
    Keys1 = newItem(this, QStringLiteral("&Keys..."),
                    QStringLiteral("Shows the emulator or game-specific keys"),
                    QKeySequence(Qt::CTRL | Qt::Key_K));
    Game1->addAction(Keys1);
    connectGuarded(Keys1, &QAction::triggered, this, &TFMain::Keys1Click);
    Advanced1 = Game1->addMenu(QStringLiteral("&Delete Configuration Files"));
    const struct {
        QAction** item;
        const char16_t* caption;
        const char16_t* hint;
        void (TFMain::*handler)();
    } deletes[] = {
        {&DeleteHighScoreFile1, u"Delete &High Score File", u"Resets high scores for this game",
         &TFMain::DeleteHighScoreFile1Click},
        {&DeleteNVRAMfile1, u"Delete &NVRAM file",
         u"Deletes saved RAM file (may reset high scores)", &TFMain::DeleteNVRAMfile1Click},
        {&DeleteConfigFile1, u"Delete &Config File",
         u"Deletes configuration file, which may contain just about anything, see readme for "
         u"details",
         &TFMain::DeleteConfigFile1Click},
        {&DeleteDipswitchFile1, u"Delete &Dipswitch File", u"Resets arcade game's dipswitches",
         &TFMain::DeleteDipswitchFile1Click},
        {&DeleteKeyFile1, u"Delete &Key File", u"Resets key definitions to defaults",
         &TFMain::DeleteKeyFile1Click},
    };
    for (const auto& d : deletes) {
        *d.item = newItem(this, QString::fromUtf16(d.caption), QString::fromUtf16(d.hint));
        Advanced1->addAction(*d.item);
        connectGuarded(*d.item, &QAction::triggered, this, d.handler);
    }
    FixROM1 = newItem(this, QStringLiteral("&Fix ROM"),
                      QStringLiteral("Fixes ROMs with embedded subdirectories"));
    AddSoundSample1 =
        newItem(this, QStringLiteral("Add &Sound Samples..."),
                QStringLiteral("Add sound samples to this game from a zipped sample file"),
                QKeySequence(Qt::CTRL | Qt::Key_S));
    Game1->addActions({FixROM1, AddSoundSample1});
    connectGuarded(FixROM1, &QAction::triggered, this, &TFMain::FixROM1Click);
    connectGuarded(AddSoundSample1, &QAction::triggered, this, &TFMain::AddSoundSample1Click);

    // Help: the manual and the About box.
    DisplayREADME1 = newItem(this, QStringLiteral("&Display README..."),
                             QStringLiteral("Displays the HTML Readme file in your Web browser"));
    About1 = newItem(this, QStringLiteral("&About..."),
                     QStringLiteral("To those who made it all possible..."));
    Help1->addActions({DisplayREADME1, About1});
    connectGuarded(DisplayREADME1, &QAction::triggered, this, &TFMain::DisplayREADME1Click);
    connectGuarded(About1, &QAction::triggered, this, &TFMain::About1Click);
}
