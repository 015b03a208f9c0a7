#include "gamelist/MameListRequest.h"

#include "platform/DosFileSystem.h"
#include "platform/ScriptWord.h"

namespace MameListRequest {

std::optional<QStringList> ScriptLines(const QString& executable, const QString& programDirectory,
                                       const QString& emulatorId, ScriptWords& words) {
    const QString& id = words.name(emulatorId, u"the emulator ID");
    const QString& emulator = words.path(executable, u"the emulator");
    const QString folder = words.path(programDirectory, u"the program folder");
    const QString temporary = words.made(folder + id + u".!!!", u"the list's temporary file");
    // The old lists are what the request renews: RemoveOldLists deletes them.
    words.purpose(folder + id + u".MRG");
    words.purpose(folder + id + u".LST");
    if (!words.ok()) {
        return std::nullopt;
    }
    return QStringList{
        emulator + u" -listclones > " + temporary,
        u"ren " + temporary + u' ' + id + u".MRG",
        emulator + u" -listfull > " + temporary,
        u"ren " + temporary + u' ' + id + u".LST",
    };
}

std::optional<QString> FactsLine(const QString& executable, ScriptWords& words) {
    const QString emulator = words.path(executable, u"the emulator");
    if (!words.ok()) {
        return std::nullopt;
    }
    return emulator + u" -listxml";
}

void RemoveOldLists(const DosFileSystem& fs, const QString& programDirectory,
                    const QString& emulatorId) {
    for (const char16_t* extension : {u".MRG", u".LST"}) {
        const QString path = programDirectory + emulatorId + QString::fromUtf16(extension);
        // Names that differ only in case are one file to DOS; remove them all.
        for (int copy = 0; copy < 8 && fs.fileExists(path); ++copy) {
            fs.setArchiveOnly(path);
            if (!fs.removeFile(path)) {
                break;
            }
        }
    }
}

}  // namespace MameListRequest
