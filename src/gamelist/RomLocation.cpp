#include "gamelist/RomLocation.h"

#include <QSet>

#include "catalogue/EmulatorDefinition.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "gamelist/FoundFilesIndex.h"
#include "platform/Dialogs.h"
#include "platform/DosPath.h"

namespace RomLocation {
namespace {

Result missing() {
    return Result{false, QString::fromUtf16(kMissing), false};
}

// Several acceptable candidates: the dialog decides.
Result askUser(const EmulatorDefinition& emulator, QString& chosenRomDirectory,
               const QStringList& candidates, const Hooks& hooks) {
    const Answer answer = hooks.ask ? hooks.ask(Question{emulator.emulatorId, candidates})
                                    : Answer{mrCancel, QString()};
    const bool chosen = !answer.item.isEmpty() && candidates.contains(answer.item);
    switch (answer.modalResult) {
        case mrAll:
            if (chosen) {
                chosenRomDirectory = DosPath::directoryPart(answer.item);
            }
            [[fallthrough]];
        case mrOk:
            return chosen ? Result{true, answer.item, false} : missing();
        case mrCancel:
            return Result{false, QString::fromUtf16(kMissing), true};
        default:
            return missing();
    }
}

}  // namespace

bool IsAcceptableExtension(const QString& path, const QString& extensions) {
    const QString extension = DosPath::extension(path).mid(1).toUpper();
    return extension == u"ZIP" ||
           (!extension.isEmpty() && extensions.toUpper().contains(extension));
}

QStringList FilterCandidates(const QStringList& candidates, const QString& extensions,
                             const QString& chosenRomDirectory) {
    QStringList kept;
    for (const QString& candidate : candidates) {
        if (IsAcceptableExtension(candidate, extensions) &&
            (chosenRomDirectory.isEmpty() || candidate.contains(chosenRomDirectory))) {
            kept << candidate;
        }
    }
    return kept;
}

Result Find(const AppContext& ctx, const FoundFilesIndex& files, const EmulatorDefinition& emulator,
            QString& chosenRomDirectory, const QString& shortName, const QString& emulatorDirectory,
            const Hooks& hooks) {
    QString name = shortName;
    QSet<QString> searched;
    Result result = missing();
    for (int step = 0; step <= kMaxParentChain; ++step) {
        searched.insert(name.toCaseFolded());
        const QString parent = ParentName(ctx, emulator, name);
        if (hooks.showNames) {
            hooks.showNames(emulator.lbName, name.toUpper(), parent.toUpper());
        }
        const QString romName = GameDirectoryName(ctx, emulator, name);
        if (emulator.type != u"CONSOLE" && IsGameDirectory(ctx.fs(), emulatorDirectory + romName)) {
            result = Result{true, QString::fromUtf16(kDirectory), false};
            break;
        }
        QStringList candidates = files.romCandidates(romName);
        if (candidates.size() == 1 &&
            !IsAcceptableExtension(candidates.front(), emulator.extensions)) {
            candidates.clear();
        }
        if (candidates.isEmpty()) {
            // A clone falls back to its parent's ROM; a parent already
            // searched in this chain ends it.
            if (parent != name && !searched.contains(parent.toCaseFolded())) {
                name = parent;
                continue;
            }
            break;
        }
        if (candidates.size() == 1) {
            result = Result{true, candidates.front(), false};
            break;
        }
        const QStringList kept =
            FilterCandidates(candidates, emulator.extensions, chosenRomDirectory);
        if (kept.size() == 1) {
            result = Result{true, kept.front(), false};
        } else if (kept.size() > 1) {
            result = askUser(emulator, chosenRomDirectory, kept, hooks);
        }
        break;
    }
    if (hooks.showLocation) {
        hooks.showLocation(result.location);
    }
    return result;
}

}  // namespace RomLocation
