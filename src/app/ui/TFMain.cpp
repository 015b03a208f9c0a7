#include "app/ui/TFMain.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollArea>
#include <QStatusTipEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "app/ui/MainStatusBar.h"
#include "context/AppContext.h"
#include "gamelist/ui/FavouriteCommands.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/GameListsPane.h"
#include "gamelist/ui/ListBuildController.h"
#include "gamelist/ui/ListMaintenanceCommands.h"
#include "gamelist/ui/SelectionLabels.h"
#include "launch/ui/OptionPanel.h"
#include "launch/ui/PlayCommand.h"
#include "maintenance/ui/GameMaintenanceCommands.h"
#include "maintenance/ui/HelpCommands.h"
#include "maintenance/ui/LockCommand.h"
#include "maintenance/ui/ReportCommands.h"
#include "pictures/PictureSize.h"
#include "pictures/ui/PicturePane.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/ProgramIcon.h"
#include "tools/FoundFiles.h"
#include "tools/ui/ToolCommands.h"

TFMain::TFMain(AppContext& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), guard_(ctx.dialogs()) {
    setObjectName(QStringLiteral("FMain"));
    setWindowTitle(QStringLiteral("Brivanel"));
    // Its dialogs show it too: a window without an icon of its own takes its parent's.
    setWindowIcon(programIcon());
    const QString hint =
        QStringLiteral("To update game list, select Update Game List from the File menu");
    setStatusTip(hint);
    setToolTip(hint);
    CreateParts();
    CreateMenus();
    CreateLayout();
    WireParts();
    RestoreGeometry();
}

TFMain::~TFMain() {
    // The parts go with the child widgets after this; wiring_ goes before
    // them, so that none of them hears of anything on its way out.
    if (stage_ != Stage::Ended) {
        guard_.run([this] { FormDestroy(); });
    }
}

void TFMain::CreateParts() {
    // Each part is given what it reads: the emulator table and the tool
    // locations as const tables, the selection and the shown lists, the
    // launch options and the ROM search as small query interfaces. What
    // they tell each other goes through WireParts.
    auto* central = new QWidget(this);
    setCentralWidget(central);
    StatusBar1 = new MainStatusBar(this);
    setStatusBar(StatusBar1);
    foundFiles_ = new FoundFiles(this);
    toolCommands_ = new ToolCommands(ctx_, emulators_, guard_, *StatusBar1, *foundFiles_, this);
    const ToolLocations& tools = toolCommands_->Locations();

    lists_ = new GameListsPane(ctx_, emulators_, guard_, *StatusBar1, central);
    labels_ = new SelectionLabels(central);
    picture_ = new PicturePane(ctx_, emulators_, guard_, *StatusBar1, *lists_, central);
    POptions = new OptionPanel(ctx_, emulators_, guard_, *lists_, tools, central);
    play_ =
        new PlayCommand(ctx_, emulators_, guard_, *StatusBar1, tools, *lists_, *POptions, central);

    listBuild_ =
        new ListBuildController(ctx_, emulators_, guard_, *StatusBar1, tools, *foundFiles_, this);
    listMaintenance_ = new ListMaintenanceCommands(ctx_, emulators_, guard_, *StatusBar1, *lists_,
                                                   *listBuild_, this);
    gameMaintenance_ =
        new GameMaintenanceCommands(ctx_, emulators_, guard_, *StatusBar1, tools, *lists_, this);
    reports_ = new ReportCommands(ctx_, emulators_, guard_, *StatusBar1, *lists_,
                                  picture_->PictureIndex(), this);
    help_ = new HelpCommands(ctx_, emulators_, guard_, *StatusBar1, *lists_, this);
    lock_ = new LockCommand(ctx_, guard_, this);
    favourites_ = new FavouriteCommands(ctx_, emulators_, guard_, *lists_, this);
}

void TFMain::CreateMenus() {
    RemoveALLRegistryKeys1 = newMenuItem(
        this, "RemoveALLRegistryKeys1", QStringLiteral("&Rebuild Game List..."),
        QStringLiteral(
            "Remove ALL games from the list and rebuild it entirely, losing all option settings"));
    Exit1 = newMenuItem(this, "Exit1", QStringLiteral("E&xit"));

    File1 = menuBar()->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    // The build's stop comes after the list commands, whose order users know.
    File1->addActions({toolCommands_->LocationsAction(), listBuild_->UpdateGameListAction(),
                       RemoveALLRegistryKeys1, listMaintenance_->CleanupAction(),
                       picture_->UpdatePictureListAction(), listBuild_->StopListBuildAction()});
    File1->addSeparator();
    File1->addActions(reports_->Actions());
    File1->addSeparator();
    File1->addActions({lock_->LockAction(), gameMaintenance_->UninstallAction()});
    File1->addSeparator();
    File1->addAction(Exit1);

    Game1 = menuBar()->addMenu(QStringLiteral("&Game"));
    Game1->setObjectName(QStringLiteral("Game1"));
    Game1->addActions({listMaintenance_->AddToListAction(),
                       listMaintenance_->RemoveFromListAction(),
                       listMaintenance_->ChangeEmulatorsAction()});
    Game1->addSeparator();
    Game1->addActions(
        {gameMaintenance_->ResetAction(), lists_->ChooseRandomAction(), lists_->FilterAction()});
    Game1->addSeparator();
    Game1->addAction(help_->KeysAction());
    Game1->addMenu(gameMaintenance_->DeleteMenu());
    Game1->addActions({gameMaintenance_->FixRomAction(), gameMaintenance_->AddSoundSampleAction()});
    Game1->addSeparator();
    Game1->addAction(favourites_->FavouriteAction());
    Game1->addMenu(favourites_->RecentMenu());

    Display1 = menuBar()->addMenu(QStringLiteral("&Display"));
    Display1->setObjectName(QStringLiteral("Display1"));
    const QList<QAction*> view = lists_->ViewActions();
    Display1->addActions(view.mid(0, 2));
    Display1->addSeparator();
    Display1->addActions(view.mid(2));
    Display1->addSeparator();
    Display1->addAction(picture_->HighQualityAction());

    Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Help1->addActions(help_->HelpActions());

    lock_->SetLockableItems(LockableItems());
}

std::vector<QAction*> TFMain::LockableItems() const {
    return {toolCommands_->LocationsAction(),
            listBuild_->UpdateGameListAction(),
            RemoveALLRegistryKeys1,
            gameMaintenance_->AddSoundSampleAction(),
            gameMaintenance_->DeleteMenu()->menuAction(),
            gameMaintenance_->ResetAction(),
            listMaintenance_->RemoveFromListAction(),
            listMaintenance_->AddToListAction(),
            gameMaintenance_->FixRomAction(),
            listMaintenance_->CleanupAction(),
            gameMaintenance_->UninstallAction(),
            favourites_->FavouriteAction()};
}

void TFMain::CreateLayout() {
    auto* left = new QVBoxLayout;
    left->addWidget(lists_, 1);
    left->addWidget(play_->Button());
    left->addWidget(labels_);
    lists_->setMinimumWidth(kListUsableWidth);

    // The panel scrolls when the window is too short for all its groups.
    optionsScroll_ = new QScrollArea(centralWidget());
    optionsScroll_->setObjectName(QStringLiteral("POptionsScroll"));
    optionsScroll_->setFrameShape(QFrame::NoFrame);
    optionsScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    optionsScroll_->setWidgetResizable(true);
    optionsScroll_->setWidget(POptions);
    optionsScroll_->setFixedWidth(POptions->width() +
                                  optionsScroll_->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    optionsScroll_->setMinimumHeight(kOptionsLeastHeight);

    auto* right = new QVBoxLayout;
    right->addWidget(picture_, 0, Qt::AlignHCenter);
    right->addWidget(optionsScroll_, 1, Qt::AlignHCenter);

    columns_ = new QHBoxLayout(centralWidget());
    columns_->addLayout(left, 1);
    columns_->addLayout(right, 0);
    centralWidget()->installEventFilter(this);
    resize(860, 640);
}

void TFMain::FitPicture(const QSize& central) {
    // The layout is told of the new size after this: its margins, not its
    // geometry, are what counts.
    const QRect room = QRect(QPoint(), central).marginsRemoved(columns_->contentsMargins());
    const int spacing = columns_->spacing();
    picture_->SetFrameSide(
        PictureSize::FrameSide(room.width() - kListUsableWidth - spacing,
                               room.height() - POptions->FullHeight() - spacing));
}

bool TFMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        FitPicture(static_cast<QResizeEvent*>(event)->size());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFMain::WireParts() {
    // Every connection between the parts, and from the application to them.
    // A connection that starts a user's action or a refresh of the window
    // runs through the guard; one that carries on a part's action lets an
    // error end that action, as a call would.
    const auto refresh = [this] { ShowSelectedGame(); };

    // ---- The selection: what the window shows of it ----
    guard_.connect(lists_, &GameListsPane::selectionChanged, &wiring_, refresh);
    guard_.connect(picture_, &PicturePane::picturesChanged, &wiring_, refresh);
    guard_.connect(gameMaintenance_, &GameMaintenanceCommands::selectedEntryChanged, &wiring_,
                   refresh);
    guard_.connect(listMaintenance_, &ListMaintenanceCommands::selectedEntryChanged, &wiring_,
                   refresh);
    connect(listMaintenance_, &ListMaintenanceCommands::listsChanged, &wiring_,
            [this] { ListsChanged(); });
    connect(lists_, &GameListsPane::changeEmulatorsOffered, &wiring_,
            [this](bool offered) { listMaintenance_->OfferChangeEmulators(offered); });
    // The option panel stores when the focus leaves one of its controls.
    connect(qApp, &QApplication::focusChanged, &wiring_,
            [this](QWidget* old, QWidget* now) { POptions->FocusMoved(old, now); });

    // ---- Keys and clicks on the lists ----
    guard_.connect(lists_, &GameListsPane::playRequested, &wiring_,
                   [this] { play_->BPlayClick(); });
    guard_.connect(lists_, &GameListsPane::removeRequested, &wiring_,
                   [this] { RemoveRequested(); });

    // ---- "&Update Game List...": the search options, then the build ----
    connect(listBuild_, &ListBuildController::searchOptionsWanted, &wiring_,
            [this] { toolCommands_->ChooseSearch(); });
    connect(toolCommands_, &ToolCommands::searchChosen, &wiring_,
            [this](const SearchChoice::Choice& choice) { listBuild_->Build(choice); });
    // What the build shows: its emulator's picture, name and page, each game
    // in the labels, the lists it fills.
    connect(listBuild_, &ListBuildController::emulatorVisited, &wiring_,
            [this](int emulatorIndex, const QString& listName) {
                picture_->ShowGamePicture(emulatorIndex, {}, {});
                labels_->ShowEmulator(listName);
                lists_->BringEmulatorPageToFront(emulatorIndex);
            });
    connect(listBuild_, &ListBuildController::namesShown, &wiring_,
            [this](const QString& listName, const QString& shortName, const QString& parent) {
                labels_->ShowNames(listName, shortName, parent);
            });
    connect(listBuild_, &ListBuildController::pathShown, &wiring_,
            [this](const QString& location) { labels_->ShowPath(location); });
    connect(listBuild_, &ListBuildController::listCleared, &wiring_,
            [this] { lists_->ClearCurrentList(); });
    connect(listBuild_, &ListBuildController::itemListed, &wiring_,
            [this](const QString& itemText, bool select) { lists_->ListItem(itemText, select); });
    connect(listBuild_, &ListBuildController::emulatorDone, &wiring_,
            [this] { lists_->SelectFirstItem(); });
    connect(listBuild_, &ListBuildController::listsRebuildWanted, &wiring_,
            [this] { lists_->RebuildLists(); });
    guard_.connect(listBuild_, &ListBuildController::buildEnded, &wiring_, [this] {
        lists_->ScrollToSelection();
        ShowSelectedGame();
    });

    // ---- Favourites: the page follows the marks; a recent game is selected ----
    connect(favourites_, &FavouriteCommands::favouriteChanged, &wiring_,
            [this](const QString& entryName, bool favourite) {
                guard_.run([&] { lists_->ShowFavourite(entryName, favourite); });
            });
    connect(favourites_, &FavouriteCommands::entryChosen, &wiring_,
            [this](const QString& entryName) {
                guard_.run([&] {
                    if (lists_->SelectEntry(entryName)) {
                        ShowSelectedGame();
                    }
                });
            });

    // ---- Reports read the lists with the missing games shown ----
    connect(reports_, &ReportCommands::missingGamesSwitchWanted, &wiring_,
            [this] { lists_->MissingGames1Click(); });

    // ---- Closing: a game launched, JoyCP started, the list file never came ----
    connect(play_, &PlayCommand::launched, &wiring_, [this] { GameLaunched(); });
    const auto close = [this] { this->close(); };
    connect(POptions, &OptionPanel::closeRequested, &wiring_, close);
    connect(listBuild_, &ListBuildController::closeRequested, &wiring_, close);
    connect(gameMaintenance_, &GameMaintenanceCommands::closeRequested, &wiring_, close);

    // ---- The frame's own menu items ----
    guard_.connect(RemoveALLRegistryKeys1, &QAction::triggered, &wiring_,
                   [this] { RemoveALLRegistryKeys1Click(); });
    connect(Exit1, &QAction::triggered, &wiring_, [this] { Exit1Click(); });

    // FormCreate: the application's activation events.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, &wiring_,
            [this](Qt::ApplicationState s) {
                if (s == Qt::ApplicationActive) {
                    guard_.run([this] { AppActivate(); });
                } else {
                    AppDeactivate();
                }
            });
}

bool TFMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        StatusBar1->DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}
