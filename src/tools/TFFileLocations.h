#pragma once

#include <QDialog>
#include <QLineEdit>

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

private:
    AppContext& ctx_;
    AppState& state_;
};
