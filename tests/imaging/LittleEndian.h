#pragma once

#include <QByteArray>
#include <initializer_list>

// Values as the little-endian fields of the picture formats written byte by
// byte in the tests.
namespace LittleEndian {

inline QByteArray fields(std::initializer_list<qint64> values, int size) {
    QByteArray out;
    for (const qint64 v : values) {
        for (int i = 0; i < size; ++i) {
            out += char((v >> (8 * i)) & 0xff);
        }
    }
    return out;
}
inline QByteArray bytes(std::initializer_list<qint64> values) {
    return fields(values, 1);
}
inline QByteArray le16(std::initializer_list<qint64> values) {
    return fields(values, 2);
}
inline QByteArray le32(std::initializer_list<qint64> values) {
    return fields(values, 4);
}

}  // namespace LittleEndian
