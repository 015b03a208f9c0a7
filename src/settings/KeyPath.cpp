#include "settings/KeyPath.h"

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

KeyPath Root() {
    return KeyPath{
        true,
        {QStringLiteral("Software"), QStringLiteral("Quenterby"), QStringLiteral("Brivanel")}};
}

KeyPath Entry(const QString& name) {
    return Root().child(name);
}

KeyPath Specific(const QString& name) {
    return Entry(name).child(QStringLiteral("Specific"));
}

}  // namespace StorePaths
