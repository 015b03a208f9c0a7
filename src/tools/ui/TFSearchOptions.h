#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

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
    QPushButton* BAdd;
    QPushButton* BSubtract;
    QPushButton* BAddAll;
    QPushButton* BSubtractAll;
    QPushButton* BOK;
    QPushButton* BCancel;

    // Puts every emulator into "Yes" when an earlier search found it (the
    // store has its key), otherwise into "No".
    void FormShow();
    void BAddClick();
    void BSubtractClick();
    void BAddAllClick();
    void BSubtractAllClick();
    // Copies the paths into the file locations' EDrives, stores them as
    // "Drives To Search" and closes with OK.
    void BOKClick();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateLayout();

    AppContext& ctx_;
    AppState& state_;
};
