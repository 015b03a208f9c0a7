// PKUNZIP against Info-ZIP's unzip: both extract the same archive of 20,000
// small files into fresh folders, in turn, in the same run. The folder each
// one fills is checked and removed untimed.
//
//   bench_unzip [--files N] [--runs R]
//
// Prints pkunzip_20k_s, unzip_20k_s (medians of R runs, default 3) and
// pkunzip_vs_unzip_20k_ratio; the names keep "20k" whatever N is.
#include <zip.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchOptions.h"

namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "bench_unzip: %s\n", why.c_str());
    std::exit(1);
}

class ScratchFolder {
public:
    ScratchFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench_unzip.XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            fail("no temporary folder");
        }
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Small files of a few lines each, deflated, all in the archive's top folder
// as a MAME set or a sample pack holds them.
void makeArchive(const fs::path& path, int files) {
    std::vector<std::string> contents;
    contents.reserve(size_t(files));
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        fail("cannot make the archive");
    }
    for (int i = 0; i < files; ++i) {
        std::string text;
        for (int line = 0; line < 4; ++line) {
            text += "file " + std::to_string(i) + " line " + std::to_string(line) + "\n";
        }
        contents.push_back(std::move(text));
        const std::string& data = contents.back();
        char name[32];
        std::snprintf(name, sizeof name, "rom%05d.bin", i);
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        if (source == nullptr || zip_file_add(archive, name, source, 0) < 0) {
            fail("cannot add to the archive");
        }
    }
    if (zip_close(archive) != 0) {
        fail("cannot write the archive");
    }
}

double timeRun(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start();
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        fail(program.toStdString() + " failed");
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

// Every file there, then the folder gone, so that the next run starts afresh.
void checkAndRemove(const fs::path& folder, int files, const char* tool) {
    const auto count = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    if (count != files) {
        fail(std::string(tool) + " extracted " + std::to_string(count) + " of " +
             std::to_string(files) + " files");
    }
    fs::remove_all(folder);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const BenchOptions options = BenchOptions::parse(argc, argv, {20000, 3});
    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (unzip.isEmpty()) {
        fail("Info-ZIP's unzip is not installed");
    }
    const ScratchFolder scratch;
    const fs::path archive = scratch.path() / "big.zip";
    makeArchive(archive, options.files);
    const QString archiveArg = QString::fromStdString(archive.string());
    const QString pkunzip = QStringLiteral(BRIVANEL_PKUNZIP);

    std::vector<double> ours;
    std::vector<double> theirs;
    for (int run = 0; run < options.runs; ++run) {
        const fs::path a = scratch.path() / ("pk" + std::to_string(run));
        const fs::path b = scratch.path() / ("un" + std::to_string(run));
        ours.push_back(timeRun(pkunzip, {archiveArg, QString::fromStdString(a.string() + "/")}));
        checkAndRemove(a, options.files, "PKUNZIP");
        theirs.push_back(
            timeRun(unzip, {archiveArg, QStringLiteral("-d"), QString::fromStdString(b.string())}));
        checkAndRemove(b, options.files, "unzip");
    }
    const double pk = median(ours);
    const double un = median(theirs);
    std::printf("pkunzip_20k_s: %.3f\n", pk);
    std::printf("unzip_20k_s: %.3f\n", un);
    std::printf("pkunzip_vs_unzip_20k_ratio: %.2f\n", pk / un);
    return 0;
}
