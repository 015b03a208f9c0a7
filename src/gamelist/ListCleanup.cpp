#include "gamelist/ListCleanup.h"

#include <algorithm>

#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "platform/DosPath.h"
#include "platform/TextCodec.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace ListCleanup {

namespace {

QString reversed(QString text) {
    std::reverse(text.begin(), text.end());
    return text;
}

bool holdsLineBreak(const QString& name) {
    return name.contains(u'\r') || name.contains(u'\n');
}

}  // namespace

ReferenceLines::ReferenceLines(const QString& text) {
    const QStringList lines = TextCodec::splitLines(text);
    reversedEndings_.reserve(size_t(lines.size()) * 2);
    for (const QString& line : lines) {
        reversedEndings_.push_back(reversed(line));
        if (line.endsWith(u'"')) {
            reversedEndings_.push_back(reversed(line.chopped(1)));
        }
        joined_ += line;
        joined_ += QStringLiteral("\r\n");
    }
    std::sort(reversedEndings_.begin(), reversedEndings_.end());
}

bool ReferenceLines::lists(const QString& name) const {
    if (holdsLineBreak(name)) {
        return joined_.contains(name + QStringLiteral("\"\r\n")) ||
               joined_.contains(name + QStringLiteral("\r\n"));
    }
    const QString key = reversed(name);
    const auto it = std::lower_bound(reversedEndings_.begin(), reversedEndings_.end(), key);
    return it != reversedEndings_.end() && it->startsWith(key);
}

const ReferenceLines* ReferenceFiles::lines(const QString& dosPath) {
    auto it = files_.constFind(dosPath);
    if (it == files_.constEnd()) {
        const std::optional<QByteArray> bytes = ctx_.fs().readFile(dosPath);
        it = files_.insert(
            dosPath,
            bytes ? std::make_shared<const ReferenceLines>(TextCodec::decode(*bytes)) : nullptr);
    }
    return it->get();
}

std::optional<QString> ReferenceFilePath(const AppContext& ctx, const EmulatorTable& emulators,
                                         const QString& entryName, const QString& emulatorId) {
    if (entryName.contains(u'{')) {
        if (!DosPath::isSafeName(emulatorId)) {
            return std::nullopt;
        }
        return ctx.ProgramDirectory() + emulatorId + u".ini";
    }
    const int index = emulators.EmulatorIndexById(emulatorId);
    if (index == 0) {
        return std::nullopt;
    }
    return ListFilePath(ctx, emulators.at(index));
}

QStringList Run(const AppContext& ctx, const EmulatorTable& emulators, const Progress& progress) {
    SettingsStore store = ctx.store();
    if (!StoreSchema::openRoot(store, false)) {
        return {};
    }
    std::vector<SubkeyValues> entries =
        store.ReadSubkeyValues({StoreSchema::kEmulator.name(), StoreSchema::kLocation.name()});
    std::sort(entries.begin(), entries.end(), [](const SubkeyValues& a, const SubkeyValues& b) {
        const int order = QString::compare(a.name(), b.name(), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.name() < b.name();
    });

    ReferenceFiles files(ctx);
    // The list file of each "Emulator" value, looked up once.
    QHash<QString, std::optional<QString>> listFiles;
    QStringList deleted;
    qsizetype done = 0;
    for (const SubkeyValues& entry : entries) {
        const QString& name = entry.name();
        if (progress) {
            progress(name, done++, qsizetype(entries.size()));
        }
        const QString emulatorId = StoreSchema::kEmulator.readFrom(entry);
        std::optional<QString> path;
        if (name.contains(u'{')) {
            path = ReferenceFilePath(ctx, emulators, name, emulatorId);
        } else {
            auto known = listFiles.constFind(emulatorId);
            if (known == listFiles.constEnd()) {
                known = listFiles.insert(emulatorId,
                                         ReferenceFilePath(ctx, emulators, name, emulatorId));
            }
            path = *known;
        }
        const ReferenceLines* lines = path ? files.lines(*path) : nullptr;
        bool current = lines != nullptr && lines->lists(name);
        if (current) {
            const QString location = StoreSchema::kLocation.readFrom(entry);
            current = !location.contains(u'.') || ctx.fs().fileExists(location);
        }
        if (!current) {
            deleted << name;
        }
    }
    QList<KeyPath> keys;
    keys.reserve(deleted.size());
    for (const QString& name : deleted) {
        keys << StorePaths::Entry(name);
    }
    if (!store.DeleteKeys(keys)) {
        return {};  // the store refused: nothing was deleted, and nothing is reported so
    }
    return deleted;
}

}  // namespace ListCleanup
