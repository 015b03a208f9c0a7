#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

// Names compared as DOS compares them: ignoring case.
namespace DosCase {

// Names held as text (host names, names typed in a script): Unicode's case
// folding, so that "ÉTÉ.TXT" names "été.txt" as on a DOS code page.
QString fold(const QString& name);
bool same(QStringView a, QStringView b);

// Names held as bytes (archive entries and host names in the ZIP tools):
// ASCII letters only, since the bytes carry no reliable code page.
std::string fold(std::string_view name);
bool same(std::string_view a, std::string_view b);

}  // namespace DosCase
