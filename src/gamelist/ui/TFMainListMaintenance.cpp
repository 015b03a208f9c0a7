// Add to list, Remove from list, List Box Cleanup and Change Emulators: the
// commands that change single entries between list builds.
#include <QAction>

#include "app/ui/GuardedHandler.h"
#include "app/ui/TFMain.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "gamelist/ChangeEmulators.h"
#include "gamelist/ListCleanup.h"
#include "gamelist/RemoveFromList.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/TFNewEmu.h"
#include "launch/BatchRunner.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"
#include "settings/KeyPath.h"
#include "settings/StoreSchema.h"
#include "tools/ProgressThrottle.h"

namespace {

// Often enough to show the clean-up moving, rarely enough that painting
// does not become its work.
constexpr qint64 kCleanupRepaintMs = 50;

QAction* newItem(QObject* parent, const QString& caption, const QString& hint) {
    auto* item = new QAction(caption, parent);
    item->setStatusTip(hint);
    return item;
}

}  // namespace

void TFMain::CreateListMaintenanceMenus() {
    Addtolist1 =
        newItem(this, QStringLiteral("&Add to list"),
                QStringLiteral("Searches for a single ROM and adds it to the list if found"));
    Addtolist1->setShortcut(QKeySequence(Qt::Key_Insert));
    Removefromlist1 = newItem(this, QStringLiteral("Remo&ve from list"),
                              QStringLiteral("Remove this game from the list"));
    ChangeEmulators1 =
        newItem(this, QStringLiteral("&Change Emulators..."),
                QStringLiteral("Allows you to use a different emulator for this ROM"));
    ChangeEmulators1->setEnabled(false);
    QAction* first = Game1->actions().value(0);
    Game1->insertActions(first, {Addtolist1, Removefromlist1, ChangeEmulators1});
    Game1->insertSeparator(first);

    LongNameCleanup1 =
        newItem(this, QStringLiteral("List Box Cleanup..."),
                QStringLiteral("Gets rid of entries no longer present in the INI and LST files"));
    const QList<QAction*> fileItems = File1->actions();
    const qsizetype rebuild = fileItems.indexOf(RemoveALLRegistryKeys1);
    File1->insertAction(fileItems.value(rebuild + 1), LongNameCleanup1);

    connectGuarded(Addtolist1, &QAction::triggered, this, &TFMain::Addtolist1Click);
    connectGuarded(Removefromlist1, &QAction::triggered, this, &TFMain::Removefromlist1Click);
    connectGuarded(LongNameCleanup1, &QAction::triggered, this, &TFMain::ListBoxCleanup1Click);
    connectGuarded(ChangeEmulators1, &QAction::triggered, this, &TFMain::ChangeEmulators1Click);
    FNewEmu = new TFNewEmu(this);
}

void TFMain::Addtolist1Click() {
    if (currentListBox->count() == 0) {
        return;
    }
    const QString entryName = CurrentEntryName();
    const int emulatorIndex = CurrentEmulatorIndex();
    // Without a loaded emulator there is nowhere to look.
    if (!state.emulators.isValidIndex(emulatorIndex)) {
        return;
    }
    state.listBuildAbort = false;
    const QString emulatorDirectory = DosPath::directoryPart(CurrentEmulatorLocation());
    const RomLocation::Result found =
        FindRomLocation(CurrentShortName(), emulatorIndex, emulatorDirectory);
    if (!found.found) {
        return;
    }
    SettingsStore store = ctx_.store();
    if (store.OpenKey(StorePaths::Root(), false)) {
        store.WriteString(QStringLiteral("Current"), entryName);
    }
    if (store.OpenKey(StorePaths::Entry(entryName), false)) {
        store.WriteString(StoreSchema::kLocation.name(), found.location);
    }
    RebuildLists();
}

void TFMain::Removefromlist1Click() {
    if (currentListBox->count() == 0) {
        return;
    }
    const QString entryName = CurrentEntryName();
    const int emulatorIndex = CurrentEmulatorIndex();
    const EmulatorDefinition* emulator = state.emulators.find(emulatorIndex);
    if (emulator != nullptr && entryName == emulator->lbName) {
        return;  // an emulator's own entry stays
    }
    Dialogs& dialogs = ctx_.dialogs();
    const QString itemText = currentListBox->item(currentListBox->itemIndex());
    if (isMissingGameItem(itemText, byCount1->isChecked())) {
        if (dialogs.messageBox(QString::fromUtf16(RemoveFromList::kRemoveQuestion),
                               MessageKind::Warning, MessageButtons::OkCancel) != mrOk) {
            return;
        }
        SettingsStore store = ctx_.store();
        store.DeleteKey(StorePaths::Entry(entryName));
        RebuildLists();
        return;
    }

    // Gathered while the entry is still selected and found.
    RemoveFromList::RomFiles rom;
    rom.location = CurrentLocation();
    rom.emulatorDirectory = DosPath::directoryPart(CurrentEmulatorLocation());
    const QString shortName = CurrentShortName();
    rom.romName = emulator != nullptr ? GameDirectoryName(ctx_, *emulator, shortName) : shortName;
    if (emulator != nullptr) {
        rom.emulatorType = emulator->type;
        rom.extensions = emulator->extensions;
    }

    if (dialogs.messageBox(QString::fromUtf16(RemoveFromList::kMarkQuestion), MessageKind::Warning,
                           MessageButtons::OkCancel) != mrOk) {
        return;
    }
    // The entry is marked only once its ROMs may go as asked: a refusal
    // leaves the game as it was.
    std::optional<QString> line;
    if (dialogs.messageBox(QString::fromUtf16(RemoveFromList::kDeleteRomsQuestion),
                           MessageKind::Warning, MessageButtons::YesNo) == mrYes) {
        ScriptWords words;
        line = RemoveFromList::RomDeletionLine(ctx_.fs(), rom, words);
        if (!line) {
            dialogs.messageBox(words.message(u"The ROMs of \"" + entryName +
                                             u"\" cannot be deleted; the game was left as it was"),
                               MessageKind::Error, MessageButtons::Ok);
            return;
        }
    }
    SettingsStore store = ctx_.store();
    RemoveFromList::MarkMissing(store, entryName);
    if (line) {
        BatchRunner(ctx_).RunScript({*line}, ShowMode::Minimised);
    }
    RebuildLists();
}

void TFMain::ListBoxCleanup1Click() {
    if (ctx_.dialogs().messageBox(QString::fromUtf16(ListCleanup::kQuestion),
                                  MessageKind::Confirmation, MessageButtons::YesNo) != mrYes) {
        return;
    }
    ProgressThrottle repaint(kCleanupRepaintMs);
    ListCleanup::Run(ctx_, state.emulators, [this, &repaint](const QString& name) {
        if (repaint.due()) {
            SetStatus(u"Cleaning up " + name + u"...");
        }
    });
    RebuildLists();
}

void TFMain::ChangeEmulators1Click() {
    if (currentListBox->count() == 0) {
        return;
    }
    const QString entryName = CurrentEntryName();
    SettingsStore store = ctx_.store();
    const std::vector<ChangeEmulators::Choice> choices =
        ChangeEmulators::Choices(store, entryName, state.emulators);
    FNewEmu->LBNewEmu->clear();
    for (const ChangeEmulators::Choice& choice : choices) {
        FNewEmu->LBNewEmu->addItem(choice.listName);
    }
    if (ctx_.dialogs().execDialog(*FNewEmu) != mrOk) {
        return;
    }
    const int row = FNewEmu->LBNewEmu->currentRow();
    if (row < 0 || row >= int(choices.size())) {
        return;
    }
    ChangeEmulators::MakeEmulator(store, entryName, choices[size_t(row)].number);
    ShowSelectedGame();
}
