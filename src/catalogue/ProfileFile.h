#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// An INI ("profile") file read with the rules of the platform's profile reader:
//  * sections "[Name]" and keys "key=value"; section and key names match
//    ignoring case; blanks around names and values are trimmed;
//  * a value enclosed in a pair of double or single quotes loses them;
//  * values come back cut to 1023 characters;
//  * the section list and a section's key list are in file order and end
//    where the names, each with its NUL, and a final NUL pass 8192 bytes;
//  * integers are decimal, "0x"/"0X" hexadecimal when longer than two
//    characters, or "$" hexadecimal; anything else gives the default.
// Where that reader leaves matters open, this one decides:
//  * lines beginning with ";" are comments; lines outside any section and
//    section lines without "=" are ignored;
//  * a section that appears again continues the first one; a key that
//    appears again in a section keeps its first value and first position;
//  * the text is UTF-8 when valid, else Windows-1252; NUL bytes end nothing.
class ProfileFile {
public:
    ProfileFile() = default;
    static ProfileFile parse(const QByteArray& content);

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    bool hasKey(const QString& section, const QString& key) const;
    QStringList sectionNames() const;
    QStringList keyNames(const QString& section) const;

    // The integer rule on its own: nothing when the text is no integer.
    static std::optional<int> parseInteger(const QString& text);

    static constexpr int kMaxValueLength = 1023;
    static constexpr int kNameListBytes = 8192;

private:
    struct Section {
        QString name;
        QStringList keys;                // first spelling, file order
        QHash<QString, QString> values;  // folded key -> raw value
    };
    const Section* find(const QString& section) const;

    std::vector<Section> sections_;
    QHash<QString, int> index_;  // folded section name -> position
};
