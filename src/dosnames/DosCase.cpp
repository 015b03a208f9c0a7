#include "dosnames/DosCase.h"

#include <QStringDecoder>
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

std::optional<QString> unicodeText(std::string_view name) {
    if (std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; })) {
        return std::nullopt;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(name.data(), qsizetype(name.size())));
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

std::string fold(std::string_view name) {
    if (const std::optional<QString> text = unicodeText(name)) {
        return text->toCaseFolded().toStdString();
    }
    std::string out(name);
    std::transform(out.begin(), out.end(), out.begin(), foldAscii);
    return out;
}

bool same(std::string_view a, std::string_view b) {
    if (unicodeText(a) || unicodeText(b)) {
        return fold(a) == fold(b);
    }
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return foldAscii(x) == foldAscii(y);
           });
}

}  // namespace DosCase
