#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <string>
#include <string_view>

// Names compared as DOS compares them: ignoring case.
namespace DosCase {

// Names held as text (host names, names typed in a script): Unicode's case
// folding, so that "ÉTÉ.TXT" names "été.txt" as on a DOS code page.
QString fold(const QString& name);
bool same(QStringView a, QStringView b);

// Names held as bytes (archive entries and host names in the ZIP tools):
// folded as the text they spell when they are UTF-8, so that the tools and
// the interpreter take the same names for one (the Kelvin sign and "K"
// among them); other bytes carry no reliable code page, and only their
// ASCII letters fold.
std::string fold(std::string_view name);
bool same(std::string_view a, std::string_view b);
// The name as text when its bytes are UTF-8 with a letter beyond ASCII,
// the one case where the two ways of folding differ.
std::optional<QString> unicodeText(std::string_view name);

}  // namespace DosCase
