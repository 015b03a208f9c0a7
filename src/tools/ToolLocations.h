#pragma once

#include <QString>
#include <array>

#include "platform/Dialogs.h"
#include "settings/StoreSchema.h"

class SettingsStore;

// The six tool programs of "File Locations" and how each is stored, looked
// for and browsed to.
enum class Tool { PKZip, PKUnzip, ZipMagic, JoyEmu, JoyCP, UniVBE };
inline constexpr int kToolCount = 6;

struct ToolRow {
    Tool tool;
    const char16_t* label;
    StoreSchema::TextValue storeValue;
    const char16_t* executable;  // what Search Drives looks for
    const char16_t* browseTitle;
};

// In the order the dialog shows and stores them.
inline constexpr std::array<ToolRow, kToolCount> kToolRows{{
    {Tool::PKZip, u"PK&Zip:", StoreSchema::kPkzipPath, u"PKZIP.EXE", u"Location of PKZIP"},
    {Tool::PKUnzip, u"PK&Unzip:", StoreSchema::kPkunzipPath, u"PKUNZIP.EXE",
     u"Location of PKUNZIP"},
    {Tool::ZipMagic, u"Zip&Magic:", StoreSchema::kZipMagicPath, u"ZMCMDLN.EXE",
     u"Location of ZMCMDLN"},
    {Tool::JoyEmu, u"Joy&Emu:", StoreSchema::kJoyEmuPath, u"JOYEMU.EXE", u"Location of JOYEMU"},
    {Tool::JoyCP, u"Joy&CP:", StoreSchema::kJoyCpPath, u"JOYCP.EXE", u"Location of JOYCP"},
    {Tool::UniVBE, u"&SciTech UniVBE:", StoreSchema::kUniVbePath, u"UNIVBE.EXE",
     u"Location of UNIVBE"},
}};

// Search Drives fills the fields in this order; ZipMagic comes first so
// that it can be switched off at once.
inline constexpr std::array<Tool, kToolCount> kToolSearchOrder{
    Tool::ZipMagic, Tool::PKZip, Tool::PKUnzip, Tool::JoyEmu, Tool::JoyCP, Tool::UniVBE};

inline constexpr char16_t kDrivesLabel[] = u"&Paths to search:";
inline constexpr char16_t kExecutableFilter[] = u"Executable file (*.EXE)|*.EXE";
inline constexpr char16_t kZipMagicOff[] = u" /e-";

const ToolRow& RowOf(Tool tool);

// The seven texts of the dialog.
struct ToolPaths {
    std::array<QString, kToolCount> tools;  // indexed like kToolRows
    QString drives;
};

// Opens the root key, creating it when missing, and writes the seven values
// in table order.
void WriteToolLocations(SettingsStore& store, const ToolPaths& paths);

// The "Desktop" folder the browse dialogs start in: ~/Desktop when it
// exists, else the home folder itself.
QString DesktopFolder(const QString& homeFolder);
QString DesktopFolder();

// The file dialog of a browse button.
OpenFileRequest BrowseRequest(Tool tool, const QString& initialFolder);
