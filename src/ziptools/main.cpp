#include <stdlib.h>

#include <iostream>
#include <string>
#include <vector>

#include "ziptools/Archive.h"
#include "ziptools/Unzip.h"
#include "ziptools/Zip.h"

// One program under two names: PKZIP.EXE and PKUNZIP.EXE.
int main(int argc, char** argv) {
    // The C library looks at /etc/localtime again for every entry's DOS time
    // unless TZ names the zone; named once, the same zone is read once.
    ::setenv("TZ", ":/etc/localtime", 0);
    const std::optional<ZipTool> tool = toolForProgramName(argc > 0 ? argv[0] : "");
    if (!tool) {
        std::cerr << "Run this program as PKZIP or PKUNZIP (its copies of those names).\n";
        return Archive::BadCommand;
    }
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommand parsed = parseZipCommand(*tool, arguments);
    const char* const name = *tool == ZipTool::Zip ? "PKZIP" : "PKUNZIP";
    if (!parsed.command) {
        std::cerr << name << ": " << parsed.error << '\n' << usageText(*tool);
        return Archive::BadCommand;
    }
    return *tool == ZipTool::Zip ? runZip(*parsed.command, std::cout, std::cerr)
                                 : runUnzip(*parsed.command, std::cout, std::cerr);
}
