#include "settings/StoreSchema.h"

#include "settings/BuildVersion.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"

namespace StoreSchema {

bool openRoot(SettingsStore& store, bool canCreate) {
    return store.OpenKey(StorePaths::Root(), canCreate);
}

QString versionStamp() {
    return QString::fromUtf16(kBuildVersion);
}

QString furtherName(const TextValue& stem, int n) {
    return stem.name() + QChar(char16_t(u'0' + n));
}

}  // namespace StoreSchema
