// Filling the game lists from the store in the Display menu's view, the
// count of the games listed, and the view's commands.
#include <QSignalBlocker>
#include <algorithm>

#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "context/StatusLine.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/GameListsPane.h"

namespace {

// The item that the selected one is scrolled below, so that the lines above
// it stay in view.
constexpr int kLinesAboveSelection = 12;

}  // namespace

void GameListsPane::ShowSwitches() {
    (view_.byEmulator ? byEmulator1 : byName1)->setChecked(true);
    byCount1->setChecked(view_.showCount);
    MissingGames1->setChecked(view_.showMissing);
    HideMechanical1->setChecked(view_.hideMechanical);
}

void GameListsPane::SetView(const ListFill::Switches& view) {
    view_ = view;
    ShowSwitches();
}

void GameListsPane::ShowPage(QWidget* page, bool shown) {
    const int index = page ? PCConsole->indexOf(page) : -1;
    if (index >= 0) {
        PCConsole->setTabVisible(index, shown);
        // The page control's own Ctrl+Tab steps over disabled pages only.
        PCConsole->setTabEnabled(index, shown);
    }
}

bool GameListsPane::IsPageShown(QWidget* page) const {
    const int index = page ? PCConsole->indexOf(page) : -1;
    return index >= 0 && PCConsole->isTabVisible(index);
}

void GameListsPane::BringToFront(GameListWidget* list) {
    currentListBox_ = list;
    PCConsole->setCurrentWidget(list->parentWidget());
}

void GameListsPane::SelectListed(GameListWidget* list, const QString& itemText) {
    const int index = list->indexOf(itemText);
    if (index > kLinesAboveSelection) {
        list->setTopIndex(index - kLinesAboveSelection);
    }
    list->setItemIndex(index);
}

void GameListsPane::RebuildLists() {
    status_.SetStatus(QStringLiteral("Updating game lists..."));
    if (view_.byEmulator) {
        FillListsByEmulator();
    } else {
        FillListsByName();
    }
    ShowGameCount();
}

void GameListsPane::FillListsByName() {
    ListFill::NameLists lists = ListFill::ByName(ctx_, view_);
    const ListFill::CurrentEntry current = ListFill::ReadCurrent(ctx_, view_.showCount);

    // Pages shown, hidden and brought forward here are no page change of the user's.
    const QSignalBlocker quiet(PCConsole);
    ShowPage(TSArcade, true);
    ShowPage(TSConsole, true);
    ShowPage(TSSingle, false);
    for (QWidget* page : emulatorTabs_) {
        ShowPage(page, false);
    }
    LBArcade->setItems(std::move(lists.arcade));
    LBConsole->setItems(std::move(lists.console));
    FillFavourites(std::move(lists.favourites));

    if (current.hasFurtherEmulators) {
        emit changeEmulatorsOffered(true);
    }
    GameListWidget* front = LBArcade->contains(current.itemText) ? LBArcade : LBConsole;
    if (!front->contains(current.itemText) && LBArcade->totalCount() > 0) {
        // A current game listed nowhere (as after a first start) would put
        // the Console page in front, empty while the games sit on Arcade.
        front = LBArcade;
    }
    BringToFront(front);
    SelectListed(currentListBox_, current.itemText);
    currentListBox_->setFocus();
}

void GameListsPane::FillListsByEmulator() {
    ListFill::EmulatorLists lists = ListFill::ByEmulator(ctx_, emulators_, view_);

    const QSignalBlocker quiet(PCConsole);
    ShowPage(TSArcade, false);
    ShowPage(TSConsole, false);
    ShowPage(TSSingle, true);
    emit changeEmulatorsOffered(false);
    for (size_t i = 1; i < emulatorLists_.size() && i < lists.pages.size(); ++i) {
        if (emulatorLists_[i] != nullptr) {
            emulatorLists_[i]->setItems(std::move(lists.pages[i]));
            ShowPage(emulatorTabs_[i], true);
        }
    }
    if (LBSingle != nullptr) {
        LBSingle->setItems(std::move(lists.single));
    }
    FillFavourites(std::move(lists.favourites));

    const size_t emulator = size_t(lists.currentEmulator);
    GameListWidget* own = emulator < emulatorLists_.size() ? emulatorLists_[emulator] : nullptr;
    GameListWidget* list = own != nullptr ? own : LBSingle;
    if (lists.currentEmulator > 0 && list != nullptr) {
        BringToFront(list);
        SelectListed(list, ListFill::ReadCurrent(ctx_, view_.showCount).itemText);
    } else if (!IsPageShown(currentListBox_->parentWidget()) || currentListBox_->count() == 0) {
        // The list that was current is hidden or empty now; the commands work
        // on the list the user sees, and that is one with games when any has.
        if (GameListWidget* front = FirstListWithItems()) {
            BringToFront(front);
        } else if (GameListWidget* shown = ListOfPage(PCConsole->currentWidget())) {
            currentListBox_ = shown;
        }
    }
    // The keys go on moving through the list, as in the view by name.
    currentListBox_->setFocus();
}

void GameListsPane::FillFavourites(QStringList items) {
    if (LBFavourites != nullptr) {
        LBFavourites->setItems(std::move(items));
        ShowPage(TSFavourites, true);
    }
}

void GameListsPane::ShowFavourite(const QString& entryName, bool favourite) {
    if (LBFavourites == nullptr) {
        return;
    }
    const ListFill::CurrentEntry entry = ListFill::ReadEntry(ctx_, entryName, view_.showCount);
    const bool listed = LBFavourites->contains(entry.itemText);
    if (favourite && !listed) {
        // The other pages list it only as the view lets them: so does this one.
        if (!isMissingGameItem(entry.itemText, view_.showCount) || view_.showMissing) {
            LBFavourites->addItem(entry.itemText);
        }
    } else if (!favourite && listed) {
        // The selection stays at its place, on the item that follows.
        const int selected = LBFavourites->itemIndex();
        QStringList items = LBFavourites->items();
        items.removeIf([&entry](const QString& item) {
            return QString::compare(item, entry.itemText, Qt::CaseInsensitive) == 0;
        });
        LBFavourites->setItems(std::move(items));
        if (selected >= 0 && LBFavourites->count() > 0) {
            LBFavourites->setItemIndex(std::min(selected, LBFavourites->count() - 1));
        }
    }
    if (currentListBox_ == LBFavourites) {
        UpdateGameCount();
        emit selectionChanged();
    }
}

GameListWidget* GameListsPane::FirstListWithItems() const {
    for (int i = 0; i < PCConsole->count(); ++i) {
        GameListWidget* list = ListOfPage(PCConsole->widget(i));
        if (PCConsole->isTabVisible(i) && list != nullptr && list->count() > 0) {
            return list;
        }
    }
    return nullptr;
}

void GameListsPane::UpdateGameCount() {
    ShowGameCount();
    if (currentListBox_->itemIndex() < 0 && currentListBox_->count() > 0) {
        currentListBox_->setItemIndex(0);
    }
}

void GameListsPane::ShowGameCount() {
    GameListWidget* list = currentListBox_;
    int games = list->count();
    int all = list->totalCount();
    SettingsStore store = ctx_.store();
    for (int i = 1; i <= emulators_.count(); ++i) {
        const EmulatorDefinition& emulator = emulators_.at(i);
        // A multi-game emulator's own entry is listed with its games but is no
        // game. It is looked for as the list shows it, so that with Show Count
        // on (its text then starts with a count) it is still left out.
        if (emulator.isSingle()) {
            continue;
        }
        const QString own = DisplayText(store, emulator.lbName, view_.showCount);
        if (list->indexOf(own) >= 0) {
            --games;
        }
        if (list->contains(own)) {
            --all;
        }
    }
    list->setHint(list->isFiltered() ? QStringLiteral("%1 of %2 games").arg(games).arg(all)
                                     : QString::number(games) + u" games listed");
    // The status bar shows a hint only when the mouse comes to the list: the
    // count of the list now shown goes there at once.
    status_.SetStatus(list->hint());
}

// ---- The view's commands ----

void GameListsPane::WriteCurrent() {
    if (EnsureSelection()) {
        ListFill::WriteCurrent(ctx_, CurrentEntryName());
    }
}

void GameListsPane::byName1Click() {
    SwitchViewMode(false);
}

void GameListsPane::byEmulator1Click() {
    SwitchViewMode(true);
}

void GameListsPane::SwitchViewMode(bool byEmulator) {
    WriteCurrent();
    view_.byEmulator = byEmulator;
    ShowSwitches();
    ListFill::WriteViewMode(ctx_, byEmulator);
    if (byEmulator) {
        FillListsByEmulator();
    } else {
        FillListsByName();
    }
    UpdateGameCount();
}

void GameListsPane::byCount1Click() {
    SwitchItemDecoration(&ListFill::Switches::showCount, &ListFill::Switches::showMissing);
}

void GameListsPane::MissingGames1Click() {
    SwitchItemDecoration(&ListFill::Switches::showMissing, &ListFill::Switches::showCount);
}

void GameListsPane::HideMechanical1Click() {
    WriteCurrent();
    view_.hideMechanical = !view_.hideMechanical;
    ShowSwitches();
    ListFill::WriteHideMechanical(ctx_, view_.hideMechanical);
    RebuildLists();
    UpdateGameCount();
}

void GameListsPane::SwitchItemDecoration(bool ListFill::Switches::*toggled,
                                         bool ListFill::Switches::*excluded) {
    // The selection is read with the switches as they were.
    WriteCurrent();
    view_.*toggled = !(view_.*toggled);
    if (view_.*toggled) {
        view_.*excluded = false;
    }
    ShowSwitches();
    ListFill::WriteItemSwitches(ctx_, view_);
    RebuildLists();
    // The number of games changes with the missing ones, so both recount.
    UpdateGameCount();
}
