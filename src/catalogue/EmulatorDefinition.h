#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "catalogue/OptionGroups.h"

class DosFileSystem;

struct CheckGroupDefinition {
    bool present = false;
    QString name;  // caption; empty keeps the built-in one
    QString hint;
    QString clear;  // fragment when the box is clear
    QString check;  // fragment when the box is checked
};

// A list group's 2 option lists: captions (the section's keys in file order)
// and the fragments at the same positions.
struct ListGroupDefinition {
    bool present = false;
    QStringList captions;
    QStringList fragments;
};

// One emulator, as its definition file describes it.
struct EmulatorDefinition {
    QString lbName;
    QString emulatorId;
    QString sortName;
    QString romLocation;  // from the store, kept for shutdown
    QString romPath;
    QString zippedRomPath;
    bool romLast = false;
    QString keyHelpFile;
    QString keyBegin;
    QString keyEnd;
    QString gameKeyHelpFile;
    QString gameSpecific;
    int gsBlankLines = 0;
    QString highScorePattern;
    QString nvramPattern;
    QString configPattern;
    QString dipswitchPattern;
    QString keyPattern;
    QString samplesPath;
    bool showJoyEmu = false;
    bool showAdditional = true;
    bool notSingle = true;
    QString type;
    QString platform;
    QString extensions;
    QString gameSwitch;
    QString alwaysDo;
    std::array<CheckGroupDefinition, kCheckGroupCount> checks;
    std::array<ListGroupDefinition, kListGroupCount> lists;
    int linesOffscreenMin = 0;
    int linesOffscreenMax = 32;
    int linesOffscreenDefault = 8;

    const CheckGroupDefinition& check(CheckGroup g) const { return checks[size_t(index(g))]; }
    const ListGroupDefinition& list(ListGroup g) const { return lists[size_t(index(g))]; }
    bool isSingle() const { return type == u"SINGLE"; }
    // The caption of the emulator's own tab: the list name before " {".
    QString tabCaption() const;
};

inline constexpr char16_t kDefaultSortName[] = u"\"Single  \"";

// The definition file's section of the emulator itself: LBName, Type, ...
inline constexpr char16_t kEmulatorSection[] = u"Emulator";

// "mame.ini" -> "MAME": the name up to its first ".", upper-cased.
QString EmulatorIdFromFileName(const QString& fileName);

// True when [Emulator] LBName holds "{" and Type is MAME, SINGLE, MULTI or CONSOLE.
bool IsEmulatorDefinition(const DosFileSystem& fs, const QString& dosPath);

// Reads <programDirectory><emulatorId>.ini with every default; a file that
// is gone gives a record of defaults.
EmulatorDefinition ReadEmulatorDefinition(const DosFileSystem& fs, const QString& programDirectory,
                                          const QString& emulatorId);
