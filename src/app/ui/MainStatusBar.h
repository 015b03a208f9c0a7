#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include "context/StatusLine.h"

// The progress bar of the status bar: "N of M" when the end is known, a
// count when it is not.
class StatusCountBar : public QProgressBar {
    Q_OBJECT
public:
    using QProgressBar::QProgressBar;
    QString text() const override;
    void setCountOnly(bool countOnly) { countOnly_ = countOnly; }
    void setCaption(const QString& caption) { caption_ = caption; }

private:
    bool countOnly_ = false;
    QString caption_;  // before the count, when not empty
};

// The main window's status bar `StatusBar1`: one text, `StatusText`, which
// shows progress and the hint of what the mouse is over, and the bar
// `StatusProgressBar` while work blocks the window.
class MainStatusBar : public QStatusBar, public StatusLine {
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent);

    // Sets the single text and repaints it at once.
    void SetStatus(const QString& text) override;
    QString Status() const override { return StatusText->text(); }
    // The long part of a hint: the text after its first "|", or all of it.
    void DisplayHint(const QString& hint);
    // A notice that stays beside the text, which hints and progress replace,
    // until the next one: how the last play ended. Empty hides it.
    void ShowNotice(const QString& notice);

    void BeginProgress(qint64 total, const QString& caption) override;
    void StepProgress(qint64 done) override;
    void EndProgress() override;

private:
    QLabel* StatusText;
    QLabel* StatusNotice;
    StatusCountBar* StatusProgressBar;
};
