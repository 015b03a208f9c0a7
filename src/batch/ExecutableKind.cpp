#include "batch/ExecutableKind.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include "platform/DosPath.h"

namespace {

constexpr qint64 kHeaderBytes = 256;
constexpr qint64 kPeOffsetField = 0x3C;

bool hasPeHeader(QFile& file, const QByteArray& head) {
    if (head.size() < kPeOffsetField + 4) {
        return false;
    }
    const quint32 offset = qFromLittleEndian<quint32>(head.constData() + kPeOffsetField);
    if (offset < 2 || qint64(offset) + 4 > file.size() || !file.seek(offset)) {
        return false;
    }
    return file.read(4) == QByteArray("PE\0\0", 4);
}

// "#!/usr/bin/env python3" -> "/usr/bin/env" and "python3"; like the kernel,
// everything after the program is one argument.
void readShebang(const QByteArray& head, ExecutableKind& out) {
    const qsizetype end = head.indexOf('\n');
    const QString line = QString::fromUtf8(head.mid(2, end < 0 ? -1 : end - 2)).trimmed();
    qsizetype blank = 0;
    while (blank < line.size() && line[blank] != u' ' && line[blank] != u'\t') {
        ++blank;
    }
    out.interpreter = line.left(blank);
    out.interpreterArgument = line.mid(blank).trimmed();
}

}  // namespace

ExecutableKind ExecutableKind::inspect(const QString& hostPath) {
    ExecutableKind out;
    const QFileInfo info(hostPath);
    out.executable = info.isExecutable();
    const QString extension = DosPath::extension(info.fileName()).toUpper();
    if (extension == u".BAT") {
        out.kind = Batch;
        return out;
    }
    QFile file(hostPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return out;
    }
    const QByteArray head = file.read(kHeaderBytes);
    if (head.startsWith("\x7f"
                        "ELF")) {
        out.kind = Native;
    } else if (head.startsWith("#!")) {
        out.kind = Script;
        readShebang(head, out);
    } else if (head.startsWith("MZ") || head.startsWith("ZM")) {
        out.kind = hasPeHeader(file, head) ? Windows : Dos;
    } else if (extension == u".COM") {
        out.kind = Dos;
    } else if (out.executable) {
        // Something the kernel may know how to start (binfmt_misc and the like).
        out.kind = Native;
    }
    return out;
}
