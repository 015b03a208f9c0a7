// Moving through the game lists: the page change, keys, mouse, joystick and
// Choose Random.
#include <QKeyEvent>
#include <QLineEdit>

#include "catalogue/EmulatorTable.h"
#include "context/AppContext.h"
#include "gamelist/RandomChoice.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/GameListsPane.h"

void GameListsPane::StepPage(int step) {
    std::vector<bool> visible(size_t(PCConsole->count()));
    for (int i = 0; i < PCConsole->count(); ++i) {
        visible[size_t(i)] = PCConsole->isTabVisible(i);
    }
    const int page = ListNavigation::StepVisiblePage(visible, PCConsole->currentIndex(), step);
    if (page >= 0 && page != PCConsole->currentIndex()) {
        PCConsole->setCurrentIndex(page);  // runs PCConsoleChange
    }
}

void GameListsPane::PCConsoleChange() {
    GameListWidget* list = ListOfPage(PCConsole->currentWidget());
    if (list == nullptr) {
        return;
    }
    currentListBox_ = list;
    UpdateGameCount();
    emit selectionChanged();
}

void GameListsPane::LBArcadeKeyPress(QKeyEvent* event) {
    // Left and Right change the page when released; the list itself must
    // not move its selection on them.
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && EFilter->isVisible()) {
        event->accept();
        HideFilter();
        return;
    }
    const QString typed = event->text();
    if (typed == u"\r" || typed == u"1" || typed == u"2") {
        event->accept();
        emit playRequested();
    } else if (typed == u"3" || typed == u"4") {
        event->accept();
        ChooseRandom1Click();
    }
}

void GameListsPane::LBArcadeKeyUp(QKeyEvent* event) {
    // A held key repeats its press, but counts as released once, at the end.
    if (event->isAutoRepeat()) {
        return;
    }
    switch (event->key()) {
        case Qt::Key_Left:
            StepPage(-1);
            currentListBox_->setFocus();
            break;
        case Qt::Key_Right:
            StepPage(1);
            currentListBox_->setFocus();
            break;
        case Qt::Key_Delete:
            emit removeRequested();
            break;
        default:
            break;
    }
    emit selectionChanged();
}

void GameListsPane::LBArcadeMouseUp() {
    emit selectionChanged();
}

void GameListsPane::ChooseRandom1Click() {
    GameListWidget* list = currentListBox_;
    const std::vector<int> candidates =
        RandomChoice::Candidates(ctx_, emulators_, list->shownItems(), view_.showCount);
    // A list without a single game to land on (empty, or only missing games
    // and emulators) leaves the selection as it is.
    const std::optional<int> pick = RandomChoice::Pick(candidates, ctx_.clock().now());
    if (!pick) {
        return;
    }
    list->setItemIndex(*pick);
    emit selectionChanged();
}

void GameListsPane::Timer2Timer() {
    const ListNavigation::JoystickCommand command = ListNavigation::JoystickTick(
        ctx_.joystick().read(), joystickCentreX_, joystickCentreY_, joystickPolling_);
    if (command.play) {
        emit playRequested();
    }
    bool moved = false;
    if (command.itemStep != 0) {
        GameListWidget* list = currentListBox_;
        const int index = list->itemIndex();
        const bool room = command.itemStep < 0 ? index > 0 : index < list->count() - 1;
        if (room) {
            list->setItemIndex(index + command.itemStep);
            moved = true;
        }
    }
    if (command.pageStep != 0) {
        StepPage(command.pageStep);
    }
    if (moved) {
        emit selectionChanged();
    }
    if (command.chooseRandom) {
        ChooseRandom1Click();
    }
}
