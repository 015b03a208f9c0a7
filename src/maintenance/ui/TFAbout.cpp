#include "maintenance/ui/TFAbout.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QVBoxLayout>

#include "platform/ui/ProgramIcon.h"

TFAbout::TFAbout(QWidget* parent) : QDialog(parent), LVersion(new QLabel(this)) {
    setObjectName(QStringLiteral("FAbout"));
    LVersion->setObjectName(QStringLiteral("LVersion"));
    setWindowTitle(QStringLiteral("About Brivanel"));
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel(QStringLiteral("Brivanel"), this);
    QFont big(QStringLiteral("Arial"), 24);
    big.setBold(true);
    product->setFont(big);
    product->setAlignment(Qt::AlignCenter);
    LVersion->setAlignment(Qt::AlignCenter);
    QFont heading;
    heading.setBold(true);
    auto* programmed = new QLabel(QStringLiteral("Programmed By:"), this);
    programmed->setFont(heading);
    auto* thanks = new QLabel(QStringLiteral("Special Thanks To:"), this);
    thanks->setFont(heading);
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(programIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon);
    layout->addWidget(product);
    layout->addWidget(LVersion);
    layout->addWidget(programmed);
    layout->addWidget(new QLabel(QStringLiteral("The Brivanel developers"), this));
    layout->addWidget(thanks);
    layout->addWidget(new QLabel(
        QStringLiteral("Everyone who tested the lists, the pictures and the scripts"), this));
    layout->addWidget(
        new QLabel(QStringLiteral("and to all the authors of the emulators, thank you!"), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
