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

    // The list names to choose from, in their order.
    void Offer(const QStringList& listNames);
    // The row chosen when the dialog closed; -1 for none.
    int ChosenRow() const { return LBNewEmu->currentRow(); }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Selects the first item, so that OK alone takes the first emulator.
    void FormActivate();

    QListWidget* LBNewEmu;
    QPushButton* BOK;      // modal result 1, the default button
    QPushButton* BCancel;  // modal result 2, also Esc
};
