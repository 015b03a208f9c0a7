#include "app/ui/MainStatusBar.h"

#include <QLayout>
#include <QLocale>
#include <algorithm>
#include <limits>

QString StatusCountBar::text() const {
    const QLocale locale;
    const QString count =
        countOnly_ ? locale.toString(value())
                   : locale.toString(value()) + QStringLiteral(" of ") + locale.toString(maximum());
    return caption_.isEmpty() ? count : caption_ + u' ' + count;
}

MainStatusBar::MainStatusBar(QWidget* parent)
    : QStatusBar(parent),
      StatusText(new QLabel(this)),
      StatusNotice(new QLabel(this)),
      StatusProgressBar(new StatusCountBar(this)) {
    setObjectName(QStringLiteral("StatusBar1"));
    StatusText->setObjectName(QStringLiteral("StatusText"));
    // A long text is cut at the window's edge rather than widen the window.
    StatusText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusText->setTextFormat(Qt::PlainText);
    addWidget(StatusText, 1);
    StatusNotice->setObjectName(QStringLiteral("StatusNotice"));
    StatusNotice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusNotice->setTextFormat(Qt::PlainText);
    StatusNotice->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    addWidget(StatusNotice, 2);
    StatusNotice->hide();
    StatusProgressBar->setObjectName(QStringLiteral("StatusProgressBar"));
    StatusProgressBar->setFixedWidth(220);
    StatusProgressBar->setMaximumHeight(StatusText->sizeHint().height() + 4);
    addPermanentWidget(StatusProgressBar);
    StatusProgressBar->hide();
}

void MainStatusBar::SetStatus(const QString& text) {
    StatusText->setText(text);
    StatusText->repaint();
}

void MainStatusBar::DisplayHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    SetStatus(bar < 0 ? hint : hint.mid(bar + 1));
}

void MainStatusBar::ShowNotice(const QString& notice) {
    StatusNotice->setText(notice);
    // A notice longer than the room it gets is read whole under the mouse.
    StatusNotice->setToolTip(notice);
    StatusNotice->setVisible(!notice.isEmpty());
}

void MainStatusBar::BeginProgress(qint64 total, const QString& caption) {
    // The bar counts in int; a count beyond that only stops moving.
    const int steps = int(std::min<qint64>(total, std::numeric_limits<int>::max()));
    StatusProgressBar->setCountOnly(steps <= 0);
    StatusProgressBar->setCaption(caption);
    // Room for the caption and a count of six figures.
    StatusProgressBar->setFixedWidth(std::max(
        220,
        StatusProgressBar->fontMetrics().horizontalAdvance(caption + u" 999,999 of 999,999") + 24));
    StatusProgressBar->setRange(0, steps <= 0 ? std::numeric_limits<int>::max() : steps);
    StatusProgressBar->setValue(0);
    StatusProgressBar->show();
    // The window is blocked: the bar has to be laid out and drawn now.
    layout()->activate();
    repaint();
}

void MainStatusBar::StepProgress(qint64 done) {
    StatusProgressBar->setValue(int(std::clamp<qint64>(done, 0, StatusProgressBar->maximum())));
    StatusProgressBar->repaint();
}

void MainStatusBar::EndProgress() {
    StatusProgressBar->hide();
}
