#pragma once

#include <QString>
#include <array>
#include <span>

#include "platform/Dialogs.h"
#include "settings/StoreSchema.h"

class SettingsStore;

// Where the six tool programs live and which paths the drive search walks:
// the run's values, edited in "File Locations" and kept in the store.
struct ToolLocations {
    QString pkzip, pkunzip, zipMagic, joyEmu, joyCp, uniVbe;
    QString drives = QStringLiteral("C:");

    friend bool operator==(const ToolLocations&, const ToolLocations&) = default;
};

// The six tool programs, in the order of the table below.
enum class Tool { PKZip, PKUnzip, ZipMagic, JoyEmu, JoyCP, UniVBE };
inline constexpr int kToolCount = 6;

// One value of ToolLocations: how the store names it, which field of the
// dialog shows it (its browse button is named alike, "B" for "E"), and for
// a tool program what Search Drives looks for and how it is browsed to.
struct LocationRow {
    QString ToolLocations::*field;
    StoreSchema::TextValue storeValue;
    const char* editName;
    const char16_t* label;
    const char16_t* executable;   // none for the paths to search
    const char16_t* browseTitle;  // none for the paths to search
};

// In the order the dialog shows and stores them: the tools, indexed by Tool,
// then the paths to search.
inline constexpr std::array<LocationRow, kToolCount + 1> kLocationRows{{
    {&ToolLocations::pkzip, StoreSchema::kPkzipPath, "EPKZip", u"PK&Zip:", u"PKZIP.EXE",
     u"Location of PKZIP"},
    {&ToolLocations::pkunzip, StoreSchema::kPkunzipPath, "EPKUnzip", u"PK&Unzip:", u"PKUNZIP.EXE",
     u"Location of PKUNZIP"},
    {&ToolLocations::zipMagic, StoreSchema::kZipMagicPath, "EZipMagic", u"Zip&Magic:",
     u"ZMCMDLN.EXE", u"Location of ZMCMDLN"},
    {&ToolLocations::joyEmu, StoreSchema::kJoyEmuPath, "EJoyEmu", u"Joy&Emu:", u"JOYEMU.EXE",
     u"Location of JOYEMU"},
    {&ToolLocations::joyCp, StoreSchema::kJoyCpPath, "EJoyCP", u"Joy&CP:", u"JOYCP.EXE",
     u"Location of JOYCP"},
    {&ToolLocations::uniVbe, StoreSchema::kUniVbePath, "EUniVBE", u"&SciTech UniVBE:",
     u"UNIVBE.EXE", u"Location of UNIVBE"},
    {&ToolLocations::drives, StoreSchema::kDrivesToSearch, "EDrives", u"&Paths to search:", nullptr,
     nullptr},
}};

// The rows of the six tool programs, and the row of the paths to search.
inline constexpr std::span<const LocationRow, kToolCount> kToolRows =
    std::span(kLocationRows).first<kToolCount>();
inline constexpr const LocationRow& kDrivesRow = kLocationRows[kToolCount];

// Search Drives fills the fields in this order; ZipMagic comes first so
// that it can be switched off at once.
inline constexpr std::array<Tool, kToolCount> kToolSearchOrder{
    Tool::ZipMagic, Tool::PKZip, Tool::PKUnzip, Tool::JoyEmu, Tool::JoyCP, Tool::UniVBE};

inline constexpr char16_t kExecutableFilter[] = u"Executable file (*.EXE)|*.EXE";
// What ZipMagic's command-line tool is given while the program runs, and when it ends.
inline constexpr char16_t kZipMagicOff[] = u" /e-";
inline constexpr char16_t kZipMagicOn[] = u" /e+";

const LocationRow& RowOf(Tool tool);

// What Search Drives found, for the status bar: "PKZIP found at C:\X\PKZIP.EXE;
// ...; not found: JoyEmu, ..." in the order of the table.
QString ToolsFoundText(const ToolLocations& found);

// The locations with every empty tool field filled with what the found-files
// list holds for it (as Search Drives finds it); set ones stay as they are.
ToolLocations WithFoundTools(ToolLocations locations, const QStringList& foundFiles);

// The seven values of the root key; an absent one reads as empty.
ToolLocations ReadToolLocations(SettingsStore& root);
// Opens the root key, creating it when missing, and writes the seven values
// in table order.
void WriteToolLocations(SettingsStore& store, const ToolLocations& locations);

// The "Desktop" folder the browse dialogs start in: ~/Desktop when it
// exists, else the home folder itself.
QString DesktopFolder(const QString& homeFolder);
QString DesktopFolder();

// The file dialog of a browse button.
OpenFileRequest BrowseRequest(Tool tool, const QString& initialFolder);
