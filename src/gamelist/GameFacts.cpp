#include "gamelist/GameFacts.h"

#include <QStringList>

#include "context/AppContext.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace GameFacts {

using namespace StoreSchema;

void Write(SettingsStore& entry, const MachineFacts& facts) {
    kYear.writeTo(entry, facts.year);
    kManufacturer.writeTo(entry, facts.manufacturer);
    kDriverStatus.writeTo(entry, facts.driverStatus);
    kMechanical.writeTo(entry, facts.mechanical);
    // Only an entry once flagged needs the flags put right.
    for (const auto& [flag, value] : {std::pair{kDevice, facts.device}, {kBios, facts.bios}}) {
        if (value || flag.isIn(entry)) {
            flag.writeTo(entry, value);
        }
    }
}

void FlagUnlisted(const AppContext& ctx, const QString& entryName, const MachineFacts& facts) {
    SettingsStore entry = ctx.store();
    if (entry.OpenKey(StorePaths::Entry(entryName), false)) {
        Write(entry, facts);
    }
}

MachineFacts Read(SettingsStore& entry) {
    MachineFacts facts;
    facts.year = kYear.readIfValid(entry).value_or(QString());
    facts.manufacturer = kManufacturer.readIfValid(entry).value_or(QString());
    facts.driverStatus = kDriverStatus.readIfValid(entry).value_or(QString());
    facts.mechanical = kMechanical.readIfValid(entry).value_or(false);
    facts.device = kDevice.readIfValid(entry).value_or(false);
    facts.bios = kBios.readIfValid(entry).value_or(false);
    return facts;
}

QString Summary(const MachineFacts& facts) {
    QStringList parts;
    for (const QString& part : {facts.year, facts.manufacturer}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    QString summary = parts.join(u", ");
    if (!facts.driverStatus.isEmpty() && facts.driverStatus != u"good") {
        summary += (summary.isEmpty() ? u"(" : u" (") + facts.driverStatus + u')';
    }
    return summary;
}

}  // namespace GameFacts
