#pragma once

#include <QString>

// UTF-8 text of a test as a QString: names with blanks and non-ASCII
// letters are written as they read.
inline QString q(const char* text) {
    return QString::fromUtf8(text);
}
