#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>

// The ROM choice: when several files could be a game's ROM, the user
// selects one (Select), makes its directory the emulator's default (All),
// takes none (None) or stops the list build (Cancel).
class TFStatus : public QDialog {
    Q_OBJECT
public:
    explicit TFStatus(QWidget* parent = nullptr);

    // Sets the captions for the name being searched (as LSn shows it) and
    // the emulator, and lists the candidates with none selected.
    void Prepare(const QString& searchedName, const QString& emulatorId,
                 const QStringList& candidates);
    // The selected candidate; empty when none is selected.
    QString SelectedItem() const;

public slots:
    // Esc and closing the window cancel, as the Cancel button does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LBROMListClick();
    void UpdateButtons();

    QTextEdit* Memo1;
    QListWidget* LBROMList;
    QPushButton* BSelect;  // modal result 1
    QPushButton* BNone;    // modal result 7
    QPushButton* BAll;     // modal result 8
    QPushButton* BCancel;  // modal result 2
};
