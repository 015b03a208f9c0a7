#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "context/ErrorGuard.h"
#include "tools/SearchChoice.h"

class AppContext;
class EmulatorTable;

// "Search Options": which emulators the next list build visits and which
// paths it searches. It shows the emulators as the store knows them and a
// copy of the paths, and hands back the choice it closes with.
class TFSearchOptions : public QDialog {
    Q_OBJECT
public:
    TFSearchOptions(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                    QWidget* parent = nullptr);

    // The paths to search shown in the field.
    void SetDrives(const QString& drives);
    // The emulators under "Yes" and the paths, as the dialog shows them.
    SearchChoice::Choice Choice() const;

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateLayout();
    // Puts every emulator into "Yes" when an earlier search found it (the
    // store has its key), otherwise into "No"; the pace as the store has it.
    void FormShow();
    void BAddClick();
    void BSubtractClick();
    void BAddAllClick();
    void BSubtractAllClick();
    void BOKClick();

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    QListWidget* LBYes;  // emulators the next list build visits
    QListWidget* LBNo;
    QLineEdit* ESearchDrives;
    QCheckBox* CBFastListBuild;
    QPushButton* BAdd;
    QPushButton* BSubtract;
    QPushButton* BAddAll;
    QPushButton* BSubtractAll;
    QPushButton* BOK;
    QPushButton* BCancel;
};
