#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>

// "Change Emulator To": the list names of a game's further emulators; OK
// makes the selected one the game's emulator.
class TFNewEmu : public QDialog {
    Q_OBJECT
public:
    explicit TFNewEmu(QWidget* parent = nullptr);

    QListWidget* LBNewEmu;
    QPushButton* BOK;      // modal result 1, the default button
    QPushButton* BCancel;  // modal result 2, also Esc

    // Selects the first item, so that OK alone takes the first emulator.
    void FormActivate();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
};
