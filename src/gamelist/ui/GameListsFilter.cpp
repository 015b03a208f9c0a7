// The filter field: the lists narrowed to the games whose names contain a
// text, ignoring case and accents.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/GameListsPane.h"

std::vector<GameListWidget*> GameListsPane::AllLists() const {
    std::vector<GameListWidget*> lists{LBArcade, LBConsole};
    for (GameListWidget* list : emulatorLists_) {
        if (list != nullptr) {
            lists.push_back(list);
        }
    }
    for (GameListWidget* list : {LBSingle, LBFavourites}) {
        if (list != nullptr) {
            lists.push_back(list);
        }
    }
    return lists;
}

void GameListsPane::FilterList1Click() {
    EFilter->show();
    EFilter->selectAll();
    EFilter->setFocus(Qt::ShortcutFocusReason);
}

void GameListsPane::EFilterChange() {
    const QString before = currentListBox_->item(currentListBox_->itemIndex());
    for (GameListWidget* list : AllLists()) {
        // The list shows other rows now: its selected item stays selected
        // while it is shown.
        const QString selected = list->item(list->itemIndex());
        list->setFilter(EFilter->text());
        const int row = selected.isEmpty() ? -1 : list->indexOf(selected);
        if (row >= 0) {
            list->setItemIndex(row);
        }
    }
    UpdateGameCount();
    if (currentListBox_->item(currentListBox_->itemIndex()) != before) {
        emit selectionChanged();
    }
}

void GameListsPane::HideFilter() {
    EFilter->clear();
    EFilter->hide();
    currentListBox_->setFocus();
}

bool GameListsPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched != EFilter || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Escape:
            guard_.run([this] { HideFilter(); });
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit playRequested();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // The list moves, and has the keys from now on: its release
            // shows the game it moved to.
            currentListBox_->setFocus(Qt::OtherFocusReason);
            QCoreApplication::sendEvent(currentListBox_, key);
            return true;
        default:
            return QWidget::eventFilter(watched, event);
    }
}
