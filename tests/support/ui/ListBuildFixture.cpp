#include "support/ui/ListBuildFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "gamelist/GameStep.h"
#include "gamelist/ui/GameListWidget.h"
#include "settings/KeyPath.h"
#include "support/StandIn.h"
#include "tools/ui/TFFileLocations.h"
#include "tools/ui/TFSearchOptions.h"

ListBuildInstallation::ListBuildInstallation() = default;
ListBuildInstallation::~ListBuildInstallation() = default;

void ListBuildInstallation::writeDefinition(const QString& id, const QString& lbName,
                                            const QString& type, const QStringList& extra) {
    QStringList lines{QStringLiteral("[Emulator]"), u"LBName=" + lbName, u"Type=" + type};
    lines << extra;
    inst.writeLines(u"C:\\BRIVANEL\\" + id + u".ini", lines);
}

void ListBuildInstallation::writeStandIn(const QString& dosPath, const QString& shellBody) {
    StandIn::writeProgram(inst, dosPath, shellBody);
}

void ListBuildInstallation::writeFile(const QString& dosPath, const QByteArray& content) {
    inst.writeFile(dosPath, content);
}

void ListBuildInstallation::writeExistingStore() {
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Root(), true);
    store.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
    store.WriteString(QStringLiteral("Drives To Search"), QStringLiteral("C:;D:"));
}

TFMain& ListBuildInstallation::start() {
    main_ = std::make_unique<TFMain>(inst.context());
    main_->FormActivate();
    main_->FFileLocations->EDrives->setText(QStringLiteral("C:;D:"));
    return *main_;
}

void ListBuildInstallation::updateGameList(const QStringList& chosen) {
    answerSearchOptions(chosen);
    main_->UpdateGameList1Click();
}

void ListBuildInstallation::answerSearchOptions(const QStringList& chosen) {
    inst.dialogs.answerDialog(mrOk, [chosen, this](QObject& dialog) {
        auto& options = static_cast<TFSearchOptions&>(dialog);
        options.LBYes->clear();
        options.LBNo->clear();
        for (int i = 1; i <= main_->state.emulators.count(); ++i) {
            const QString name = main_->state.emulators.at(i).lbName;
            (chosen.contains(name) ? options.LBYes : options.LBNo)->addItem(name);
        }
    });
}

bool ListBuildInstallation::interpreterBuilt() {
    return QFileInfo(TempInstallation::batchInterpreter()).isExecutable();
}

void ListBuildInstallation::runRecordedScripts() {
    const auto& starts = inst.starter.starts();
    for (; scriptsRun_ < starts.size(); ++scriptsRun_) {
        const RecordingProcessStarter::Start& s = starts[scriptsRun_];
        QProcess process;
        process.setWorkingDirectory(s.workingFolder);
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(s.program, s.arguments);
        process.waitForFinished(120000);
    }
}

// Whether a line after the game counter still names a game.
bool ListBuildInstallation::gamesLeft() const {
    const EmulatorDefinition& emulator = main_->state.emulators.at(main_->listBuild.ListBuildIndex);
    for (qsizetype i = main_->listBuild.Timer1Tag; i < main_->listBuild.ListBuildLines.size();
         ++i) {
        if (GameStep::ResolveGameNames(main_->context(), emulator,
                                       main_->listBuild.ListBuildLines[i])) {
            return true;
        }
    }
    return false;
}

int ListBuildInstallation::finishTicks(int maxTicks) {
    return tick(maxTicks, false);
}

int ListBuildInstallation::ticksToLastGame(int maxTicks) {
    return tick(maxTicks, true);
}

int ListBuildInstallation::tick(int maxTicks, bool stopAtLastGame) {
    int ticks = 0;
    while (main_->Timer1->isActive() && ticks < maxTicks) {
        if (stopAtLastGame && main_->listBuild.Timer1Tag > 0 && !gamesLeft()) {
            break;
        }
        runRecordedScripts();
        const size_t startsBefore = inst.starter.starts().size();
        const bool waitingBefore = main_->listBuild.Timer1Tag == 0;
        const int emulatorBefore = main_->listBuild.ListBuildIndex;
        main_->Timer1Timer();
        ++ticks;
        const bool stillWaiting = main_->Timer1->isActive() && main_->listBuild.Timer1Tag == 0;
        if (waitingBefore && stillWaiting && main_->listBuild.ListBuildIndex == emulatorBefore &&
            inst.starter.starts().size() == startsBefore) {
            break;  // the list file is not there, and no script is left to make it
        }
    }
    return ticks;
}

bool ListBuildInstallation::entryExists(const QString& entry) {
    SettingsStore store(inst.database());
    return store.KeyExists(StorePaths::Entry(entry));
}

QString ListBuildInstallation::value(const QString& entry, const QString& name) {
    SettingsStore store(inst.database());
    if (!store.OpenKey(StorePaths::Entry(entry), false)) {
        return QStringLiteral("<no entry>");
    }
    return store.ValueExists(name) ? store.ReadString(name) : QStringLiteral("<none>");
}

QString ListBuildInstallation::rootValue(const QString& name) {
    SettingsStore store(inst.database());
    store.OpenKey(StorePaths::Root(), false);
    return store.ValueExists(name) ? store.ReadString(name) : QStringLiteral("<none>");
}

QStringList ListBuildInstallation::listItems() const {
    return main_->currentListBox->items();
}
