#include "gamelist/ui/TFNewEmu.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/ui/CentreOnScreen.h"

TFNewEmu::TFNewEmu(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      LBNewEmu(new QListWidget(this)),
      BOK(new QPushButton(QStringLiteral("OK"), this)),
      BCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("FNewEmu"));
    LBNewEmu->setObjectName(QStringLiteral("LBNewEmu"));
    BOK->setObjectName(QStringLiteral("BOK"));
    BCancel->setObjectName(QStringLiteral("BCancel"));
    setWindowTitle(QStringLiteral("Change Emulator To"));
    setModal(true);
    LBNewEmu->setSelectionMode(QAbstractItemView::SingleSelection);
    BOK->setDefault(true);
    BOK->setAutoDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BOK);
    buttons->addWidget(BCancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LBNewEmu, 1);
    layout->addLayout(buttons);
    resize(260, 200);

    connect(BOK, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(BCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(LBNewEmu, &QListWidget::itemDoubleClicked, this, [this] { done(mrOk); });
}

void TFNewEmu::Offer(const QStringList& listNames) {
    LBNewEmu->clear();
    LBNewEmu->addItems(listNames);
}

void TFNewEmu::FormActivate() {
    if (LBNewEmu->count() > 0) {
        LBNewEmu->setCurrentRow(0);
    }
}

void TFNewEmu::reject() {
    done(mrCancel);
}

void TFNewEmu::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
    // On showing rather than on every activation: coming back from another
    // program must not undo the user's choice.
    FormActivate();
}
