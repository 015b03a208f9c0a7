#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "tools/ToolLocations.h"

class AppContext;
struct AppState;

// "File Locations": where the tool programs live and which paths the drive
// search walks. Its fields are the live settings of the run.
class TFFileLocations : public QDialog {
    Q_OBJECT
public:
    TFFileLocations(AppContext& ctx, AppState& state, QWidget* parent = nullptr);

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

    QLineEdit* Field(Tool tool) const;
    QPushButton* BrowseButton(Tool tool) const;

    // The browse buttons: one operation for each row of the table.
    void BrowseClick(Tool tool);
    void BPKZipClick() { BrowseClick(Tool::PKZip); }
    void BPKUnzipClick() { BrowseClick(Tool::PKUnzip); }
    void BZipMagicClick() { BrowseClick(Tool::ZipMagic); }
    void BJoyEmuClick() { BrowseClick(Tool::JoyEmu); }
    void BJoyCPClick() { BrowseClick(Tool::JoyCP); }
    void BUniVBEClick() { BrowseClick(Tool::UniVBE); }
    // Fills the six tool fields from the found-files list, searching the
    // drives first when the list is still empty.
    void BSearchDrivesClick();
    // Stores the seven texts and closes with OK.
    void BOKClick();
    // Closes with Cancel; the fields keep what was typed for the run.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateLayout();
    ToolPaths Paths() const;

    AppContext& ctx_;
    AppState& state_;
};
