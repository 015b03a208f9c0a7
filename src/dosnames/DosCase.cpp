#include "dosnames/DosCase.h"

#include <algorithm>

namespace DosCase {
namespace {
char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

QString fold(const QString& name) {
    return name.toCaseFolded();
}

bool same(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::string fold(std::string_view name) {
    std::string out(name);
    std::transform(out.begin(), out.end(), out.begin(), foldAscii);
    return out;
}

bool same(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return foldAscii(x) == foldAscii(y);
           });
}

}  // namespace DosCase
