#include "gamelist/ListFill.h"

#include <QHash>
#include <algorithm>
#include <optional>

#include "catalogue/EmulatorDefinition.h"
#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace ListFill {

namespace {

using StoreSchema::kCount;
using StoreSchema::kCurrent;
using StoreSchema::kEmulator;
using StoreSchema::kFavourite;
using StoreSchema::kLocation;
const QString kMissing = QStringLiteral("#");

// Further emulators are numbered by one character from "1" upward; the
// table holds at most 100 emulators, so a damaged store cannot make the
// walk run on.
constexpr int kMaxFurtherEmulators = 99;

QString furtherEmulatorValue(int number) {
    return StoreSchema::furtherName(kEmulator, number + 1);
}

// The upper-cased Type of the definition file that an entry's "Emulator"
// names, or nothing when that file does not exist. Thousands of entries name
// the same few emulators, so each name is looked up once per fill; the
// parsed file comes from the profile cache, which reads a changed file again.
class DefinitionTypes {
public:
    explicit DefinitionTypes(const AppContext& ctx) : ctx_(ctx) {}

    std::optional<QString> typeOf(const QString& emulatorId) {
        auto it = types_.constFind(emulatorId);
        if (it == types_.constEnd()) {
            it = types_.insert(emulatorId, lookUp(emulatorId));
        }
        return *it;
    }

private:
    std::optional<QString> lookUp(const QString& emulatorId) const {
        const QString path = ctx_.ProgramDirectory() + emulatorId + u".ini";
        if (!ctx_.fs().fileExists(path)) {
            return std::nullopt;
        }
        return ctx_.profiles()
            .get(ctx_.fs(), path)
            ->readString(QString::fromUtf16(kEmulatorSection), QStringLiteral("Type"), QString())
            .toUpper();
    }

    const AppContext& ctx_;
    QHash<QString, std::optional<QString>> types_;
};

// The emulator index for an "Emulator" value, remembered per value.
class EmulatorIndexes {
public:
    explicit EmulatorIndexes(const EmulatorTable& emulators) : emulators_(emulators) {}

    int indexOf(const QString& emulatorId) {
        auto it = indexes_.constFind(emulatorId);
        if (it == indexes_.constEnd()) {
            it = indexes_.insert(emulatorId, emulators_.EmulatorIndexById(emulatorId));
        }
        return *it;
    }

private:
    const EmulatorTable& emulators_;
    QHash<QString, int> indexes_;
};

// What a fill reads from one entry's key.
struct Entry {
    QString name;
    QString emulator;
    bool missing = false;
    bool favourite = false;
    std::optional<int> count;
    QStringList furtherEmulators;
    bool unlisted = false;  // a device or BIOS set that an older build gave an entry
    bool mechanical = false;
};

// A location of another type tells no more than "#" where the ROM is.
template <class Key>
bool isMissing(Key& key) {
    return kLocation.isIn(key) && kLocation.readIfValid(key).value_or(kMissing) == kMissing;
}

QString itemText(const QString& name, bool missing, bool showCount, std::optional<int> count) {
    const QString text = missing ? FramedName(name) : name;
    if (!showCount) {
        return text;
    }
    // A framed name names no key, so a missing game shows no plays.
    return FormatPlayCount(missing ? 0 : count.value_or(0)) + u' ' + text;
}

// The entries below the root with the values a fill needs, read afresh
// from the store in one pass; none without a root.
std::vector<Entry> readEntries(const AppContext& ctx, bool readCount, bool readFurther) {
    SettingsStore store = ctx.store();
    if (!StoreSchema::openRoot(store, false)) {
        return {};
    }
    QStringList wanted{kEmulator.name(),          kLocation.name(),
                       kFavourite.name(),         StoreSchema::kDevice.name(),
                       StoreSchema::kBios.name(), StoreSchema::kMechanical.name()};
    if (readCount) {
        wanted << kCount.name();
    }
    for (int number = 0; readFurther && number < kMaxFurtherEmulators; ++number) {
        wanted << furtherEmulatorValue(number);
    }
    // A value of another type than the program writes (a damaged or
    // hand-edited entry) must not empty every list: a count reads as none,
    // a location as not found, an emulator as none (which lists no entry)
    // and a further emulator is passed over.
    std::vector<Entry> entries;
    for (const SubkeyValues& key : store.ReadSubkeyValues(wanted)) {
        Entry entry{key.name(),
                    kEmulator.readIfValid(key).value_or(QString()),
                    isMissing(key),
                    kFavourite.readIfValid(key).value_or(false),
                    std::nullopt,
                    {}};
        entry.unlisted = StoreSchema::kDevice.readIfValid(key).value_or(false) ||
                         StoreSchema::kBios.readIfValid(key).value_or(false);
        entry.mechanical = StoreSchema::kMechanical.readIfValid(key).value_or(false);
        if (readCount) {
            entry.count = kCount.readIfValid(key);
        }
        for (int number = 0; readFurther && number < kMaxFurtherEmulators; ++number) {
            const QString value = furtherEmulatorValue(number);
            if (!key.ValueExists(value)) {
                break;
            }
            try {
                entry.furtherEmulators << key.ReadString(value);
            } catch (const StoreTypeError&) {
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

// Entries the switches leave out whatever their emulator.
bool isLeftOut(const Entry& entry, const Switches& switches) {
    return (entry.missing && !switches.showMissing) || entry.unlisted ||
           (entry.mechanical && switches.hideMechanical);
}

QString rootValue(const AppContext& ctx, const StoreSchema::TextValue& value) {
    SettingsStore store = ctx.store();
    return StoreSchema::openRoot(store, false) ? value.readFrom(store) : QString();
}

}  // namespace

QString FramedName(const QString& name) {
    return u"[ " + name + u" ]";
}

NameLists ByName(const AppContext& ctx, const Switches& switches) {
    DefinitionTypes types(ctx);
    NameLists lists;
    for (const Entry& entry : readEntries(ctx, switches.showCount, false)) {
        const std::optional<QString> type = types.typeOf(entry.emulator);
        if (!type || isLeftOut(entry, switches)) {
            continue;
        }
        const QString text = itemText(entry.name, entry.missing, switches.showCount, entry.count);
        (*type == u"CONSOLE" ? lists.console : lists.arcade) << text;
        if (entry.favourite) {
            lists.favourites << text;
        }
    }
    return lists;
}

EmulatorLists ByEmulator(const AppContext& ctx, const EmulatorTable& emulators,
                         const Switches& switches) {
    DefinitionTypes types(ctx);
    EmulatorIndexes indexes(emulators);
    const auto hasPage = [&emulators](int index) {
        return emulators.isValidIndex(index) && !emulators.at(index).isSingle();
    };

    EmulatorLists lists;
    lists.pages.resize(size_t(emulators.count()) + 1);
    const QString current = rootValue(ctx, kCurrent);
    std::vector<int> pagesOfEntry;
    for (const Entry& entry : readEntries(ctx, switches.showCount, true)) {
        if (!types.typeOf(entry.emulator) || isLeftOut(entry, switches)) {
            continue;
        }
        const int emulator = indexes.indexOf(entry.emulator);
        if (!current.isEmpty() && QString::compare(entry.name, current, Qt::CaseInsensitive) == 0) {
            lists.currentEmulator = emulator;
        }
        const QString text = itemText(entry.name, entry.missing, switches.showCount, entry.count);
        if (entry.favourite) {
            lists.favourites << text;
        }
        pagesOfEntry.clear();
        if (hasPage(emulator)) {
            lists.pages[size_t(emulator)] << text;
            pagesOfEntry.push_back(emulator);
        } else {
            lists.single << text;
        }
        for (const QString& further : entry.furtherEmulators) {
            const int index = indexes.indexOf(further);
            // A store that names one emulator twice (a further emulator that is
            // the game's own) still lists the game once per page, not twice.
            if (hasPage(index) &&
                std::find(pagesOfEntry.begin(), pagesOfEntry.end(), index) == pagesOfEntry.end()) {
                lists.pages[size_t(index)] << text;
                pagesOfEntry.push_back(index);
            }
        }
    }
    return lists;
}

CurrentEntry ReadCurrent(const AppContext& ctx, bool showCount) {
    return ReadEntry(ctx, rootValue(ctx, kCurrent), showCount);
}

CurrentEntry ReadEntry(const AppContext& ctx, const QString& entryName, bool showCount) {
    SettingsStore store = ctx.store();
    CurrentEntry current;
    current.name = entryName;
    bool missing = false;
    std::optional<int> count;
    if (!current.name.isEmpty() && store.OpenKey(StorePaths::Entry(current.name), false)) {
        current.hasFurtherEmulators = store.ValueExists(furtherEmulatorValue(0));
        missing = isMissing(store);
        if (showCount && !missing) {
            count = kCount.readIfValid(store);
        }
    }
    current.itemText = itemText(current.name, missing, showCount, count);
    return current;
}

namespace {

template <class Writes>
void writeRootValues(const AppContext& ctx, Writes&& writes) {
    SettingsStore store = ctx.store();
    if (StoreSchema::openRoot(store, false)) {
        writes(store);
    }
}

}  // namespace

void WriteCurrent(const AppContext& ctx, const QString& entryName) {
    writeRootValues(ctx, [&entryName](SettingsStore& root) { kCurrent.writeTo(root, entryName); });
}

void WriteViewMode(const AppContext& ctx, bool byEmulator) {
    writeRootValues(ctx, [byEmulator](SettingsStore& root) {
        StoreSchema::kDisplayByName.writeTo(root, !byEmulator);
        StoreSchema::kDisplayByEmulator.writeTo(root, byEmulator);
    });
}

void WriteItemSwitches(const AppContext& ctx, const Switches& switches) {
    writeRootValues(ctx, [&switches](SettingsStore& root) {
        StoreSchema::kShowMissing.writeTo(root, switches.showMissing);
        StoreSchema::kDisplayByCount.writeTo(root, switches.showCount);
    });
}

void WriteHideMechanical(const AppContext& ctx, bool hide) {
    writeRootValues(
        ctx, [hide](SettingsStore& root) { StoreSchema::kHideMechanical.writeTo(root, hide); });
}

}  // namespace ListFill
