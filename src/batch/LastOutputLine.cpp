#include "batch/LastOutputLine.h"

#include "platform/TextCodec.h"

void LastOutputLine::add(const QByteArray& chunk) {
    for (const char c : chunk) {
        if (c == '\n' || c == '\r') {
            if (!current_.trimmed().isEmpty()) {
                last_ = current_;
            }
            current_.clear();
        } else if (current_.size() < kKeptBytes) {
            current_ += c;
        }
    }
}

QString LastOutputLine::text() const {
    // A last line without its line end counts too: the program ended there.
    const QByteArray& line = current_.trimmed().isEmpty() ? last_ : current_;
    return TextCodec::decode(line).trimmed();
}
