// The selected entry, the lists on the pages, and what a list build shows in them.
#include <QSignalBlocker>

#include "context/Accessors.h"
#include "context/AppState.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/GameListsPane.h"

GameListWidget* GameListsPane::ListOfPage(QWidget* page) const {
    return page ? page->findChild<GameListWidget*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

// ---- The selected entry ----

bool GameListsPane::HasSelection() const {
    const int index = currentListBox_->itemIndex();
    return index >= 0 && index < currentListBox_->count();
}

QString GameListsPane::CurrentEntryName() {
    GameListWidget* list = currentListBox_;
    if (list->count() == 0) {
        return QString();
    }
    if (!HasSelection()) {
        list->setItemIndex(0);
    }
    return EntryNameFromItemText(list->item(list->itemIndex()), view_.showCount);
}

std::optional<SelectedEntry> GameListsPane::CurrentEntry() {
    if (currentListBox_->count() == 0) {
        return std::nullopt;
    }
    CurrentEntryName();  // selects the first item when none is selected
    return ReadSelectedEntry(ctx_, state_.emulators,
                             currentListBox_->item(currentListBox_->itemIndex()), view_.showCount);
}

void GameListsPane::FocusCurrentList() {
    currentListBox_->setFocus();
}

// ---- What the list build shows ----

void GameListsPane::BringEmulatorPageToFront(int emulatorIndex) {
    const EmulatorDefinition& emulator = state_.emulators.at(emulatorIndex);
    QWidget* page = nullptr;
    if (view_.byEmulator) {
        page = emulator.isSingle()                         ? TSSingle
               : emulatorIndex < int(emulatorTabs_.size()) ? emulatorTabs_[size_t(emulatorIndex)]
                                                           : nullptr;
    } else {
        page = emulator.type == u"CONSOLE" ? TSConsole : TSArcade;
    }
    if (page != nullptr) {
        // The build selects without the selection refresh: a page change
        // would reload the panel, replace the emulator's picture and tidy the
        // store in the middle of the build.
        const QSignalBlocker quiet(PCConsole);
        PCConsole->setCurrentWidget(page);
        if (GameListWidget* list = ListOfPage(page)) {
            currentListBox_ = list;
        }
    }
    PCConsole->repaint();
}

void GameListsPane::ClearCurrentList() {
    currentListBox_->clear();
}

void GameListsPane::ListItem(const QString& itemText, bool select) {
    int row = currentListBox_->indexOf(itemText);
    if (row < 0 && !currentListBox_->contains(itemText)) {
        row = currentListBox_->addItem(itemText);
    }
    if (select && row >= 0) {
        currentListBox_->setItemIndex(row);
    }
}

void GameListsPane::SelectFirstItem() {
    if (currentListBox_->count() > 0) {
        currentListBox_->setItemIndex(0);
    }
}

std::vector<GameListsPane::Page> GameListsPane::PrintedPages() const {
    if (!view_.byEmulator) {
        return {{QStringLiteral("Arcade"), LBArcade->items()},
                {QStringLiteral("Console"), LBConsole->items()}};
    }
    std::vector<Page> pages;
    for (int i = 1; i <= state_.emulators.count(); ++i) {
        if (size_t(i) < emulatorLists_.size() && emulatorLists_[size_t(i)] != nullptr) {
            pages.push_back(
                {state_.emulators.at(i).tabCaption(), emulatorLists_[size_t(i)]->items()});
        }
    }
    return pages;
}
