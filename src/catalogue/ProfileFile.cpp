#include "catalogue/ProfileFile.h"

#include <limits>
#include <optional>

#include "platform/TextCodec.h"

namespace {

QString fold(const QString& name) {
    return name.toCaseFolded();
}

QString unquote(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first) {
            return value.mid(1, value.size() - 2);
        }
    }
    return value;
}

// Names that fit a buffer of `limit` bytes, each followed by a NUL, plus the final NUL.
QStringList fitNameList(const QStringList& names) {
    QStringList out;
    qsizetype used = 1;
    for (const QString& name : names) {
        const qsizetype cost = name.size() + 1;  // one byte a character, as on an 8-bit code page
        if (used + cost > ProfileFile::kNameListBytes) {
            break;
        }
        used += cost;
        out << name;
    }
    return out;
}

}  // namespace

ProfileFile ProfileFile::parse(const QByteArray& content) {
    ProfileFile file;
    Section* current = nullptr;
    for (const QString& rawLine : TextCodec::splitLines(TextCodec::decode(content))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';')) {
            continue;
        }
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QString name = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed();
            const QString key = fold(name);
            const auto it = file.index_.constFind(key);
            if (it != file.index_.constEnd()) {
                current = &file.sections_[size_t(*it)];
            } else {
                file.index_.insert(key, int(file.sections_.size()));
                file.sections_.push_back(Section{name, {}, {}});
                current = &file.sections_.back();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (current == nullptr || eq < 0) {
            continue;
        }
        const QString key = line.left(eq).trimmed();
        const QString folded = fold(key);
        if (key.isEmpty() || current->values.contains(folded)) {
            continue;
        }
        current->keys << key;
        current->values.insert(folded, line.mid(eq + 1).trimmed());
    }
    return file;
}

const ProfileFile::Section* ProfileFile::find(const QString& section) const {
    const auto it = index_.constFind(fold(section));
    return it == index_.constEnd() ? nullptr : &sections_[size_t(*it)];
}

bool ProfileFile::hasKey(const QString& section, const QString& key) const {
    const Section* s = find(section);
    return s != nullptr && s->values.contains(fold(key));
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    const Section* s = find(section);
    if (s == nullptr) {
        return defaultValue.left(kMaxValueLength);
    }
    const auto it = s->values.constFind(fold(key));
    if (it == s->values.constEnd()) {
        return defaultValue.left(kMaxValueLength);
    }
    return unquote(*it).left(kMaxValueLength);
}

std::optional<int> ProfileFile::parseInteger(const QString& text) {
    bool ok = false;
    const bool hex0x = text.size() > 2 && (text.startsWith(u"0x") || text.startsWith(u"0X"));
    const bool hexDollar = text.size() > 1 && text.startsWith(u'$');
    if (hex0x || hexDollar) {
        // Hexadecimal texts name 32-bit patterns, so $FFFFFFFF is -1.
        const qulonglong value = text.mid(hex0x ? 2 : 1).toULongLong(&ok, 16);
        if (!ok || value > 0xFFFFFFFFULL) {
            return std::nullopt;
        }
        return int(quint32(value));
    }
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int ProfileFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    if (!hasKey(section, key)) {
        return defaultValue;
    }
    return parseInteger(readString(section, key, QString())).value_or(defaultValue);
}

bool ProfileFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QStringList ProfileFile::sectionNames() const {
    QStringList names;
    for (const Section& s : sections_) {
        names << s.name;
    }
    return fitNameList(names);
}

QStringList ProfileFile::keyNames(const QString& section) const {
    const Section* s = find(section);
    return s == nullptr ? QStringList() : fitNameList(s->keys);
}
