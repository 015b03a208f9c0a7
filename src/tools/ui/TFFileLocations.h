#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "context/ErrorGuard.h"
#include "tools/ToolLocations.h"

class AppContext;
class EmulatorTable;
class FoundFiles;
class StatusLine;

// "File Locations": where the tool programs live and which paths the drive
// search walks. It edits a copy of the run's tool locations, which its
// owner takes back when it closes (OK or Cancel) and stores after OK.
// Search Drives looks the tools up in the found-files list, searching the
// drives into it first when it is empty; the status bar shows the search
// and what it found.
class TFFileLocations : public QDialog {
    Q_OBJECT
public:
    TFFileLocations(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                    StatusLine& status, FoundFiles& foundFiles, QWidget* parent = nullptr);

    void SetLocations(const ToolLocations& locations);
    // What the seven fields hold now.
    ToolLocations Locations() const;

    // Closes with Cancel; the fields keep what was typed for the run.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateLayout();
    // The fields and browse buttons in the order of kLocationRows.
    std::array<QLineEdit*, kLocationRows.size()> Fields() const;
    std::array<QPushButton*, kToolCount> BrowseButtons() const;
    // BPKZipClick, BPKUnzipClick, BZipMagicClick, BJoyEmuClick, BJoyCPClick
    // and BUniVBEClick: one operation for each row of the table.
    void BrowseClick(Tool tool);
    // Fills the six tool fields from the found-files list, searching the
    // drives first when the list is still empty.
    void BSearchDrivesClick();
    void BOKClick();

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    StatusLine& status_;
    FoundFiles& foundFiles_;
    QLineEdit* EPKZip;
    QLineEdit* EPKUnzip;
    QLineEdit* EZipMagic;
    QLineEdit* EJoyEmu;
    QLineEdit* EJoyCP;
    QLineEdit* EUniVBE;
    QLineEdit* EDrives;
    QPushButton* BPKZip;
    QPushButton* BPKUnzip;
    QPushButton* BZipMagic;
    QPushButton* BJoyEmu;
    QPushButton* BJoyCP;
    QPushButton* BUniVBE;
    QPushButton* BSearchDrives;
    QPushButton* BOK;
    QPushButton* BCancel;
};
