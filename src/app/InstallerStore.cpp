#include "app/InstallerStore.h"

#include <QFileInfo>
#include <stdexcept>

#include "settings/SettingsStore.h"
#include "settings/StoreDatabase.h"
#include "settings/StoreSchema.h"

namespace InstallerStore {

Result PrepareNewStore(const QString& file) {
    if (QFileInfo::exists(file) || QFileInfo(file).isSymLink()) {
        return Result::AlreadyThere;
    }
    const std::shared_ptr<StoreDatabase> database = StoreDatabase::open(file);
    SettingsStore root(database);
    if (!StoreSchema::openRoot(root, true)) {
        throw std::runtime_error("cannot create the settings in " + file.toStdString());
    }
    StoreSchema::kFastListBuild.writeTo(root, true);
    StoreSchema::kShowMissing.writeTo(root, false);
    // A store is no first start: its paths to search are offered as they
    // stand, and a first start offers "C:".
    StoreSchema::kDrivesToSearch.writeTo(root, QStringLiteral("C:"));

    SettingsStore check(database);
    if (!StoreSchema::openRoot(check, false) ||
        StoreSchema::kFastListBuild.readIfIn(check) != std::optional<bool>(true) ||
        StoreSchema::kShowMissing.readIfIn(check) != std::optional<bool>(false)) {
        throw std::runtime_error("the settings did not reach " + file.toStdString());
    }
    return Result::Written;
}

}  // namespace InstallerStore
