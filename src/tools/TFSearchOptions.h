#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>

class AppContext;
struct AppState;

// "Search Options": which emulators the next list build visits and which
// paths it searches.
class TFSearchOptions : public QDialog {
    Q_OBJECT
public:
    TFSearchOptions(AppContext& ctx, AppState& state, QWidget* parent = nullptr);

    QListWidget* LBYes;  // emulators the next list build visits
    QListWidget* LBNo;
    QLineEdit* ESearchDrives;

private:
    AppContext& ctx_;
    AppState& state_;
};
