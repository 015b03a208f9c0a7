#pragma once

#include <QFont>
#include <QPainter>
#include <QSize>
#include <functional>

#include "maintenance/ReportRows.h"

// Draws a report onto any paged device: a title line, section headers and
// rows in three columns (0, half and three quarters of the page width),
// moving down one line at a time and starting a new page when the next row
// would not fit whole.
class ReportLayout {
public:
    // `newPage` starts the next page of the device.
    ReportLayout(QPainter& painter, QSize page, std::function<void()> newPage);

    // Arial 18 points bold at the top left; the first line follows it.
    void title(const QString& text);
    // Arial 12 points bold, the line height taken from it; a line before the
    // header and two after it; the rows that follow are in normal style.
    void header(const QString& name, const QString& second, const QString& third);
    // A grey (224, 224, 224) band under a shaded row, the columns, then the next line.
    void row(const ReportRows::Row& row);
    // The next line, or the top of a new page when a line more would not fit.
    void nextLine();

    int y() const { return y_; }
    int lineHeight() const { return h_; }
    int pageCount() const { return pages_; }

private:
    void text(int x, const QString& text);
    int secondColumn() const { return int(page_.width() * 0.5); }
    int thirdColumn() const { return int(page_.width() * 0.75); }

    QPainter& painter_;
    QSize page_;
    std::function<void()> newPage_;
    int y_ = 0;
    int h_ = 0;
    int pages_ = 1;
};
