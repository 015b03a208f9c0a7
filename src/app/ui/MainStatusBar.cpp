#include "app/ui/MainStatusBar.h"

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent), StatusText(new QLabel(this)) {
    setObjectName(QStringLiteral("StatusBar1"));
    StatusText->setObjectName(QStringLiteral("StatusText"));
    addWidget(StatusText, 1);
}

void MainStatusBar::SetStatus(const QString& text) {
    StatusText->setText(text);
    StatusText->repaint();
}

void MainStatusBar::DisplayHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    SetStatus(bar < 0 ? hint : hint.mid(bar + 1));
}
