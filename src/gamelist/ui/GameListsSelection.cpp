// The selected entry, the lists on the pages, and what a list build shows in them.
#include <QSignalBlocker>

#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "context/StatusLine.h"
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

bool GameListsPane::EnsureSelection() {
    if (currentListBox_->count() == 0) {
        return false;
    }
    if (!HasSelection()) {
        currentListBox_->setItemIndex(0);
    }
    return true;
}

QString GameListsPane::CurrentEntryName() const {
    if (!HasSelection()) {
        return QString();
    }
    return EntryNameFromItemText(currentListBox_->item(currentListBox_->itemIndex()),
                                 view_.showCount);
}

std::optional<SelectedEntry> GameListsPane::CurrentEntry() const {
    if (!HasSelection()) {
        return std::nullopt;
    }
    return ReadSelectedEntry(ctx_, emulators_, currentListBox_->item(currentListBox_->itemIndex()),
                             view_.showCount);
}

void GameListsPane::FocusCurrentList() {
    currentListBox_->setFocus();
}

bool GameListsPane::SelectEntry(const QString& entryName) {
    const QString itemText = ListFill::ReadEntry(ctx_, entryName, view_.showCount).itemText;
    const SelectedEntry entry = ReadSelectedEntry(ctx_, emulators_, itemText, view_.showCount);
    const EmulatorDefinition* emulator = emulators_.find(entry.emulatorIndex);
    // The page the view puts the entry on comes first; a game that is only
    // a further emulator's is found on that one's page.
    GameListWidget* own = nullptr;
    if (!view_.byEmulator) {
        own = emulator != nullptr && emulator->type == u"CONSOLE" ? LBConsole : LBArcade;
    } else if (emulator != nullptr && !emulator->isSingle() &&
               size_t(entry.emulatorIndex) < emulatorLists_.size()) {
        own = emulatorLists_[size_t(entry.emulatorIndex)];
    } else {
        own = LBSingle;
    }
    std::vector<GameListWidget*> candidates{own};
    for (int i = 0; i < PCConsole->count(); ++i) {
        if (PCConsole->isTabVisible(i)) {
            candidates.push_back(ListOfPage(PCConsole->widget(i)));
        }
    }
    for (GameListWidget* list : candidates) {
        if (list == nullptr || !IsPageShown(list->parentWidget()) || !list->contains(itemText)) {
            continue;
        }
        if (list->indexOf(itemText) < 0) {
            HideFilter();  // the filter hides it: all are shown again
        }
        {
            // One refresh, by the caller, once the item is selected.
            const QSignalBlocker quiet(PCConsole);
            BringToFront(list);
        }
        SelectListed(list, itemText);
        UpdateGameCount();
        list->setFocus();
        return true;
    }
    status_.SetStatus(entryName + u" is not listed");
    return false;
}

// ---- What the list build shows ----

void GameListsPane::BringEmulatorPageToFront(int emulatorIndex) {
    const EmulatorDefinition& emulator = emulators_.at(emulatorIndex);
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

void GameListsPane::ScrollToSelection() {
    const QModelIndexList selected = currentListBox_->selectionModel()->selectedIndexes();
    if (!selected.isEmpty()) {
        currentListBox_->scrollTo(selected.first());
    }
}

std::vector<ShownLists::Page> GameListsPane::PrintedPages() const {
    if (!view_.byEmulator) {
        return {{QStringLiteral("Arcade"), LBArcade->items()},
                {QStringLiteral("Console"), LBConsole->items()}};
    }
    std::vector<Page> pages;
    for (int i = 1; i <= emulators_.count(); ++i) {
        if (size_t(i) < emulatorLists_.size() && emulatorLists_[size_t(i)] != nullptr) {
            pages.push_back({emulators_.at(i).tabCaption(), emulatorLists_[size_t(i)]->items()});
        }
    }
    return pages;
}
