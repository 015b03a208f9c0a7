#include "settings/SettingsStore.h"

#include <algorithm>
#include <cstring>

#include "settings/StoreError.h"

namespace {

QString stringOf(const StoreDatabase::Value& value, const QString& name) {
    if (value.type != StoreDatabase::ValueType::String &&
        value.type != StoreDatabase::ValueType::ExpandString) {
        throw StoreError::invalidType(name);
    }
    return value.text;
}

int integerOf(const StoreDatabase::Value* value, const QString& name) {
    if (value == nullptr) {
        throw StoreError::getFailed(name);
    }
    if (value->type != StoreDatabase::ValueType::Integer) {
        throw StoreError::invalidType(name);
    }
    return int(value->integer);
}

}  // namespace

const StoreDatabase::Value* SubkeyValues::find(const QString& name) const {
    // A walk asks each of tens of thousands of keys for the program's own
    // names, which are plain ASCII: those are matched without folding a copy
    // each time. The stored names are folded already, and no folded letter
    // matches an ASCII one ignoring case unless it is that ASCII letter.
    const bool ascii =
        std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; });
    const QString folded = ascii ? QString() : name.toCaseFolded();
    for (const auto& [valueName, value] : key_.values) {
        if (ascii ? valueName.compare(name, Qt::CaseInsensitive) == 0 : valueName == folded) {
            return &value;
        }
    }
    return nullptr;
}

QString SubkeyValues::ReadString(const QString& name) const {
    const StoreDatabase::Value* value = find(name);
    return value ? stringOf(*value, name) : QString();
}

int SubkeyValues::ReadInteger(const QString& name) const {
    return integerOf(find(name), name);
}

SettingsStore::SettingsStore(std::shared_ptr<StoreDatabase> database) : db_(std::move(database)) {}

qint64 SettingsStore::startOf(const KeyPath& path) const {
    return path.absolute || !current_ ? 0 : *current_;
}

std::optional<qint64> SettingsStore::find(const KeyPath& path) {
    qint64 id = startOf(path);
    if (id != 0 && !db_->keyExists(id)) {
        return std::nullopt;
    }
    for (const QString& part : path.parts) {
        const auto child = db_->findChild(id, part);
        if (!child) {
            return std::nullopt;
        }
        id = *child;
    }
    return id;
}

std::optional<qint64> SettingsStore::findOrCreate(const KeyPath& path) {
    qint64 id = startOf(path);
    for (const QString& part : path.parts) {
        const auto child = db_->createChild(id, part);
        if (!child) {
            return std::nullopt;
        }
        id = *child;
    }
    return id;
}

bool SettingsStore::OpenKey(const QString& path, bool canCreate) {
    return OpenKey(KeyPath::parse(path), canCreate);
}

bool SettingsStore::OpenKey(const KeyPath& path, bool canCreate) {
    const auto id = canCreate ? findOrCreate(path) : find(path);
    if (!id) {
        return false;
    }
    current_ = id;
    return true;
}

void SettingsStore::CloseKey() {
    current_.reset();
}

bool SettingsStore::KeyExists(const QString& path) {
    return KeyExists(KeyPath::parse(path));
}

bool SettingsStore::KeyExists(const KeyPath& path) {
    const auto id = find(path);
    return id && *id != 0;
}

bool SettingsStore::DeleteKey(const QString& path) {
    return DeleteKey(KeyPath::parse(path));
}

bool SettingsStore::DeleteKey(const KeyPath& path) {
    const auto id = find(path);
    return id && *id != 0 && DeleteKeys({path});
}

bool SettingsStore::DeleteKeys(const QList<KeyPath>& paths) {
    std::vector<qint64> ids;
    for (const KeyPath& path : paths) {
        const auto id = find(path);
        if (id && *id != 0) {
            ids.push_back(*id);
        }
    }
    if (ids.empty()) {
        return true;
    }
    const bool deleted = db_->deleteTrees(ids);
    if (deleted && current_ && !db_->keyExists(*current_)) {
        current_.reset();
    }
    return deleted;
}

void SettingsStore::MoveKey(const QString& oldPath, const QString& newPath, bool deleteOld) {
    MoveKey(KeyPath::parse(oldPath), KeyPath::parse(newPath), deleteOld);
}

void SettingsStore::MoveKey(const KeyPath& oldPath, const KeyPath& newPath, bool deleteOld) {
    const auto from = find(oldPath);
    if (!from || *from == 0 || find(newPath)) {
        return;
    }
    // A key cannot be moved below itself.
    for (auto probe = KeyPath{newPath.absolute, newPath.parts}; !probe.parts.isEmpty();
         probe.parts.removeLast()) {
        const auto id = find(probe);
        if (id && *id == *from) {
            return;
        }
    }
    const auto to = findOrCreate(newPath);
    if (!to || !db_->copyTree(*from, *to)) {
        throw StoreError::setFailed(newPath.parts.value(newPath.parts.size() - 1));
    }
    if (deleteOld) {
        db_->deleteTree(*from);
    }
}

QStringList SettingsStore::GetKeyNames() {
    if (!current_) {
        return db_->childNames(0);
    }
    return db_->childNames(*current_);
}

std::vector<SubkeyValues> SettingsStore::ReadSubkeyValues(const QStringList& valueNames) {
    std::vector<SubkeyValues> keys;
    for (StoreDatabase::ChildValues& child : db_->childValues(current_.value_or(0), valueNames)) {
        keys.emplace_back(std::move(child));
    }
    return keys;
}

bool SettingsStore::ValueExists(const QString& name) {
    return current_ && db_->readValue(*current_, name).has_value();
}

QString SettingsStore::ReadString(const QString& name) {
    if (!current_) {
        return QString();
    }
    const auto value = db_->readValue(*current_, name);
    return value ? stringOf(*value, name) : QString();
}

int SettingsStore::ReadInteger(const QString& name) {
    const auto value = current_ ? db_->readValue(*current_, name) : std::nullopt;
    return integerOf(value ? &*value : nullptr, name);
}

bool SettingsStore::ReadBool(const QString& name) {
    return ReadInteger(name) != 0;
}

double SettingsStore::ReadDateTime(const QString& name) {
    const auto value = current_ ? db_->readValue(*current_, name) : std::nullopt;
    if (!value) {
        throw StoreError::getFailed(name);
    }
    if (value->type != StoreDatabase::ValueType::Binary || value->binary.size() != 8) {
        throw StoreError::invalidType(name);
    }
    double days = 0;
    std::memcpy(&days, value->binary.constData(), sizeof days);
    return days;
}

void SettingsStore::write(const QString& name, const StoreDatabase::Value& value) {
    if (!current_ || !db_->writeValue(*current_, name, value)) {
        throw StoreError::setFailed(name);
    }
}

void SettingsStore::WriteString(const QString& name, const QString& text) {
    write(name, {StoreDatabase::ValueType::String, text, 0, {}});
}

void SettingsStore::WriteInteger(const QString& name, int value) {
    write(name, {StoreDatabase::ValueType::Integer, {}, value, {}});
}

void SettingsStore::WriteBool(const QString& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

void SettingsStore::WriteDateTime(const QString& name, double value) {
    QByteArray bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    write(name, {StoreDatabase::ValueType::Binary, {}, 0, bytes});
}

bool SettingsStore::DeleteValue(const QString& name) {
    return current_ && db_->deleteValue(*current_, name);
}
