#include "maintenance/ui/ReportLayout.h"

#include <QFontMetrics>

namespace {

QFont arial(int points, bool bold) {
    QFont font(QStringLiteral("Arial"), points);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

}  // namespace

ReportLayout::ReportLayout(QPainter& painter, QSize page, std::function<void()> newPage)
    : painter_(painter), page_(page), newPage_(std::move(newPage)) {}

void ReportLayout::text(int x, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    // (x, y) is the top left of the text, as a printer's text output places it.
    const QFontMetrics metrics(painter_.font(), painter_.device());
    painter_.drawText(QPoint(x, y_ + metrics.ascent()), text);
}

void ReportLayout::title(const QString& title) {
    painter_.setFont(arial(18, true));
    y_ = 0;
    text(0, title);
    y_ = QFontMetrics(painter_.font(), painter_.device()).height();
}

void ReportLayout::header(const QString& name, const QString& second, const QString& third) {
    painter_.setFont(arial(12, true));
    h_ = QFontMetrics(painter_.font(), painter_.device()).height();
    nextLine();
    text(0, name);
    text(secondColumn(), second);
    text(thirdColumn(), third);
    nextLine();
    nextLine();
    painter_.setFont(arial(12, false));
}

void ReportLayout::row(const ReportRows::Row& row) {
    if (row.shaded) {
        painter_.fillRect(QRect(0, y_, page_.width(), h_ - 1), QColor(224, 224, 224));
    }
    painter_.setPen(Qt::black);
    text(0, row.name);
    text(secondColumn(), row.second);
    text(thirdColumn(), row.third);
    nextLine();
}

void ReportLayout::nextLine() {
    if (page_.height() >= y_ + 2 * h_) {
        y_ += h_;
        return;
    }
    newPage_();
    ++pages_;
    y_ = 0;
}
