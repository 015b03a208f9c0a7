#include "app/ui/FirstFrameReport.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>

#include "gamelist/ui/GameListWidget.h"
#include "pictures/ui/PictureView.h"

void FirstFrameReport::watchIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsSet("BRIVANEL_REPORT_FIRST_FRAME")) {
        qApp->installEventFilter(new FirstFrameReport(window));
    }
}

FirstFrameReport::FirstFrameReport(QWidget& window) : QObject(&window), window_(window) {}

bool FirstFrameReport::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || !watched->isWidgetType()) {
        return false;
    }
    // A list paints into its viewport; only a list on screen with items counts.
    for (const GameListWidget* list : window_.findChildren<GameListWidget*>()) {
        if (watched == list->viewport() && list->isVisible() && list->count() > 0) {
            listPainted_ = true;
        }
    }
    if (const auto* view = qobject_cast<PictureView*>(watched);
        view != nullptr && view->window() == &window_ && !view->picture().isNull()) {
        picturePainted_ = true;
    }
    if (listPainted_ && picturePainted_) {
        qApp->removeEventFilter(this);
        // Painting and handing the frame to the display are one pass of the
        // event loop: the next pass comes after both.
        QTimer::singleShot(0, this, [this] { report(); });
    }
    return false;
}

void FirstFrameReport::report() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("first frame: %lld.%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
    std::fflush(stdout);
}
