#include "platform/ZipEntries.h"

#include <zip.h>

#include <QFile>
#include <memory>

namespace {

struct Discard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

QString errorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

}  // namespace

std::optional<QStringList> ZipEntry::components() const {
    const QString unified = QString(name).replace(u'\\', u'/');
    if (unified.isEmpty() || unified.startsWith(u'/') ||
        (unified.size() >= 2 && unified[1] == u':')) {
        return std::nullopt;
    }
    QStringList parts = unified.split(u'/', Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    if (parts.isEmpty() || parts.contains(QStringLiteral(".."))) {
        return std::nullopt;
    }
    return parts;
}

std::optional<QString> ZipEntry::flatName() const {
    const std::optional<QStringList> parts = components();
    if (!parts) {
        return std::nullopt;
    }
    return isFolder() ? QString() : parts->last();
}

ZipEntries ZipEntries::read(const QString& hostPath) {
    ZipEntries out;
    int code = 0;
    const std::unique_ptr<zip_t, Discard> archive(
        zip_open(QFile::encodeName(hostPath).constData(), ZIP_RDONLY, &code));
    if (!archive) {
        out.error = errorText(code);
        return out;
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t info;
        zip_stat_init(&info);
        if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS, &info) !=
                0 ||
            (info.valid & ZIP_STAT_NAME) == 0) {
            out.error = QString::fromUtf8(zip_strerror(archive.get()));
            out.entries.clear();
            return out;
        }
        ZipEntry entry;
        entry.name = QString::fromUtf8(info.name);
        entry.encrypted =
            (info.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && info.encryption_method != ZIP_EM_NONE;
        entry.methodSupported = (info.valid & ZIP_STAT_COMP_METHOD) == 0 ||
                                zip_compression_method_supported(info.comp_method, 0) != 0;
        out.entries.append(entry);
    }
    return out;
}
