#pragma once

#include <QObject>

class QWidget;

// How long a start takes as the user sees it: asked for with the
// environment variable BRIVANEL_REPORT_FIRST_FRAME, the program writes one
// line on its standard output once the first frame that shows the game list
// filled and the game's picture has been handed to the display:
//   first frame: <seconds on the monotonic clock>
// A program that started it compares that with the moment it started it.
class FirstFrameReport : public QObject {
public:
    // Watches `window` when the report is asked for; otherwise does nothing.
    static void watchIfAsked(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FirstFrameReport(QWidget& window);
    void report();

    QWidget& window_;
    bool listPainted_ = false;
    bool picturePainted_ = false;
};
