#include "gamelist/ui/ListMaintenanceCommands.h"

#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "context/BatchRunner.h"
#include "context/SelectionCommands.h"
#include "context/SelectionSource.h"
#include "context/StatusLine.h"
#include "context/StatusProgress.h"
#include "gamelist/ChangeEmulators.h"
#include "gamelist/ListCleanup.h"
#include "gamelist/ListFill.h"
#include "gamelist/RemoveFromList.h"
#include "gamelist/RomSearch.h"
#include "gamelist/ui/TFNewEmu.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"
#include "platform/ui/MenuItem.h"
#include "settings/KeyPath.h"
#include "settings/StoreSchema.h"

ListMaintenanceCommands::ListMaintenanceCommands(AppContext& ctx, const EmulatorTable& emulators,
                                                 const ErrorGuard& guard, StatusLine& status,
                                                 SelectionSource& selection, RomSearch& romSearch,
                                                 QWidget* window)
    : QObject(window),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      status_(status),
      selection_(selection),
      romSearch_(romSearch),
      Addtolist1(
          newMenuItem(this, "Addtolist1", QStringLiteral("&Add to list"),
                      QStringLiteral("Searches for a single ROM and adds it to the list if found"),
                      Qt::Key_Insert)),
      Removefromlist1(newMenuItem(this, "Removefromlist1", QStringLiteral("Remo&ve from list"),
                                  QStringLiteral("Remove this game from the list"))),
      ChangeEmulators1(
          newMenuItem(this, "ChangeEmulators1", QStringLiteral("&Change Emulators..."),
                      QStringLiteral("Allows you to use a different emulator for this ROM"))),
      LongNameCleanup1(newMenuItem(
          this, "LongNameCleanup1", QStringLiteral("List Box Cleanup..."),
          QStringLiteral("Gets rid of entries no longer present in the INI and LST files"))),
      FNewEmu(new TFNewEmu(window)) {
    ChangeEmulators1->setEnabled(false);
    guard_.connect(Addtolist1, &QAction::triggered, this,
                   &ListMaintenanceCommands::Addtolist1Click);
    guard_.connect(Removefromlist1, &QAction::triggered, this,
                   &ListMaintenanceCommands::Removefromlist1Click);
    guard_.connect(LongNameCleanup1, &QAction::triggered, this,
                   &ListMaintenanceCommands::ListBoxCleanup1Click);
    guard_.connect(ChangeEmulators1, &QAction::triggered, this,
                   &ListMaintenanceCommands::ChangeEmulators1Click);
}

void ListMaintenanceCommands::Offer(const SelectionCommands& commands, bool changeEmulators) {
    Removefromlist1->setEnabled(commands.removeFromList);
    Addtolist1->setEnabled(commands.addToList);
    ChangeEmulators1->setEnabled(changeEmulators);
}

void ListMaintenanceCommands::Addtolist1Click() {
    const std::optional<SelectedEntry> entry = EnsuredEntry(selection_);
    // Without a loaded emulator there is nowhere to look.
    if (!entry || !emulators_.isValidIndex(entry->emulatorIndex)) {
        return;
    }
    const RomLocation::Result found = romSearch_.SearchRom(
        entry->shortName, entry->emulatorIndex, DosPath::directoryPart(entry->emulatorLocation));
    if (!found.found) {
        return;
    }
    ListFill::WriteCurrent(ctx_, entry->name);
    SettingsStore store = ctx_.store();
    if (store.OpenKey(StorePaths::Entry(entry->name), false)) {
        store.WriteString(StoreSchema::kLocation.name(), found.location);
    }
    emit listsChanged();
}

void ListMaintenanceCommands::Removefromlist1Click() {
    const std::optional<SelectedEntry> entry = EnsuredEntry(selection_);
    if (!entry) {
        return;
    }
    const EmulatorDefinition* emulator = emulators_.find(entry->emulatorIndex);
    if (emulator != nullptr && entry->name == emulator->lbName) {
        return;  // an emulator's own entry stays
    }
    Dialogs& dialogs = ctx_.dialogs();
    if (entry->missing) {
        if (dialogs.messageBox(QString::fromUtf16(RemoveFromList::kRemoveQuestion),
                               MessageKind::Warning, MessageButtons::OkCancel) != mrOk) {
            return;
        }
        SettingsStore store = ctx_.store();
        store.DeleteKey(StorePaths::Entry(entry->name));
        emit listsChanged();
        return;
    }

    // Gathered while the entry is still selected and found.
    RemoveFromList::RomFiles rom;
    rom.location = entry->location;
    rom.emulatorDirectory = DosPath::directoryPart(entry->emulatorLocation);
    rom.romName = emulator != nullptr ? GameDirectoryName(ctx_, *emulator, entry->shortName)
                                      : entry->shortName;
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
    if (dialogs.messageBoxDefaultNo(QString::fromUtf16(RemoveFromList::kDeleteRomsQuestion),
                                    MessageKind::Warning, MessageButtons::YesNo) == mrYes) {
        ScriptWords words(ctx_.fs());
        line = RemoveFromList::RomDeletionLine(ctx_.fs(), rom, words);
        if (!line) {
            dialogs.messageBox(words.message(u"The ROMs of \"" + entry->name +
                                             u"\" cannot be deleted; the game was left as it was"),
                               MessageKind::Error, MessageButtons::Ok);
            return;
        }
    }
    SettingsStore store = ctx_.store();
    RemoveFromList::MarkMissing(store, entry->name);
    const RunOutcome deletion =
        line ? BatchRunner(ctx_).RunScript({*line}, ShowMode::Minimised) : RunOutcome::started();
    emit listsChanged();
    // Said once the list shows the game as missing: its ROMs are still there.
    if (!deletion.ok()) {
        dialogs.messageBox(
            u"The ROMs of \"" + entry->name + u"\" were not deleted: " + deletion.message(),
            MessageKind::Error, MessageButtons::Ok);
    }
}

void ListMaintenanceCommands::ListBoxCleanup1Click() {
    if (ctx_.dialogs().messageBox(QString::fromUtf16(ListCleanup::kQuestion),
                                  MessageKind::Confirmation, MessageButtons::YesNo) != mrYes) {
        return;
    }
    StatusProgress progress(status_);
    progress.begin(QStringLiteral("Cleaning up..."), 0);
    const QStringList deleted = ListCleanup::Run(
        ctx_, emulators_, [&progress](const QString& name, qsizetype done, qsizetype total) {
            if (done == 0) {
                progress.begin(u"Cleaning up " + name + u"...", total);
            } else if (progress.due()) {
                progress.show(done, u"Cleaning up " + name + u"...");
            }
        });
    progress.end();
    emit listsChanged();
    // Said last: the rebuild shows its own texts on the way.
    const qsizetype count = deleted.size();
    status_.SetStatus(QLocale().toString(count) +
                      (count == 1 ? u" outdated entry deleted" : u" outdated entries deleted"));
}

void ListMaintenanceCommands::ChangeEmulators1Click() {
    if (!selection_.EnsureSelection()) {
        return;
    }
    const QString entryName = selection_.CurrentEntryName();
    SettingsStore store = ctx_.store();
    const std::vector<ChangeEmulators::Choice> choices =
        ChangeEmulators::Choices(store, entryName, emulators_);
    QStringList names;
    for (const ChangeEmulators::Choice& choice : choices) {
        names << choice.listName;
    }
    FNewEmu->Offer(names);
    if (ctx_.dialogs().execDialog(*FNewEmu) != mrOk) {
        return;
    }
    const int row = FNewEmu->ChosenRow();
    if (row < 0 || row >= int(choices.size())) {
        return;
    }
    ChangeEmulators::MakeEmulator(store, entryName, choices[size_t(row)].number);
    emit selectedEntryChanged();
}
