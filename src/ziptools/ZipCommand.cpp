#include "ziptools/ZipCommand.h"

#include <filesystem>

#include "dosnames/DosCase.h"
#include "dosnames/DosWildcard.h"
#include "ziptools/EntryPaths.h"
#include "ziptools/HostFiles.h"

namespace {

bool isOption(const std::string& word) {
    return word.size() > 1 && word.front() == '-';
}

std::string setOption(ZipTool tool, char letter, ZipCommand& command) {
    switch (DosCase::fold(std::string(1, letter)).front()) {
        case 'd':
            (tool == ZipTool::Unzip ? command.keepFolders : command.deleteEntries) = true;
            return {};
        case 'o':
            if (tool == ZipTool::Unzip) {
                command.overwrite = true;
                return {};
            }
            break;
        case 'm':
            if (tool == ZipTool::Zip) {
                command.move = true;
                return {};
            }
            break;
        case 'u':
            if (tool == ZipTool::Zip) {
                command.update = true;
                return {};
            }
            break;
        default:
            break;
    }
    return std::string("unknown option -") + letter;
}

bool looksLikeDestination(const std::string& word) {
    if (DosWildcard::hasWildcards(word)) {
        return false;
    }
    const std::string path = EntryPaths::withSlashes(word);
    std::error_code code;
    return path.front() == '/' || path.back() == '/' ||
           std::filesystem::is_directory(HostFiles::resolveIgnoringCase(path), code);
}

}  // namespace

std::optional<ZipTool> toolForProgramName(std::string_view argv0) {
    const size_t slash = argv0.find_last_of("/\\");
    const std::string base =
        DosCase::fold(slash == std::string_view::npos ? argv0 : argv0.substr(slash + 1));
    if (base.find("pkunzip") != std::string::npos) {
        return ZipTool::Unzip;
    }
    if (base.find("pkzip") != std::string::npos) {
        return ZipTool::Zip;
    }
    return std::nullopt;
}

ParsedCommand parseZipCommand(ZipTool tool, const std::vector<std::string>& arguments) {
    ZipCommand command;
    command.tool = tool;
    std::vector<std::string> words;
    for (const std::string& argument : arguments) {
        if (!isOption(argument)) {
            words.push_back(argument);
            continue;
        }
        for (const char letter : argument.substr(1)) {
            std::string error = setOption(tool, letter, command);
            if (!error.empty()) {
                return {std::nullopt, error};
            }
        }
    }
    if (words.empty() || words.front().empty()) {
        return {std::nullopt, "no archive named"};
    }
    command.archive = words.front();
    command.names.assign(words.begin() + 1, words.end());
    if (tool == ZipTool::Unzip && !command.names.empty() &&
        looksLikeDestination(command.names.back())) {
        command.destination = command.names.back();
        command.names.pop_back();
    }
    if (tool == ZipTool::Zip && command.deleteEntries && command.names.empty()) {
        return {std::nullopt, "-d needs the names of the entries to delete"};
    }
    if (tool == ZipTool::Zip && command.deleteEntries && (command.move || command.update)) {
        return {std::nullopt, "-d cannot be combined with -m or -u"};
    }
    return {command, {}};
}

bool withHostPaths(ZipCommand& command, const DriveBounds& bounds, std::string& error) {
    std::vector<std::string*> words{&command.archive, &command.destination};
    if (!command.deleteEntries) {
        for (std::string& name : command.names) {
            words.push_back(&name);
        }
    }
    for (std::string* word : words) {
        const std::optional<std::string> host = bounds.hostWord(*word, error);
        if (!host) {
            return false;
        }
        *word = *host;
    }
    return true;
}

std::string usageText(ZipTool tool) {
    if (tool == ZipTool::Unzip) {
        return "usage: PKUNZIP [-d] [-o] archive[.zip] [mask ...] [destination]\n"
               "  -d  keep the folders stored in the archive\n"
               "  -o  overwrite existing files\n";
    }
    return "usage: PKZIP [-m] [-u] archive[.zip] [files ...]\n"
           "       PKZIP archive[.zip] -d entry ...\n"
           "  -d  delete the named entries from the archive\n"
           "  -m  move: delete the files once they are in the archive\n"
           "  -u  update: add only files that are new or newer than their entry\n";
}
