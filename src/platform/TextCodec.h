#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files: read as UTF-8 when valid, else as Windows-1252; written as
// UTF-8 with CR LF where DOS tools read them.
namespace TextCodec {

QString decode(const QByteArray& bytes);
// Lines ended by CR LF, LF or CR; a final line ending adds no empty line.
QStringList splitLines(const QString& text);
// Each line followed by CR LF, the last one included.
QByteArray encodeDosLines(const QStringList& lines);

}  // namespace TextCodec
