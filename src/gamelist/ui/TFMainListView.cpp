// The game lists on the page control: filling them from the store, the
// Display menu, the page change, keys, mouse, joystick and Choose Random.
#include <QKeyEvent>
#include <QSignalBlocker>

#include "app/ui/GuardedHandler.h"
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "gamelist/ListFill.h"
#include "gamelist/RandomChoice.h"
#include "gamelist/ui/GameListWidget.h"
#include "settings/KeyPath.h"

namespace {

// The item that the selected one is scrolled below, so that the lines above
// it stay in view.
constexpr int kLinesAboveSelection = 12;

// Writes program-wide values when the root exists; it is never created
// again here (after "Uninstall..." it is gone for good).
template <class Writes>
void writeRootValues(const AppContext& ctx, Writes&& writes) {
    SettingsStore store = ctx.store();
    if (store.OpenKey(StorePaths::Root(), false)) {
        writes(store);
    }
}

}  // namespace

void TFMain::CreateListViewMenus() {
    connectGuarded(byName1, &QAction::triggered, this, &TFMain::byName1Click, &listViewContext_);
    connectGuarded(byEmulator1, &QAction::triggered, this, &TFMain::byEmulator1Click,
                   &listViewContext_);
    // The menu has toggled the check mark already; the handlers toggle it
    // themselves after reading the selected item with the switch as it was.
    connect(byCount1, &QAction::triggered, &listViewContext_, [this](bool checked) {
        byCount1->setChecked(!checked);
        Guard([this] { byCount1Click(); });
    });
    connect(MissingGames1, &QAction::triggered, &listViewContext_, [this](bool checked) {
        MissingGames1->setChecked(!checked);
        Guard([this] { MissingGames1Click(); });
    });

    ChooseRandom1 = Game1->addAction(QStringLiteral("Choose &Random"));
    ChooseRandom1->setStatusTip(QStringLiteral("Switches to a random game in the list"));
    ChooseRandom1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connectGuarded(ChooseRandom1, &QAction::triggered, this, &TFMain::ChooseRandom1Click,
                   &listViewContext_);

    connectGuarded(PCConsole, &QTabWidget::currentChanged, this, &TFMain::PCConsoleChange,
                   &listViewContext_);
}

void TFMain::ConnectGameList(GameListWidget* list) {
    connect(list, &GameListWidget::keyPressed, this,
            [this](QKeyEvent* event) { Guard([this, event] { LBArcadeKeyPress(event); }); });
    connect(list, &GameListWidget::keyReleased, this,
            [this](QKeyEvent* event) { Guard([this, event] { LBArcadeKeyUp(event); }); });
    connectGuarded(list, &GameListWidget::mouseReleased, this, &TFMain::LBArcadeMouseUp);
    connectGuarded(list, &GameListWidget::itemDoubleClicked, this, &TFMain::BPlayClick);
}

// ---- Pages ----

GameListWidget* TFMain::ListOfPage(QWidget* page) const {
    return page ? page->findChild<GameListWidget*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void TFMain::ShowPage(QWidget* page, bool shown) {
    const int index = page ? PCConsole->indexOf(page) : -1;
    if (index >= 0) {
        PCConsole->setTabVisible(index, shown);
        // The page control's own Ctrl+Tab steps over disabled pages only.
        PCConsole->setTabEnabled(index, shown);
    }
}

bool TFMain::IsPageShown(QWidget* page) const {
    const int index = page ? PCConsole->indexOf(page) : -1;
    return index >= 0 && PCConsole->isTabVisible(index);
}

void TFMain::BringToFront(GameListWidget* list) {
    currentListBox = list;
    PCConsole->setCurrentWidget(list->parentWidget());
}

void TFMain::SelectListed(GameListWidget* list, const QString& itemText) {
    const int index = list->indexOf(itemText);
    if (index > kLinesAboveSelection) {
        list->setTopIndex(index - kLinesAboveSelection);
    }
    list->setItemIndex(index);
}

void TFMain::StepPage(int step) {
    std::vector<bool> visible(size_t(PCConsole->count()));
    for (int i = 0; i < PCConsole->count(); ++i) {
        visible[size_t(i)] = PCConsole->isTabVisible(i);
    }
    const int page = ListNavigation::StepVisiblePage(visible, PCConsole->currentIndex(), step);
    if (page >= 0 && page != PCConsole->currentIndex()) {
        PCConsole->setCurrentIndex(page);  // runs PCConsoleChange
    }
}

// ---- Filling ----

void TFMain::RebuildLists() {
    SetStatus(QStringLiteral("Updating game lists..."));
    if (byEmulator1->isChecked()) {
        FillListsByEmulator();
    } else {
        FillListsByName();
    }
    ShowGameCount();
}

void TFMain::FillListsByName() {
    const ListFill::Switches switches{byCount1->isChecked(), MissingGames1->isChecked()};
    ListFill::NameLists lists = ListFill::ByName(ctx_, switches);
    const ListFill::CurrentEntry current = ListFill::ReadCurrent(ctx_, switches.showCount);

    // Pages shown, hidden and brought forward here are no page change of the user's.
    const QSignalBlocker quiet(PCConsole);
    ShowPage(TSArcade, true);
    ShowPage(TSConsole, true);
    ShowPage(TSSingle, false);
    for (QWidget* page : emulatorTabs) {
        ShowPage(page, false);
    }
    LBArcade->setItems(std::move(lists.arcade));
    LBConsole->setItems(std::move(lists.console));

    if (current.hasFurtherEmulators && ChangeEmulators1 != nullptr) {
        ChangeEmulators1->setEnabled(true);
    }
    GameListWidget* front = LBArcade->indexOf(current.itemText) >= 0 ? LBArcade : LBConsole;
    if (front->indexOf(current.itemText) < 0 && LBArcade->count() > 0) {
        // A current game listed nowhere (as after a first start) would put
        // the Console page in front, empty while the games sit on Arcade.
        front = LBArcade;
    }
    BringToFront(front);
    SelectListed(currentListBox, current.itemText);
    currentListBox->setFocus();
}

void TFMain::FillListsByEmulator() {
    const ListFill::Switches switches{byCount1->isChecked(), MissingGames1->isChecked()};
    ListFill::EmulatorLists lists = ListFill::ByEmulator(ctx_, state.emulators, switches);

    const QSignalBlocker quiet(PCConsole);
    ShowPage(TSArcade, false);
    ShowPage(TSConsole, false);
    ShowPage(TSSingle, true);
    if (ChangeEmulators1 != nullptr) {
        ChangeEmulators1->setEnabled(false);
    }
    for (size_t i = 1; i < emulatorLists.size() && i < lists.pages.size(); ++i) {
        if (emulatorLists[i] != nullptr) {
            emulatorLists[i]->setItems(std::move(lists.pages[i]));
            ShowPage(emulatorTabs[i], true);
        }
    }
    if (LBSingle != nullptr) {
        LBSingle->setItems(std::move(lists.single));
    }

    const size_t emulator = size_t(lists.currentEmulator);
    GameListWidget* own = emulator < emulatorLists.size() ? emulatorLists[emulator] : nullptr;
    GameListWidget* list = own != nullptr ? own : LBSingle;
    if (lists.currentEmulator > 0 && list != nullptr) {
        BringToFront(list);
        SelectListed(list, ListFill::ReadCurrent(ctx_, switches.showCount).itemText);
    } else if (!IsPageShown(currentListBox->parentWidget()) || currentListBox->count() == 0) {
        // The list that was current is hidden or empty now; the commands work
        // on the list the user sees, and that is one with games when any has.
        if (GameListWidget* front = FirstListWithItems()) {
            BringToFront(front);
        } else if (GameListWidget* shown = ListOfPage(PCConsole->currentWidget())) {
            currentListBox = shown;
        }
    }
}

GameListWidget* TFMain::FirstListWithItems() const {
    for (int i = 0; i < PCConsole->count(); ++i) {
        GameListWidget* list = ListOfPage(PCConsole->widget(i));
        if (PCConsole->isTabVisible(i) && list != nullptr && list->count() > 0) {
            return list;
        }
    }
    return nullptr;
}

void TFMain::UpdateGameCount() {
    ShowGameCount();
    if (currentListBox->itemIndex() < 0 && currentListBox->count() > 0) {
        currentListBox->setItemIndex(0);
    }
}

void TFMain::ShowGameCount() {
    GameListWidget* list = currentListBox;
    int games = list->count();
    for (int i = 1; i <= state.emulators.count(); ++i) {
        const EmulatorDefinition& emulator = state.emulators.at(i);
        // A multi-game emulator's own entry is listed with its games but is no
        // game. It is looked for as the list shows it, so that with Show Count
        // on (its text then starts with a count) it is still left out.
        if (!emulator.isSingle() && list->indexOf(DisplayText(emulator.lbName)) >= 0) {
            --games;
        }
    }
    list->setHint(QString::number(games) + u" games listed");
    // The status bar shows a hint only when the mouse comes to the list: the
    // count of the list now shown goes there at once.
    SetStatus(list->hint());
}

// ---- Display commands ----

void TFMain::WriteCurrent() {
    if (currentListBox->count() == 0) {
        return;
    }
    const QString current = CurrentEntryName();
    writeRootValues(ctx_, [&current](SettingsStore& root) {
        root.WriteString(QStringLiteral("Current"), current);
    });
}

void TFMain::byName1Click() {
    WriteCurrent();
    byName1->setChecked(true);
    writeRootValues(ctx_, [](SettingsStore& root) {
        root.WriteBool(QStringLiteral("Display by Name"), true);
        root.WriteBool(QStringLiteral("Display by Emulator"), false);
    });
    FillListsByName();
    UpdateGameCount();
}

void TFMain::byEmulator1Click() {
    WriteCurrent();
    byEmulator1->setChecked(true);
    writeRootValues(ctx_, [](SettingsStore& root) {
        root.WriteBool(QStringLiteral("Display by Name"), false);
        root.WriteBool(QStringLiteral("Display by Emulator"), true);
    });
    FillListsByEmulator();
    UpdateGameCount();
}

void TFMain::byCount1Click() {
    SwitchItemDecoration(byCount1, MissingGames1);
}

void TFMain::MissingGames1Click() {
    SwitchItemDecoration(MissingGames1, byCount1);
}

void TFMain::SwitchItemDecoration(QAction* toggled, QAction* excluded) {
    WriteCurrent();
    toggled->setChecked(!toggled->isChecked());
    if (toggled->isChecked()) {
        excluded->setChecked(false);
    }
    const bool showMissing = MissingGames1->isChecked();
    const bool showCount = byCount1->isChecked();
    writeRootValues(ctx_, [showMissing, showCount](SettingsStore& root) {
        root.WriteBool(QStringLiteral("Show Missing"), showMissing);
        root.WriteBool(QStringLiteral("Display by Count"), showCount);
    });
    RebuildLists();
    // The number of games changes with the missing ones, so both recount.
    UpdateGameCount();
}

// ---- Moving through the lists ----

void TFMain::PCConsoleChange() {
    // Pages made and removed during start-up are no page change.
    if (Tag != 1) {
        return;
    }
    GameListWidget* list = ListOfPage(PCConsole->currentWidget());
    if (list == nullptr) {
        return;
    }
    currentListBox = list;
    UpdateGameCount();
    ShowSelectedGame();
}

void TFMain::LBArcadeKeyPress(QKeyEvent* event) {
    // Left and Right change the page when released; the list itself must
    // not move its selection on them.
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (typed == u"\r" || typed == u"1" || typed == u"2") {
        event->accept();
        BPlayClick();
    } else if (typed == u"3" || typed == u"4") {
        event->accept();
        ChooseRandom1Click();
    }
}

void TFMain::LBArcadeKeyUp(QKeyEvent* event) {
    // A held key repeats its press, but counts as released once, at the end.
    if (event->isAutoRepeat()) {
        return;
    }
    switch (event->key()) {
        case Qt::Key_Left:
            StepPage(-1);
            currentListBox->setFocus();
            break;
        case Qt::Key_Right:
            StepPage(1);
            currentListBox->setFocus();
            break;
        case Qt::Key_Delete:
            // The key stands for "Remo&ve from list", which the lock disables.
            if (!state.locked) {
                Removefromlist1Click();
            }
            break;
        default:
            break;
    }
    ShowSelectedGame();
}

void TFMain::LBArcadeMouseUp() {
    ShowSelectedGame();
}

void TFMain::ChooseRandom1Click() {
    GameListWidget* list = currentListBox;
    const std::vector<int> candidates =
        RandomChoice::Candidates(ctx_, state.emulators, list->items(), byCount1->isChecked());
    // A list without a single game to land on (empty, or only missing games
    // and emulators) leaves the selection as it is.
    const std::optional<int> pick = RandomChoice::Pick(candidates, ctx_.clock().now());
    if (!pick) {
        return;
    }
    list->setItemIndex(*pick);
    ShowSelectedGame();
}

void TFMain::Timer2Timer() {
    const ListNavigation::JoystickCommand command = ListNavigation::JoystickTick(
        ctx_.joystick().read(), state.joystickCentreX, state.joystickCentreY, joystickPolling);
    if (command.play) {
        BPlayClick();
    }
    bool moved = false;
    if (command.itemStep != 0) {
        GameListWidget* list = currentListBox;
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
        ShowSelectedGame();
    }
    if (command.chooseRandom) {
        ChooseRandom1Click();
    }
}
