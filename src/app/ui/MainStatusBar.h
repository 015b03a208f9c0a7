#pragma once

#include <QLabel>
#include <QStatusBar>

#include "context/StatusLine.h"

// The main window's status bar `StatusBar1`: one text, `StatusText`, which
// shows progress and the hint of what the mouse is over.
class MainStatusBar : public QStatusBar, public StatusLine {
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent);

    // Sets the single text and repaints it at once.
    void SetStatus(const QString& text) override;
    // The long part of a hint: the text after its first "|", or all of it.
    void DisplayHint(const QString& hint);

private:
    QLabel* StatusText;
};
