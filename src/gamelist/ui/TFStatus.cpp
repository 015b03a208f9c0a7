#include "gamelist/ui/TFStatus.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/ui/CentreOnScreen.h"

TFStatus::TFStatus(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Memo1(new QTextEdit(this)),
      LBROMList(new QListWidget(this)),
      BSelect(new QPushButton(QStringLiteral("&Select"), this)),
      BNone(new QPushButton(QStringLiteral("&None"), this)),
      BAll(new QPushButton(QStringLiteral("&All"), this)),
      BCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("FStatus"));
    const std::pair<QWidget*, const char*> names[] = {
        {Memo1, "Memo1"}, {LBROMList, "LBROMList"}, {BSelect, "BSelect"},
        {BNone, "BNone"}, {BAll, "BAll"},           {BCancel, "BCancel"}};
    for (const auto& [control, name] : names) {
        control->setObjectName(QString::fromLatin1(name));
    }
    setWindowTitle(QStringLiteral("For this emulator..."));
    setModal(true);

    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setAutoFillBackground(false);
    Memo1->viewport()->setAutoFillBackground(false);
    Memo1->setPlainText(
        QStringLiteral("Please select the correct ROM and press Select.\n"
                       "If none of the files is the correct ROM then press None.\n"
                       "Press All to make this directory the default for this Emulator."));
    Memo1->selectAll();
    Memo1->setAlignment(Qt::AlignCenter);
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->setFixedHeight(Memo1->fontMetrics().lineSpacing() * 4);

    LBROMList->setSelectionMode(QAbstractItemView::SingleSelection);
    BSelect->setDefault(true);
    BSelect->setAutoDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {BSelect, BNone, BAll, BCancel}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1);
    layout->addWidget(LBROMList, 1);
    layout->addLayout(buttons);
    resize(560, 300);

    connect(BSelect, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(BNone, &QPushButton::clicked, this, [this] { done(mrNo); });
    connect(BAll, &QPushButton::clicked, this, [this] { done(mrAll); });
    connect(BCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(LBROMList, &QListWidget::itemClicked, this, [this] { LBROMListClick(); });
    connect(LBROMList, &QListWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    UpdateButtons();
}

void TFStatus::Prepare(const QString& searchedName, const QString& emulatorId,
                       const QStringList& candidates) {
    setWindowTitle(u"Select ROM for " + searchedName + u" on " + emulatorId + u"...");
    BAll->setText(u"&All " + emulatorId.toLower());
    LBROMList->clear();
    LBROMList->addItems(candidates);
    LBROMList->setCurrentRow(-1);
    LBROMList->clearSelection();
    UpdateButtons();
}

QString TFStatus::SelectedItem() const {
    const QList<QListWidgetItem*> selected = LBROMList->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void TFStatus::LBROMListClick() {
    UpdateButtons();
}

void TFStatus::UpdateButtons() {
    const bool selected = !LBROMList->selectedItems().isEmpty();
    BSelect->setEnabled(selected);
    BAll->setEnabled(selected);
}

void TFStatus::reject() {
    done(mrCancel);
}

void TFStatus::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
}
