#include "settings/KeyPath.h"

#include "settings/StoreSchema.h"

KeyPath KeyPath::parse(const QString& text) {
    KeyPath path;
    path.absolute = text.startsWith(u'\\');
    for (const QString& part : text.split(u'\\', Qt::SkipEmptyParts)) {
        path.parts.append(part);
    }
    return path;
}

KeyPath KeyPath::child(const QString& name) const {
    KeyPath path = *this;
    path.parts.append(name);
    return path;
}

QString KeyPath::toString() const {
    return (absolute ? QStringLiteral("\\") : QString()) + parts.join(u'\\');
}

namespace StorePaths {

namespace {
QString nameOf(std::u16string_view name) {
    return QString::fromUtf16(name.data(), qsizetype(name.size()));
}
}  // namespace

KeyPath Root() {
    // Every entry's path starts with it: made once, shared by every copy.
    static const KeyPath root = [] {
        KeyPath path{true, {}};
        for (const std::u16string_view name : StoreSchema::kRootKeys) {
            path.parts.append(nameOf(name));
        }
        return path;
    }();
    return root;
}

KeyPath Entry(const QString& name) {
    return Root().child(name);
}

KeyPath Specific(const QString& name) {
    static const QString specific = nameOf(StoreSchema::kSpecific);
    return Entry(name).child(specific);
}

}  // namespace StorePaths
