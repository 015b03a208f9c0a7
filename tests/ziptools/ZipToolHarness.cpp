#include "ZipToolHarness.h"

#include <zip.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <memory>
#include <stdexcept>

#include "support/ProcessRun.h"

namespace {

struct Discard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipPtr = std::unique_ptr<zip_t, Discard>;

ZipPtr openZip(const QString& path, int flags) {
    int error = 0;
    ZipPtr archive(zip_open(QFile::encodeName(path).constData(), flags, &error));
    if (!archive) {
        throw std::runtime_error("cannot open test archive " + path.toStdString());
    }
    return archive;
}

}  // namespace

ZipToolHarness::ZipToolHarness() {
    if (!dir_.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    drives_ = u"C:=" + dir_.path();
}

void ZipToolHarness::write(const QString& relative, const QByteArray& content,
                           const QDateTime& modified) const {
    const QString file = path(relative);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size()) {
        throw std::runtime_error("cannot write " + file.toStdString());
    }
    // Flushed first: a later flush would set the time to now.
    if (modified.isValid() &&
        (!out.flush() || !out.setFileTime(modified, QFileDevice::FileModificationTime))) {
        throw std::runtime_error("cannot date " + file.toStdString());
    }
}

QStringList words(std::initializer_list<const char*> words) {
    QStringList out;
    for (const char* word : words) {
        out << QString::fromUtf8(word);
    }
    return out;
}

QByteArray ZipToolHarness::read(const QString& relative) const {
    QFile in(path(relative));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

bool ZipToolHarness::exists(const QString& relative) const {
    return QFileInfo::exists(path(relative)) || QFileInfo(path(relative)).isSymLink();
}

QStringList ZipToolHarness::files(const QString& relative) const {
    const QString root = relative.isEmpty() ? dir_.path() : path(relative);
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        out << QDir(root).relativeFilePath(it.next());
    }
    out.sort();
    return out;
}

void ZipToolHarness::makeZip(const QString& relative, const std::vector<Entry>& entries) const {
    QDir().mkpath(QFileInfo(path(relative)).absolutePath());
    ZipPtr archive = openZip(path(relative), ZIP_CREATE | ZIP_TRUNCATE);
    for (const Entry& entry : entries) {
        zip_int64_t index = -1;
        if (!entry.name.empty() && entry.name.back() == '/') {
            index = zip_dir_add(archive.get(), entry.name.c_str(), ZIP_FL_ENC_RAW);
        } else {
            // The bytes are read at zip_close, while `entries` still holds them.
            zip_source_t* const source =
                zip_source_buffer(archive.get(), entry.content.constData(),
                                  static_cast<zip_uint64_t>(entry.content.size()), 0);
            index = zip_file_add(archive.get(), entry.name.c_str(), source, ZIP_FL_ENC_RAW);
            if (index < 0) {
                zip_source_free(source);
            } else if (entry.stored) {
                zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index),
                                         ZIP_CM_STORE, 0);
            }
            if (index >= 0 && entry.encrypted &&
                zip_file_set_encryption(archive.get(), static_cast<zip_uint64_t>(index),
                                        ZIP_EM_AES_256, "not given") != 0) {
                throw std::runtime_error("cannot encrypt " + entry.name);
            }
        }
        if (index < 0) {
            throw std::runtime_error("cannot add " + entry.name);
        }
        zip_file_set_mtime(archive.get(), static_cast<zip_uint64_t>(index),
                           static_cast<time_t>(entry.modified.toSecsSinceEpoch()), 0);
    }
    if (zip_close(archive.get()) != 0) {
        throw std::runtime_error("cannot write test archive");
    }
    archive.release();
}

std::map<std::string, QByteArray> ZipToolHarness::readZip(const QString& relative) const {
    ZipPtr archive = openZip(path(relative), ZIP_RDONLY | ZIP_CHECKCONS);
    std::map<std::string, QByteArray> out;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &st);
        QByteArray content(static_cast<qsizetype>(st.size), '\0');
        const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(
            zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0), &zip_fclose);
        if (!file ||
            zip_fread(file.get(), content.data(), st.size) != static_cast<zip_int64_t>(st.size)) {
            throw std::runtime_error(std::string("cannot read entry ") + st.name);
        }
        out[st.name] = content;
    }
    return out;
}

QDateTime ZipToolHarness::entryTime(const QString& relative, const std::string& name) const {
    ZipPtr archive = openZip(path(relative), ZIP_RDONLY);
    zip_stat_t st;
    if (zip_stat(archive.get(), name.c_str(), 0, &st) != 0) {
        return QDateTime();
    }
    return QDateTime::fromSecsSinceEpoch(st.mtime);
}

bool ZipToolHarness::isStored(const QString& relative, const std::string& name) const {
    ZipPtr archive = openZip(path(relative), ZIP_RDONLY);
    zip_stat_t st;
    return zip_stat(archive.get(), name.c_str(), 0, &st) == 0 &&
           (st.valid & ZIP_STAT_COMP_METHOD) != 0 && st.comp_method == ZIP_CM_STORE;
}

ZipToolHarness::Result ZipToolHarness::run(const QString& program, const QStringList& arguments,
                                           const QString& workingFolder) const {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder.isEmpty() ? dir_.path() : path(workingFolder));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"BRIVANEL_DRIVES"_qs, drives_);
    process.setProcessEnvironment(environment);
    const ProcessOutcome outcome = runToEnd(process);
    return Result{outcome.exitCode, outcome.standardOutput, outcome.standardError};
}

ZipToolHarness::Result ZipToolHarness::pkzip(const QStringList& arguments,
                                             const QString& workingFolder) const {
    return run(pkzipProgram(), arguments, workingFolder);
}

ZipToolHarness::Result ZipToolHarness::pkunzip(const QStringList& arguments,
                                               const QString& workingFolder) const {
    return run(pkunzipProgram(), arguments, workingFolder);
}
