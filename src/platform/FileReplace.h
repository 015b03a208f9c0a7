#pragma once

#include <QByteArray>
#include <QString>

// A file given new content so that it is either as it was or holds all of
// the new content, never something in between: a full disk or a failing
// drive leaves the old file in place. Every step is checked, since a
// buffered write can fail at its flush while the file still looks written.
namespace FileReplace {

// Writes `content` to a new file beside `path`, flushes it to the disk,
// reads it back, and only then gives it the name `path` (a link named
// `path` is followed: its target is replaced). An existing file's
// permissions are kept. Empty on success, else why it failed; the new file
// is then removed and `path` untouched.
QString replace(const QString& path, const QByteArray& content);

}  // namespace FileReplace
