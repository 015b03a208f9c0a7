#include "gamelist/ui/GameListsPane.h"

#include <QActionGroup>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "context/Accessors.h"
#include "context/AppState.h"
#include "gamelist/ui/GameListWidget.h"

namespace {

QAction* newItem(QObject* parent, const char* name, const QString& caption,
                 const QKeySequence& shortcut) {
    auto* item = new QAction(caption, parent);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    return item;
}

}  // namespace

GameListsPane::GameListsPane(AppContext& ctx, AppState& state, const ErrorGuard& guard,
                             StatusLine& status, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      state_(state),
      guard_(guard),
      status_(status),
      PCConsole(new QTabWidget(this)),
      TSArcade(new QWidget(PCConsole)),
      LBArcade(NewGameList(TSArcade, QStringLiteral("LBArcade"))),
      TSConsole(new QWidget(PCConsole)),
      LBConsole(NewGameList(TSConsole, QStringLiteral("LBConsole"))),
      currentListBox_(LBArcade),
      Timer2(new QTimer(this)) {
    setObjectName(QStringLiteral("GameLists"));
    PCConsole->setObjectName(QStringLiteral("PCConsole"));
    TSArcade->setObjectName(QStringLiteral("TSArcade"));
    TSConsole->setObjectName(QStringLiteral("TSConsole"));
    PCConsole->addTab(TSArcade, QStringLiteral("Arcade"));
    PCConsole->addTab(TSConsole, QStringLiteral("Console"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PCConsole);
    emulatorTabs_.push_back(nullptr);
    emulatorLists_.push_back(nullptr);

    CreateViewActions();
    guard_.connect(PCConsole, &QTabWidget::currentChanged, this, &GameListsPane::PCConsoleChange);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(50);
    guard_.connect(Timer2, &QTimer::timeout, this, &GameListsPane::Timer2Timer);
    Timer2->start();
}

void GameListsPane::CreateViewActions() {
    byName1 = newItem(this, "byName1", QStringLiteral("by &Name"), Qt::CTRL | Qt::Key_N);
    byEmulator1 =
        newItem(this, "byEmulator1", QStringLiteral("by &Emulator"), Qt::CTRL | Qt::Key_E);
    auto* group = new QActionGroup(this);
    for (QAction* radio : {byName1, byEmulator1}) {
        radio->setCheckable(true);
        group->addAction(radio);
    }
    byCount1 = newItem(this, "byCount1", QStringLiteral("Show &Count"), Qt::CTRL | Qt::Key_C);
    MissingGames1 =
        newItem(this, "MissingGames1", QStringLiteral("[ &Missing Games ]"), Qt::CTRL | Qt::Key_M);
    for (QAction* check : {byCount1, MissingGames1}) {
        check->setCheckable(true);
    }
    ChooseRandom1 =
        newItem(this, "ChooseRandom1", QStringLiteral("Choose &Random"), Qt::CTRL | Qt::Key_R);
    ChooseRandom1->setStatusTip(QStringLiteral("Switches to a random game in the list"));
    ShowSwitches();

    // A menu item has flipped its check mark before its handler runs; the
    // marks show the view again first, so that a handler that fails leaves
    // them as the view is.
    const std::pair<QAction*, void (GameListsPane::*)()> handlers[] = {
        {byName1, &GameListsPane::byName1Click},
        {byEmulator1, &GameListsPane::byEmulator1Click},
        {byCount1, &GameListsPane::byCount1Click},
        {MissingGames1, &GameListsPane::MissingGames1Click},
    };
    for (const auto& [item, handler] : handlers) {
        guard_.connect(item, &QAction::triggered, this, [this, handler] {
            ShowSwitches();
            (this->*handler)();
        });
    }
    guard_.connect(ChooseRandom1, &QAction::triggered, this, &GameListsPane::ChooseRandom1Click);
}

QList<QAction*> GameListsPane::ViewActions() const {
    return {byName1, byEmulator1, byCount1, MissingGames1};
}

void GameListsPane::ShowSwitches() {
    (view_.byEmulator ? byEmulator1 : byName1)->setChecked(true);
    byCount1->setChecked(view_.showCount);
    MissingGames1->setChecked(view_.showMissing);
}

void GameListsPane::SetView(const ListFill::Switches& view) {
    view_ = view;
    ShowSwitches();
}

GameListWidget* GameListsPane::NewGameList(QWidget* page, const QString& name) {
    auto* list = new GameListWidget(page);
    list->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list);
    connect(list, &GameListWidget::keyPressed, this,
            [this](QKeyEvent* event) { guard_.run([this, event] { LBArcadeKeyPress(event); }); });
    connect(list, &GameListWidget::keyReleased, this,
            [this](QKeyEvent* event) { guard_.run([this, event] { LBArcadeKeyUp(event); }); });
    guard_.connect(list, &GameListWidget::mouseReleased, this, &GameListsPane::LBArcadeMouseUp);
    connect(list, &GameListWidget::itemDoubleClicked, this, &GameListsPane::playRequested);
    return list;
}

GameListWidget* GameListsPane::ListOfPage(QWidget* page) const {
    return page ? page->findChild<GameListWidget*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void GameListsPane::ResetPages() {
    // Pages made and removed here are no page change of the user's.
    const QSignalBlocker quiet(PCConsole);
    for (QWidget* tab : emulatorTabs_) {
        delete tab;
    }
    delete TSSingle;
    emulatorTabs_.assign(1, nullptr);
    emulatorLists_.assign(1, nullptr);
    currentListBox_ = LBArcade;
    for (int i = 1; i <= state_.emulators.count(); ++i) {
        const EmulatorDefinition& e = state_.emulators.at(i);
        if (e.isSingle()) {
            emulatorTabs_.push_back(nullptr);
            emulatorLists_.push_back(nullptr);
            continue;
        }
        auto* page = new QWidget(PCConsole);
        page->setObjectName(u"TS" + e.emulatorId);
        QString caption = e.tabCaption();
        PCConsole->addTab(page, caption.replace(u'&', QStringLiteral("&&")));  // shown literally
        emulatorTabs_.push_back(page);
        emulatorLists_.push_back(NewGameList(page, u"LB" + e.emulatorId));
    }
    TSSingle = new QWidget(PCConsole);
    TSSingle->setObjectName(QStringLiteral("TSSingle"));
    PCConsole->addTab(TSSingle, QStringLiteral("Single"));
    LBSingle = NewGameList(TSSingle, QStringLiteral("LBSingle"));
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
    if (row < 0) {
        row = currentListBox_->addItem(itemText);
    }
    if (select) {
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
