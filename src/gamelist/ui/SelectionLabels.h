#pragma once

#include <QLabel>
#include <QWidget>

struct SelectionInfo;

// The information area below the Play button: the selected entry's
// emulator (LEmu), short name (LSn), parent set (LClone) and location
// (LPath), each after its caption, and for a MAME game its year, maker and
// driver status (LFacts). The list build shows its own progress here.
class SelectionLabels : public QWidget {
    Q_OBJECT
public:
    explicit SelectionLabels(QWidget* parent);

    void Show(const SelectionInfo& info);
    // Each of these repaints at once: the list build shows them while it
    // keeps the user-interface thread busy.
    void ShowEmulator(const QString& listName);
    void ShowNames(const QString& listName, const QString& shortName, const QString& parentName);
    void ShowPath(const QString& location);

private:
    QLabel* LEmuBy;
    QLabel* LEmu;
    QLabel* LSnBy;
    QLabel* LSn;
    QLabel* LCloneBy;
    QLabel* LClone;
    QLabel* LPathBy;
    QLabel* LPath;
    QLabel* LFactsBy;
    QLabel* LFacts;
};
