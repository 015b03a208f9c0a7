#pragma once

#include <QProgressBar>

#include "context/StatusProgress.h"

// The status bar's progress bar `ProgressBar1`, hidden while nothing goes on.
class StatusProgressBar : public QProgressBar, public StatusProgress {
    Q_OBJECT
public:
    explicit StatusProgressBar(QWidget* parent);

    void begin(const QString& text, int total) override;
    void step(int n) override;
    void end() override;
};
