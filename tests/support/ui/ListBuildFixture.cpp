#include "support/ui/ListBuildFixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>

#include "app/StartupLogic.h"
#include "gamelist/GameStep.h"
#include "settings/KeyPath.h"
#include "support/StandIn.h"
#include "support/ui/WindowDriver.h"

ListBuildInstallation::ListBuildInstallation(const QString& programFolder) : inst(programFolder) {}
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
    // Loaded from what the start-up is about to load from.
    emulators_.clear();
    StartupLogic::LoadEmulators(inst.context(), emulators_);
    main_->FormActivate();
    return *main_;
}

ListBuildController& ListBuildInstallation::listBuild() {
    return control<ListBuildController>(*main_, QStringLiteral("ListBuild"));
}

void ListBuildInstallation::updateGameList(const QStringList& chosen, bool fast) {
    answerSearchOptions(chosen, fast);
    menuItem(*main_, QStringLiteral("UpdateGameList1")).trigger();
}

void ListBuildInstallation::answerSearchOptions(const QStringList& chosen, bool fast) {
    inst.dialogs.answerDialog(mrOk, [chosen, fast](QObject& dialog) {
        auto& yes = control<QListWidget>(dialog, QStringLiteral("LBYes"));
        control<QListWidget>(dialog, QStringLiteral("LBNo")).clear();
        yes.clear();
        yes.addItems(chosen);
        control<QLineEdit>(dialog, QStringLiteral("ESearchDrives"))
            .setText(QStringLiteral("C:;D:"));
        control<QCheckBox>(dialog, QStringLiteral("CBFastListBuild")).setChecked(fast);
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
bool ListBuildInstallation::gamesLeft() {
    const ListBuildState& build = listBuild().State();
    const EmulatorDefinition& emulator = emulators_.at(build.ListBuildIndex);
    for (qsizetype i = build.Timer1Tag; i < build.ListBuildLines.size(); ++i) {
        if (GameStep::ResolveGameNames(inst.context(), emulator, build.ListBuildLines[i])) {
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

void ListBuildInstallation::waitForFacts() {
    QElapsedTimer reading;
    reading.start();
    while (listBuild().IsReadingFacts() && reading.elapsed() < 600000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
}

int ListBuildInstallation::tick(int maxTicks, bool stopAtLastGame) {
    ListBuildController& build = listBuild();
    int ticks = 0;
    while (build.IsRunning() && ticks < maxTicks) {
        if (stopAtLastGame && build.State().Timer1Tag > 0 && !gamesLeft()) {
            break;
        }
        runRecordedScripts();
        if (build.State().Timer1Tag == 0) {
            waitForFacts();
        }
        const size_t startsBefore = inst.starter.starts().size();
        const bool waitingBefore = build.State().Timer1Tag == 0;
        const int emulatorBefore = build.State().ListBuildIndex;
        build.Timer1Timer();
        ++ticks;
        const bool stillWaiting = build.IsRunning() && build.State().Timer1Tag == 0;
        if (waitingBefore && stillWaiting && build.State().ListBuildIndex == emulatorBefore &&
            inst.starter.starts().size() == startsBefore && !build.IsReadingFacts()) {
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
    return currentList(*main_).items();
}
