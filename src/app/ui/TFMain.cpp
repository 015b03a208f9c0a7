#include "app/ui/TFMain.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollArea>
#include <QStatusTipEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "app/ui/MainStatusBar.h"
#include "context/AppContext.h"
#include "context/SelectedEntry.h"
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
}

TFMain::~TFMain() {
    if (!destroyed_) {
        guard_.run([this] { FormDestroy(); });
    }
    // The panel stores on focus changes and asks the lists for the entry:
    // it goes before the lists do.
    delete POptions;
}

void TFMain::CreateParts() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    StatusBar1 = new MainStatusBar(this);
    setStatusBar(StatusBar1);

    lists_ = new GameListsPane(ctx_, state_, guard_, *StatusBar1, central);
    labels_ = new SelectionLabels(central);
    picture_ = new PicturePane(
        ctx_, state_, guard_, *StatusBar1, [this] { return lists_->CurrentEntryName(); }, central);
    POptions = new OptionPanel(ctx_, state_.emulators, guard_,
                               {[this]() -> std::optional<QString> {
                                    if (destroyed_ || lists_->CurrentList().count() == 0) {
                                        return std::nullopt;
                                    }
                                    return lists_->CurrentEntryName();
                                },
                                [this] { return tools_.joyCp; }},
                               central);
    const auto selection = [this] { return CurrentEntry(); };
    play_ =
        new PlayCommand(ctx_, state_, guard_, *StatusBar1, tools_, *POptions, selection, central);

    toolCommands_ = new ToolCommands(ctx_, state_, guard_, *StatusBar1, tools_, this);
    listBuild_ = new ListBuildController(
        ctx_, state_, guard_, *StatusBar1, tools_, *lists_, *labels_,
        {[this] { return toolCommands_->ChooseSearch(); },
         [this](int emulatorIndex) { picture_->ShowGamePicture(emulatorIndex, {}, {}); }},
        this);
    listMaintenance_ =
        new ListMaintenanceCommands(ctx_, state_, guard_, *StatusBar1, *lists_, *listBuild_, this);
    gameMaintenance_ = new GameMaintenanceCommands(ctx_, state_, guard_, tools_, selection, this);
    reports_ = new ReportCommands(
        ctx_, state_, guard_, *StatusBar1,
        {[this] {
             std::vector<ReportCommands::Section> sections;
             for (GameListsPane::Page& page : lists_->PrintedPages()) {
                 sections.push_back({page.caption, std::move(page.items)});
             }
             return sections;
         },
         [this] { return lists_->View().showCount; }, [this] { return lists_->View().showMissing; },
         [this] { lists_->MissingGames1Click(); }},
        this);
    help_ = new HelpCommands(ctx_, state_, guard_, *StatusBar1, selection, this);
    lock_ = new LockCommand(ctx_, state_, guard_, this);
}

void TFMain::CreateMenus() {
    RemoveALLRegistryKeys1 = newMenuItem(
        this, "RemoveALLRegistryKeys1", QStringLiteral("&Rebuild Game List..."),
        QStringLiteral(
            "Remove ALL games from the list and rebuild it entirely, losing all option settings"));
    Exit1 = newMenuItem(this, "Exit1", QStringLiteral("E&xit"));

    File1 = menuBar()->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    File1->addActions({toolCommands_->LocationsAction(), listBuild_->UpdateGameListAction(),
                       RemoveALLRegistryKeys1, listMaintenance_->CleanupAction(),
                       picture_->UpdatePictureListAction()});
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
            gameMaintenance_->UninstallAction()};
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
    const auto refresh = [this] { ShowSelectedGame(); };
    guard_.connect(lists_, &GameListsPane::selectionChanged, &wiring_, refresh);
    guard_.connect(listMaintenance_, &ListMaintenanceCommands::selectedEntryChanged, &wiring_,
                   refresh);
    guard_.connect(gameMaintenance_, &GameMaintenanceCommands::selectedEntryChanged, &wiring_,
                   refresh);
    guard_.connect(picture_, &PicturePane::picturesChanged, &wiring_, refresh);
    guard_.connect(listBuild_, &ListBuildController::buildEnded, &wiring_, refresh);

    guard_.connect(lists_, &GameListsPane::playRequested, &wiring_,
                   [this] { play_->BPlayClick(); });
    guard_.connect(lists_, &GameListsPane::removeRequested, &wiring_,
                   [this] { listMaintenance_->Removefromlist1Click(); });
    connect(lists_, &GameListsPane::changeEmulatorsOffered, &wiring_,
            [this](bool offered) { listMaintenance_->OfferChangeEmulators(offered); });

    const auto close = [this] { this->close(); };
    connect(play_, &PlayCommand::closeRequested, &wiring_, close);
    connect(listBuild_, &ListBuildController::closeRequested, &wiring_, close);
    connect(gameMaintenance_, &GameMaintenanceCommands::closeRequested, &wiring_, close);

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

std::optional<SelectedEntry> TFMain::CurrentEntry() {
    return lists_->CurrentEntry();
}

bool TFMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        StatusBar1->DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}
