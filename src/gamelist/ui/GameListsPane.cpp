#include "gamelist/ui/GameListsPane.h"

#include <QActionGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "catalogue/EmulatorTable.h"
#include "context/AppContext.h"
#include "gamelist/ui/GameListWidget.h"
#include "platform/ui/MenuItem.h"

GameListsPane::GameListsPane(AppContext& ctx, const EmulatorTable& emulators,
                             const ErrorGuard& guard, StatusLine& status, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      status_(status),
      EFilter(new QLineEdit(this)),
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
    EFilter->setObjectName(QStringLiteral("EFilter"));
    EFilter->setPlaceholderText(
        QStringLiteral("Type part of a name to narrow the list; Esc shows all again"));
    EFilter->setClearButtonEnabled(true);
    EFilter->setStatusTip(QStringLiteral("Shows the games whose names contain this text"));
    EFilter->installEventFilter(this);
    EFilter->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(EFilter);
    layout->addWidget(PCConsole);
    emulatorTabs_.push_back(nullptr);
    emulatorLists_.push_back(nullptr);

    CreateViewActions();
    guard_.connect(PCConsole, &QTabWidget::currentChanged, this, &GameListsPane::PCConsoleChange);
    // A click on a page's tab gives its list the keys, also when the page is
    // in front already: the keys must not stay with a menu bar left by Esc.
    connect(PCConsole, &QTabWidget::tabBarClicked, this, [this](int index) {
        if (GameListWidget* list = ListOfPage(PCConsole->widget(index))) {
            list->setFocus(Qt::MouseFocusReason);
        }
    });
    guard_.connect(EFilter, &QLineEdit::textChanged, this, &GameListsPane::EFilterChange);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(50);
    guard_.connect(Timer2, &QTimer::timeout, this, &GameListsPane::Timer2Timer);
    Timer2->start();
}

void GameListsPane::CreateViewActions() {
    byName1 =
        newMenuItem(this, "byName1", QStringLiteral("by &Name"), QString(), Qt::CTRL | Qt::Key_N);
    byEmulator1 = newMenuItem(this, "byEmulator1", QStringLiteral("by &Emulator"), QString(),
                              Qt::CTRL | Qt::Key_E);
    auto* group = new QActionGroup(this);
    for (QAction* radio : {byName1, byEmulator1}) {
        radio->setCheckable(true);
        group->addAction(radio);
    }
    byCount1 = newMenuItem(this, "byCount1", QStringLiteral("Show &Count"), QString(),
                           Qt::CTRL | Qt::Key_C);
    MissingGames1 = newMenuItem(this, "MissingGames1", QStringLiteral("[ &Missing Games ]"),
                                QString(), Qt::CTRL | Qt::Key_M);
    HideMechanical1 = newMenuItem(this, "HideMechanical1", QStringLiteral("Hide Mech&anical Games"),
                                  QStringLiteral("Leaves MAME's pinball, slot and other "
                                                 "mechanical machines out of the lists"));
    for (QAction* check : {byCount1, MissingGames1, HideMechanical1}) {
        check->setCheckable(true);
    }
    ChooseRandom1 =
        newMenuItem(this, "ChooseRandom1", QStringLiteral("Choose &Random"),
                    QStringLiteral("Switches to a random game in the list"), Qt::CTRL | Qt::Key_R);
    ShowSwitches();

    // A menu item has flipped its check mark before its handler runs; the
    // marks show the view again first, so that a handler that fails leaves
    // them as the view is.
    const std::pair<QAction*, void (GameListsPane::*)()> handlers[] = {
        {byName1, &GameListsPane::byName1Click},
        {byEmulator1, &GameListsPane::byEmulator1Click},
        {byCount1, &GameListsPane::byCount1Click},
        {MissingGames1, &GameListsPane::MissingGames1Click},
        {HideMechanical1, &GameListsPane::HideMechanical1Click},
    };
    for (const auto& [item, handler] : handlers) {
        guard_.connect(item, &QAction::triggered, this, [this, handler] {
            ShowSwitches();
            (this->*handler)();
            // The lists were filled afresh: the window shows what is selected now.
            emit selectionChanged();
        });
    }
    guard_.connect(ChooseRandom1, &QAction::triggered, this, &GameListsPane::ChooseRandom1Click);
    FilterList1 = newMenuItem(this, "FilterList1", QStringLiteral("F&ilter List..."),
                              QStringLiteral("Shows only the games whose names contain a text"),
                              Qt::CTRL | Qt::Key_F);
    guard_.connect(FilterList1, &QAction::triggered, this, &GameListsPane::FilterList1Click);
}

QList<QAction*> GameListsPane::ViewActions() const {
    return {byName1, byEmulator1, byCount1, MissingGames1, HideMechanical1};
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
    list->setFilter(EFilter->text());
    return list;
}

void GameListsPane::ResetPages() {
    // Pages made and removed here are no page change of the user's.
    const QSignalBlocker quiet(PCConsole);
    for (QWidget* tab : emulatorTabs_) {
        delete tab;
    }
    delete TSSingle;
    delete TSFavourites;
    emulatorTabs_.assign(1, nullptr);
    emulatorLists_.assign(1, nullptr);
    currentListBox_ = LBArcade;
    for (int i = 1; i <= emulators_.count(); ++i) {
        const EmulatorDefinition& e = emulators_.at(i);
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
    TSFavourites = new QWidget(PCConsole);
    TSFavourites->setObjectName(QStringLiteral("TSFavourites"));
    PCConsole->addTab(TSFavourites, QStringLiteral("Favourites"));
    LBFavourites = NewGameList(TSFavourites, QStringLiteral("LBFavourites"));
}

void GameListsPane::CentreJoystick() {
    const JoystickState stick = ctx_.joystick().read();
    joystickCentreX_ = stick.x;
    joystickCentreY_ = stick.y;
}
