#include "tools/ui/TFSearchOptions.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include "context/AppContext.h"
#include "platform/Dialogs.h"
#include "platform/ui/CentreOnScreen.h"

namespace {

// List items kept in alphabetical order, ignoring case.
class NameItem : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem& other) const override {
        return QString::compare(text(), other.text(), Qt::CaseInsensitive) < 0;
    }
};

QListWidget* sortedList(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(true);
    return list;
}

// The arrows say little on their own; the first start's dialog, with every
// emulator under "No", is the first thing a new user has to work out.
QPushButton* moveButton(const char* name, const QString& caption, const QString& hint,
                        QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    button->setFixedWidth(40);
    return button;
}

// Moves the selected item; nothing without a selection.
void moveSelected(QListWidget* from, QListWidget* to) {
    const QList<QListWidgetItem*> selected = from->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    QListWidgetItem* item = from->takeItem(from->row(selected.first()));
    from->clearSelection();
    from->setCurrentRow(-1);
    to->addItem(item);
}

void moveAll(QListWidget* from, QListWidget* to) {
    while (from->count() > 0) {
        to->addItem(from->takeItem(0));
    }
}

void fill(QListWidget* list, const QStringList& names) {
    list->clear();
    for (const QString& name : names) {
        list->addItem(new NameItem(name));
    }
}

// Both lists as wide as the longest emulator name, so that no name hides
// behind a horizontal scroll bar; together never wider than the screen.
void fitListsToNames(QDialog& dialog, QListWidget* yes, QListWidget* no) {
    const QFontMetrics metrics(yes->font());
    int widest = 0;
    for (const QListWidget* list : {yes, no}) {
        for (int i = 0; i < list->count(); ++i) {
            widest = qMax(widest, metrics.horizontalAdvance(list->item(i)->text()));
        }
    }
    // The item's own margins and the room a vertical scroll bar takes.
    int width = widest + 2 * yes->frameWidth() + yes->verticalScrollBar()->sizeHint().width() + 12;
    if (const QScreen* screen = dialog.screen()) {
        width = qMin(width, screen->availableGeometry().width() / 2 - 60);
    }
    yes->setMinimumWidth(width);
    no->setMinimumWidth(width);
    if (dialog.width() < dialog.minimumSizeHint().width()) {
        dialog.resize(dialog.minimumSizeHint().width(), dialog.height());
        centreOnScreen(dialog);
    }
}

}  // namespace

TFSearchOptions::TFSearchOptions(AppContext& ctx, const EmulatorTable& emulators,
                                 const ErrorGuard& guard, QWidget* parent)
    : QDialog(parent),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      LBYes(sortedList("LBYes", this)),
      LBNo(sortedList("LBNo", this)),
      ESearchDrives(new QLineEdit(SearchChoice::Choice().drives, this)),
      CBFastListBuild(
          new QCheckBox(QStringLiteral("&Fast list build: MAME's whole list in about a minute "
                                       "instead of an hour"),
                        this)),
      BAdd(moveButton("BAdd", QStringLiteral("<"),
                      QStringLiteral("Search for the selected emulator"), this)),
      BSubtract(moveButton("BSubtract", QStringLiteral(">"),
                           QStringLiteral("Do not search for the selected emulator"), this)),
      BAddAll(moveButton("BAddAll", QStringLiteral("<<"),
                         QStringLiteral("Search for every emulator"), this)),
      BSubtractAll(moveButton("BSubtractAll", QStringLiteral(">>"),
                              QStringLiteral("Search for no emulator"), this)),
      BOK(new QPushButton(QStringLiteral("OK"), this)),
      BCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("FSearchOptions"));
    ESearchDrives->setObjectName(QStringLiteral("ESearchDrives"));
    CBFastListBuild->setObjectName(QStringLiteral("CBFastListBuild"));
    CBFastListBuild->setToolTip(
        QStringLiteral("Handle games for about 40 ms at each step of the list build instead of "
                       "one game: a first build of a large list takes minutes, not an hour"));
    BOK->setObjectName(QStringLiteral("BOK"));
    BCancel->setObjectName(QStringLiteral("BCancel"));
    setWindowTitle(QStringLiteral("Search Options"));
    setModal(true);
    CreateLayout();

    connect(BAdd, &QPushButton::clicked, this, &TFSearchOptions::BAddClick);
    connect(BSubtract, &QPushButton::clicked, this, &TFSearchOptions::BSubtractClick);
    connect(BAddAll, &QPushButton::clicked, this, &TFSearchOptions::BAddAllClick);
    connect(BSubtractAll, &QPushButton::clicked, this, &TFSearchOptions::BSubtractAllClick);
    connect(LBNo, &QListWidget::itemDoubleClicked, this, [this] { BAddClick(); });
    connect(LBYes, &QListWidget::itemDoubleClicked, this, [this] { BSubtractClick(); });
    BOK->setDefault(true);
    connect(BOK, &QPushButton::clicked, this, &TFSearchOptions::BOKClick);
    BCancel->setAutoDefault(false);
    connect(BCancel, &QPushButton::clicked, this, &TFSearchOptions::reject);
}

void TFSearchOptions::CreateLayout() {
    auto* emulators = new QGroupBox(
        QStringLiteral("This time, search for these emulators and their ROMs:"), this);
    auto* yesLabel = new QLabel(QStringLiteral("&Yes:"), emulators);
    yesLabel->setBuddy(LBYes);
    auto* noLabel = new QLabel(QStringLiteral("&No:"), emulators);
    noLabel->setBuddy(LBNo);
    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    for (QPushButton* button : {BAdd, BSubtract, BAddAll, BSubtractAll}) {
        moves->addWidget(button);
    }
    moves->addStretch(1);
    auto* lists = new QGridLayout(emulators);
    lists->addWidget(yesLabel, 0, 0);
    lists->addWidget(noLabel, 0, 2);
    lists->addWidget(LBYes, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(LBNo, 1, 2);

    auto* methods = new QGroupBox(QStringLiteral("Search methods:"), this);
    auto* pathsLabel = new QLabel(
        QStringLiteral(
            "Search these &paths for Emulators, ROM images, PKZIP, ZipMagic, UniVBE, JoyEmu, etc."),
        methods);
    pathsLabel->setBuddy(ESearchDrives);
    pathsLabel->setWordWrap(true);
    auto* separateLabel = new QLabel(QStringLiteral("(separate multiple paths with ;)"), methods);
    auto* methodsLayout = new QVBoxLayout(methods);
    methodsLayout->addWidget(pathsLabel);
    methodsLayout->addWidget(separateLabel);
    methodsLayout->addWidget(ESearchDrives);
    methodsLayout->addWidget(CBFastListBuild);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BOK);
    buttons->addWidget(BCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(emulators, 1);
    layout->addWidget(methods);
    layout->addLayout(buttons);
    resize(520, 420);
}

void TFSearchOptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    guard_.run([this] { FormShow(); });
}

void TFSearchOptions::FormShow() {
    SettingsStore store = ctx_.store();
    const SearchChoice::Emulators split = SearchChoice::SplitByStoreKey(store, emulators_);
    fill(LBYes, split.yes);
    fill(LBNo, split.no);
    CBFastListBuild->setChecked(SearchChoice::ReadFastListBuild(store));
    fitListsToNames(*this, LBYes, LBNo);
}

void TFSearchOptions::BAddClick() {
    moveSelected(LBNo, LBYes);
}

void TFSearchOptions::BSubtractClick() {
    moveSelected(LBYes, LBNo);
}

void TFSearchOptions::BAddAllClick() {
    moveAll(LBNo, LBYes);
}

void TFSearchOptions::BSubtractAllClick() {
    moveAll(LBYes, LBNo);
}

void TFSearchOptions::BOKClick() {
    done(mrOk);
}

void TFSearchOptions::SetDrives(const QString& drives) {
    ESearchDrives->setText(drives);
}

SearchChoice::Choice TFSearchOptions::Choice() const {
    SearchChoice::Choice choice;
    for (int i = 0; i < LBYes->count(); ++i) {
        choice.emulators << LBYes->item(i)->text();
    }
    choice.drives = ESearchDrives->text();
    choice.fastListBuild = CBFastListBuild->isChecked();
    return choice;
}

void TFSearchOptions::reject() {
    done(mrCancel);
}
