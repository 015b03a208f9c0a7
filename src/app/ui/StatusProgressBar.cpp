#include "app/ui/StatusProgressBar.h"

StatusProgressBar::StatusProgressBar(QWidget* parent) : QProgressBar(parent) {
    setObjectName(QStringLiteral("ProgressBar1"));
    setTextVisible(true);
    setMinimumWidth(260);
    hide();
}

void StatusProgressBar::begin(const QString& text, int total) {
    // Nothing to show of an empty total; a bar at its end says "done" instead.
    setRange(0, qMax(total, 1));
    setFormat(text);
    setValue(0);
    show();
    repaint();
}

void StatusProgressBar::step(int n) {
    setValue(qBound(minimum(), n, maximum()));
    repaint();
}

void StatusProgressBar::end() {
    hide();
}
