// The ZIP work-alikes against Info-ZIP's unzip and zip, on two shapes of
// archive: 20,000 small deflated files, and four files of 100 MB (two of
// noise, stored; two of text, deflated). For each shape and run, PKUNZIP and
// unzip extract the same archive into fresh folders, then PKZIP and zip pack
// the same folder into new archives, each pair in turn; what each one made is
// checked and removed untimed, and the file system is synced before every
// timed run, so that no run pays for the writes of the one before.
//
//   bench_unzip [--files N] [--runs R] [--big-mb M] [--baseline DIR]
//
// PKZIP compresses at level 9 (libzip's), so zip is run with -9. Prints the
// medians of R runs (default 3) of each tool and, per pair, the median of the
// run-by-run ratios: pkunzip_vs_unzip_20k_ratio, pkunzip_vs_unzip_big_ratio,
// pkzip_vs_zip_20k_ratio, pkzip_vs_zip_big_ratio; the names keep "20k" and
// "big" whatever N and M are. --baseline DIR times DIR's PKUNZIP.EXE and
// PKZIP.EXE too, in the same turns, as "baseline_pkunzip_20k_s" and so on.
#include <unistd.h>
#include <zip.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

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

struct Options {
    int files = 20000;
    int runs = 3;
    int bigMb = 100;
    QString baseline;

    static Options parse(int argc, char** argv) {
        Options options;
        for (int i = 1; i + 1 < argc; i += 2) {
            const std::string name = argv[i];
            if (name == "--files") {
                options.files = std::max(1, std::atoi(argv[i + 1]));
            } else if (name == "--runs") {
                options.runs = std::max(1, std::atoi(argv[i + 1]));
            } else if (name == "--big-mb") {
                options.bigMb = std::max(1, std::atoi(argv[i + 1]));
            } else if (name == "--baseline") {
                options.baseline = QString::fromLocal8Bit(argv[i + 1]);
            }
        }
        return options;
    }
};

struct Shape {
    std::string name;  // "20k" or "big"
    fs::path folder;   // the files PKZIP and zip pack
    fs::path archive;  // the archive PKUNZIP and unzip extract
    int files = 0;
};

void writeFile(const fs::path& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary);
    if (!out.write(data.data(), std::streamsize(data.size()))) {
        fail("cannot write " + path.string());
    }
}

// Small files of a few lines each, all in the archive's top folder as a MAME
// set or a sample pack holds them.
Shape makeSmall(const fs::path& root, int files) {
    Shape shape{"20k", root / "small", root / "small.zip", files};
    fs::create_directories(shape.folder);
    for (int i = 0; i < files; ++i) {
        std::string text;
        for (int line = 0; line < 4; ++line) {
            text += "file " + std::to_string(i) + " line " + std::to_string(line) + "\n";
        }
        char name[32];
        std::snprintf(name, sizeof name, "rom%05d.bin", i);
        writeFile(shape.folder / name, text);
    }
    return shape;
}

// Noise, which no compression shrinks, and text of words, which deflates to
// about half, as large ROM images and their documentation do.
Shape makeBig(const fs::path& root, int megabytes) {
    Shape shape{"big", root / "big", root / "big.zip", 4};
    fs::create_directories(shape.folder);
    const size_t size = size_t(megabytes) << 20;
    uint64_t state = 0x9E3779B97F4A7C15u;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    std::vector<std::string> words(4096);
    for (std::string& word : words) {
        for (uint64_t letters = 2 + next() % 8; letters > 0; --letters) {
            word += char('a' + next() % 26);
        }
    }
    for (const char* name : {"noise1.bin", "text1.txt", "noise2.bin", "text2.txt"}) {
        std::string data;
        data.reserve(size + 16);
        if (std::strstr(name, "noise") != nullptr) {
            while (data.size() < size) {
                const uint64_t value = next();
                data.append(reinterpret_cast<const char*>(&value), sizeof value);
            }
        } else {
            while (data.size() < size) {
                data += words[next() % words.size()];
                data += next() % 12 == 0 ? '\n' : ' ';
            }
        }
        data.resize(size);
        writeFile(shape.folder / name, data);
    }
    return shape;
}

// The archive of the folder's files, each stored when its name says noise.
void makeArchive(const Shape& shape) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(shape.folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    int error = 0;
    zip_t* archive = zip_open(shape.archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        fail("cannot make the archive");
    }
    for (const fs::path& file : files) {
        zip_source_t* source = zip_source_file(archive, file.c_str(), 0, -1);
        const zip_int64_t index =
            source == nullptr ? -1 : zip_file_add(archive, file.filename().c_str(), source, 0);
        const bool stored = file.filename().string().find("noise") != std::string::npos;
        if (index < 0 ||
            zip_set_file_compression(archive, zip_uint64_t(index),
                                     stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, stored ? 0 : 6) != 0) {
            fail("cannot add to the archive");
        }
    }
    if (zip_close(archive) != 0) {
        fail("cannot write the archive");
    }
}

double timeRun(const QString& program, const QStringList& arguments,
               const fs::path& workingFolder) {
    ::sync();
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QString::fromStdString(workingFolder.string()));
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
void checkFolder(const fs::path& folder, int files, const std::string& tool) {
    const auto count = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    if (count != files) {
        fail(tool + " extracted " + std::to_string(count) + " of " + std::to_string(files) +
             " files");
    }
    fs::remove_all(folder);
}

void checkArchive(const fs::path& path, int files, const std::string& tool) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    const zip_int64_t count = archive == nullptr ? -1 : zip_get_num_entries(archive, 0);
    if (archive != nullptr) {
        zip_discard(archive);
    }
    if (count != files) {
        fail(tool + " packed " + std::to_string(count) + " of " + std::to_string(files) + " files");
    }
    fs::remove(path);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One tool's timings by figure name ("pkunzip_20k"), in run order.
using Timings = std::map<std::string, std::vector<double>>;

void runShape(const Shape& shape, const fs::path& scratch, int run, const QString& toolsDir,
              const std::string& prefix, const QString& unzip, const QString& zip, Timings& times) {
    const QString archive = QString::fromStdString(shape.archive.string());
    const auto out = [&](const char* tool) {
        return scratch / (std::string(tool) + shape.name + std::to_string(run));
    };
    const std::string tag = "_" + shape.name;
    for (const bool ours : {true, false}) {
        if (!ours && !prefix.empty()) {
            continue;  // Info-ZIP once per turn, with our own tools
        }
        const fs::path folder = out(ours ? "pk" : "un");
        const double seconds =
            ours ? timeRun(toolsDir + "/PKUNZIP.EXE",
                           {archive, QString::fromStdString(folder.string() + "/")}, scratch)
                 : timeRun(unzip, {"-q", archive, "-d", QString::fromStdString(folder.string())},
                           scratch);
        times[prefix + (ours ? "pkunzip" : "unzip") + tag].push_back(seconds);
        checkFolder(folder, shape.files, ours ? "PKUNZIP" : "unzip");
    }
    for (const bool ours : {true, false}) {
        if (!ours && !prefix.empty()) {
            continue;
        }
        const fs::path made = out(ours ? "pkz" : "z").string() + ".zip";
        const QString madeArg = QString::fromStdString(made.string());
        // As the scripts name them: the folder's files by PKZIP's own wildcard.
        const double seconds =
            ours ? timeRun(toolsDir + "/PKZIP.EXE", {madeArg, "*.*"}, shape.folder)
                 : timeRun(zip, {"-q", "-9", "-r", madeArg, "."}, shape.folder);
        times[prefix + (ours ? "pkzip" : "zip") + tag].push_back(seconds);
        checkArchive(made, shape.files, ours ? "PKZIP" : "zip");
    }
}

void printRatio(const Timings& times, const std::string& ours, const std::string& theirs,
                const std::string& name) {
    const std::vector<double>& a = times.at(ours);
    const std::vector<double>& b = times.at(theirs);
    std::vector<double> ratios;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        ratios.push_back(a[i] / b[i]);
    }
    std::printf("%s: %.2f\n", name.c_str(), median(ratios));
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = Options::parse(argc, argv);
    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    const QString zip = QStandardPaths::findExecutable(QStringLiteral("zip"));
    if (unzip.isEmpty() || zip.isEmpty()) {
        fail("Info-ZIP's unzip and zip are not both installed");
    }
    const ScratchFolder scratch;
    const std::vector<Shape> shapes = {makeSmall(scratch.path(), options.files),
                                       makeBig(scratch.path(), options.bigMb)};
    for (const Shape& shape : shapes) {
        makeArchive(shape);
    }
    // The tools look for their archives and files on a drive.
    qputenv("BRIVANEL_DRIVES", QByteArray("C:=/"));
    const QString ours = QFileInfo(QStringLiteral(BRIVANEL_PKUNZIP)).absolutePath();

    Timings times;
    for (int run = 0; run < options.runs; ++run) {
        for (const Shape& shape : shapes) {
            runShape(shape, scratch.path(), run, ours, "", unzip, zip, times);
            if (!options.baseline.isEmpty()) {
                runShape(shape, scratch.path(), run, options.baseline, "baseline_", unzip, zip,
                         times);
            }
        }
    }
    for (const auto& [name, values] : times) {
        std::printf("%s_s: %.3f\n", name.c_str(), median(values));
    }
    for (const char* shape : {"20k", "big"}) {
        const std::string tag = std::string("_") + shape;
        printRatio(times, "pkunzip" + tag, "unzip" + tag, "pkunzip_vs_unzip" + tag + "_ratio");
        printRatio(times, "pkzip" + tag, "zip" + tag, "pkzip_vs_zip" + tag + "_ratio");
        if (!options.baseline.isEmpty()) {
            printRatio(times, "baseline_pkunzip" + tag, "unzip" + tag,
                       "baseline_pkunzip_vs_unzip" + tag + "_ratio");
            printRatio(times, "baseline_pkzip" + tag, "zip" + tag,
                       "baseline_pkzip_vs_zip" + tag + "_ratio");
        }
    }
    return 0;
}
