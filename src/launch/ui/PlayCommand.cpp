#include "launch/ui/PlayCommand.h"

#include <QStyle>

#include "catalogue/EmulatorTable.h"
#include "context/AppContext.h"
#include "context/BatchRunner.h"
#include "context/SelectionSource.h"
#include "context/StatusLine.h"
#include "launch/LaunchOptions.h"
#include "launch/LaunchPlan.h"
#include "launch/LaunchScript.h"
#include "launch/PlayReturn.h"
#include "platform/ScriptWord.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

PlayCommand::PlayCommand(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                         StatusLine& status, const ToolLocations& tools, SelectionSource& selection,
                         LaunchOptions& options, QWidget* buttonParent)
    : QObject(buttonParent),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      status_(status),
      tools_(tools),
      selection_(selection),
      options_(options),
      BPlay(new QPushButton(buttonParent)) {
    setObjectName(QStringLiteral("Play"));
    BPlay->setObjectName(QStringLiteral("BPlay"));
    BPlay->setIcon(BPlay->style()->standardIcon(QStyle::SP_MediaPlay));
    BPlay->setIconSize(QSize(32, 32));
    BPlay->setMinimumHeight(44);
    guard_.connect(BPlay, &QPushButton::clicked, this, &PlayCommand::BPlayClick);
}

void PlayCommand::BPlayClick() {
    const std::optional<SelectedEntry> entry = EnsuredEntry(selection_);
    QString whyNot;
    const EmulatorDefinition* emulator = LaunchableEmulator(entry, whyNot);
    if (emulator == nullptr) {
        status_.SetStatus(whyNot);
        return;
    }
    const LaunchOptions::Choices choices = options_.ChoicesForLaunch(*emulator);
    const LaunchRequest request{entry->shortName, entry->location, entry->emulatorLocation,
                                choices.panel,    choices.keyFile, tools_};
    ScriptWords words(ctx_.fs());
    QString emulatorLine;
    const std::optional<QStringList> lines =
        launchLines(ctx_, *emulator, request, words, &emulatorLine);
    if (!words.ok()) {
        ctx_.dialogs().messageBox(words.message(u'"' + entry->name + u"\" cannot be played"),
                                  MessageKind::Error, MessageButtons::Ok);
        return;
    }
    if (!lines) {
        ctx_.dialogs().messageBox(QString::fromUtf16(kCannotUnzipWarning), MessageKind::Warning,
                                  MessageButtons::Ok);
        return;
    }
    if (const RunOutcome run = BatchRunner(ctx_).RunScript(*lines, ShowMode::Normal); !run.ok()) {
        // Nothing runs, so nothing may count as played or close the window.
        ctx_.dialogs().messageBox(u'"' + entry->name + u"\" cannot be played: " + run.message(),
                                  MessageKind::Error, MessageButtons::Ok);
        return;
    }
    // The next start looks in the log at how this line ended.
    SettingsStore root = ctx_.store();
    if (StoreSchema::openRoot(root, false)) {
        StoreSchema::kLaunchedLine.writeTo(root, emulatorLine);
    }
    emit launched();
}

std::optional<PlayReturn> PlayCommand::TakePlayReturn() {
    SettingsStore root = ctx_.store();
    if (!StoreSchema::openRoot(root, false)) {
        return std::nullopt;
    }
    return ::TakePlayReturn(ctx_, root);
}

const EmulatorDefinition* PlayCommand::LaunchableEmulator(const std::optional<SelectedEntry>& entry,
                                                          QString& whyNot) const {
    if (!entry) {
        whyNot = QStringLiteral("Nothing to play: the list shows no game.");
        return nullptr;
    }
    const QString cannot = u'"' + entry->name + QStringLiteral("\" cannot be played: ");
    if (entry->missing) {
        whyNot = cannot + QStringLiteral("its ROM was not found (Add to list searches for it).");
        return nullptr;
    }
    const EmulatorDefinition* emulator = emulators_.find(entry->emulatorIndex);
    if (emulator == nullptr) {
        whyNot = cannot + QStringLiteral("its emulator's definition is not loaded.");
        return nullptr;
    }
    if (!isLaunchable(*emulator, launchRomName(ctx_, *emulator, entry->shortName))) {
        whyNot = cannot + QStringLiteral("it has no short name to start it with.");
        return nullptr;
    }
    return emulator;
}
