#include "app/ui/TFMain.h"
#include "app/ui/GuardedHandler.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "context/Accessors.h"
#include "context/AppContext.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/TFStatus.h"
#include "launch/ui/OptionPanel.h"
#include "maintenance/ui/TFAbout.h"
#include "pictures/ui/PictureView.h"
#include "settings/KeyPath.h"
#include "settings/StoreError.h"
#include "tools/ui/TFFileLocations.h"
#include "tools/ui/TFSearchOptions.h"

namespace {

QAction* addItem(QMenu* menu, const QString& caption, const QString& hint,
                 const QKeySequence& shortcut = QKeySequence()) {
    QAction* action = menu->addAction(caption);
    action->setStatusTip(hint);
    action->setShortcut(shortcut);
    return action;
}

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel* valueLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    // A long path or name is cut at the window's edge rather than widen it.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

}  // namespace

TFMain::TFMain(AppContext& ctx, QWidget* parent)
    : QMainWindow(parent),
      StatusBar1(new QStatusBar(this)),
      StatusText(new QLabel(StatusBar1)),
      PCConsole(new QTabWidget(this)),
      TSArcade(new QWidget(PCConsole)),
      LBArcade(NewGameList(TSArcade)),
      TSConsole(new QWidget(PCConsole)),
      LBConsole(NewGameList(TSConsole)),
      Timer1(new QTimer(this)),
      Timer2(new QTimer(this)),
      BPlay(new QPushButton(this)),
      LEmuBy(boldLabel(QStringLiteral("Emu:"), this)),
      LEmu(valueLabel(this)),
      LSnBy(boldLabel(QStringLiteral("Short:"), this)),
      LSn(valueLabel(this)),
      LCloneBy(boldLabel(QStringLiteral("Clone:"), this)),
      LClone(valueLabel(this)),
      LPathBy(boldLabel(QStringLiteral("Path:"), this)),
      LPath(valueLabel(this)),
      PImage(new QFrame(this)),
      ImageEn1(new PictureView(PImage)),
      currentListBox(LBArcade),
      ctx_(ctx) {
    setObjectName(QStringLiteral("FMain"));
    setWindowTitle(QStringLiteral("Brivanel"));
    emulatorTabs.push_back(nullptr);
    emulatorLists.push_back(nullptr);
    CreateMenus();
    POptions = new OptionPanel(ctx_, state.emulators,
                               {[this]() -> std::optional<QString> {
                                    if (destroyed_ || currentListBox->count() == 0) {
                                        return std::nullopt;
                                    }
                                    return CurrentEntryName();
                                },
                                [this] { return FFileLocations->EJoyCP->text(); }},
                               this);
    CreateLayout();
    connectGuarded(BPlay, &QPushButton::clicked, this, &TFMain::BPlayClick);

    Timer1->setInterval(100);
    Timer2->setInterval(50);
    connectGuarded(Timer1, &QTimer::timeout, this, &TFMain::Timer1Timer);
    connectGuarded(Timer2, &QTimer::timeout, this, &TFMain::Timer2Timer);
    Timer2->start();

    // FormCreate: the application's activation events.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState s) {
                if (s == Qt::ApplicationActive) {
                    Guard([this] { AppActivate(); });
                } else {
                    AppDeactivate();
                }
            });

    FFileLocations = new TFFileLocations(ctx_, state, this);
    FStatus = new TFStatus(this);
    FAbout = new TFAbout(this);
    FSearchOptions = new TFSearchOptions(ctx_, state, this);
}

TFMain::~TFMain() {
    if (!destroyed_) {
        Guard([this] { FormDestroy(); });
    }
    // The panel stores on focus changes and asks this window for the entry:
    // it goes before this window's members do.
    delete POptions;
}

GameListWidget* TFMain::NewGameList(QWidget* page) {
    auto* list = new GameListWidget(page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list);
    ConnectGameList(list);
    return list;
}

void TFMain::CreateMenus() {
    File1 = menuBar()->addMenu(QStringLiteral("&File"));
    Game1 = menuBar()->addMenu(QStringLiteral("&Game"));
    Display1 = menuBar()->addMenu(QStringLiteral("&Display"));
    Help1 = menuBar()->addMenu(QStringLiteral("&Help"));

    RemoveALLRegistryKeys1 = addItem(
        File1, QStringLiteral("&Rebuild Game List..."),
        QStringLiteral(
            "Remove ALL games from the list and rebuild it entirely, losing all option settings"));
    connectGuarded(RemoveALLRegistryKeys1, &QAction::triggered, this,
                   &TFMain::RemoveALLRegistryKeys1Click);
    File1->addSeparator();
    Exit1 = addItem(File1, QStringLiteral("E&xit"), QString());
    connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });

    byName1 = addItem(Display1, QStringLiteral("by &Name"), QString(),
                      QKeySequence(Qt::CTRL | Qt::Key_N));
    byEmulator1 = addItem(Display1, QStringLiteral("by &Emulator"), QString(),
                          QKeySequence(Qt::CTRL | Qt::Key_E));
    auto* group = new QActionGroup(this);
    for (QAction* radio : {byName1, byEmulator1}) {
        radio->setCheckable(true);
        group->addAction(radio);
    }
    byName1->setChecked(true);
    Display1->addSeparator();
    byCount1 = addItem(Display1, QStringLiteral("Show &Count"), QString(),
                       QKeySequence(Qt::CTRL | Qt::Key_C));
    byCount1->setCheckable(true);
    MissingGames1 = addItem(Display1, QStringLiteral("[ &Missing Games ]"), QString(),
                            QKeySequence(Qt::CTRL | Qt::Key_M));
    MissingGames1->setCheckable(true);
    MissingGames1->setChecked(true);
    HighQualityImages1 = new QAction(QStringLiteral("&High Quality Images (slower)"), this);
    HighQualityImages1->setCheckable(true);
    HighQualityImages1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    CreateOptionMenus();
    CreateToolMenus();
    CreateListViewMenus();
    CreateListBuildMenus();
    CreatePictureMenus();
    CreateMaintenanceMenus();
    CreateListMaintenanceMenus();
}

void TFMain::CreateLayout() {
    setStatusBar(StatusBar1);
    StatusBar1->addWidget(StatusText, 1);
    PCConsole->addTab(TSArcade, QStringLiteral("Arcade"));
    PCConsole->addTab(TSConsole, QStringLiteral("Console"));

    BPlay->setObjectName(QStringLiteral("BPlay"));
    BPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    BPlay->setIconSize(QSize(32, 32));
    BPlay->setMinimumHeight(44);

    auto* info = new QGridLayout;
    info->addWidget(LEmuBy, 0, 0);
    info->addWidget(LEmu, 0, 1, 1, 3);
    info->addWidget(LSnBy, 1, 0);
    info->addWidget(LSn, 1, 1);
    info->addWidget(LCloneBy, 1, 2);
    info->addWidget(LClone, 1, 3);
    info->addWidget(LPathBy, 2, 0);
    info->addWidget(LPath, 2, 1, 1, 3);
    info->setColumnStretch(1, 1);
    info->setColumnStretch(3, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(PCConsole, 1);
    left->addWidget(BPlay);
    left->addLayout(info);

    PImage->setFrameShape(QFrame::Box);
    PImage->setFixedSize(271, 271);
    ImageEn1->setObjectName(QStringLiteral("ImageEn1"));
    ImageEn1->setGeometry(7, 7, 256, 256);

    auto* right = new QVBoxLayout;
    right->addWidget(PImage, 0, Qt::AlignHCenter);
    right->addWidget(POptions, 1);

    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->addLayout(left, 1);
    columns->addLayout(right, 0);
    setCentralWidget(central);
    resize(860, 640);
}

void TFMain::SetStatus(const QString& text) {
    StatusText->setText(text);
    StatusText->repaint();
}

void TFMain::DisplayHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    SetStatus(bar < 0 ? hint : hint.mid(bar + 1));
}

bool TFMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TFMain::ShowError(const std::exception& error) {
    const auto* storeError = dynamic_cast<const StoreError*>(&error);
    const QString text = storeError ? storeError->message() : QString::fromUtf8(error.what());
    ctx_.dialogs().messageBox(text, MessageKind::Error, MessageButtons::Ok);
}

// ---- Accessors of the selected entry ----

QString TFMain::CurrentEntryName() {
    GameListWidget* list = currentListBox;
    if (list->count() == 0) {
        return QString();
    }
    if (list->itemIndex() < 0 || list->itemIndex() >= list->count()) {
        list->setItemIndex(0);
    }
    return EntryNameFromItemText(list->item(list->itemIndex()), byCount1->isChecked());
}

QString TFMain::CurrentEntryValue(const QString& valueName) {
    SettingsStore store = ctx_.store();
    const QString name = CurrentEntryName();
    return !name.isEmpty() && store.OpenKey(StorePaths::Entry(name), false)
               ? store.ReadString(valueName)
               : QString();
}

QString TFMain::CurrentShortName() {
    return CurrentEntryValue(QStringLiteral("Shortname"));
}

QString TFMain::CurrentLocation() {
    return CurrentEntryValue(QStringLiteral("Location"));
}

int TFMain::CurrentEmulatorIndex() {
    return EmulatorIndexById(CurrentEntryValue(QStringLiteral("Emulator")));
}

QString TFMain::CurrentEmulatorLocation() {
    const int index = CurrentEmulatorIndex();
    if (index == 0) {
        return QString();
    }
    SettingsStore store = ctx_.store();
    return store.OpenKey(StorePaths::Entry(state.emulators.at(index).lbName), false)
               ? store.ReadString(QStringLiteral("Location"))
               : QString();
}

int TFMain::EmulatorIndexById(const QString& id) const {
    return state.emulators.EmulatorIndexById(id);
}

QString TFMain::DisplayText(const QString& name) {
    SettingsStore store = ctx_.store();
    return ::DisplayText(store, name, byCount1->isChecked());
}
