#include "maintenance/ui/ReadmeViewer.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QVBoxLayout>

ReadmeViewer::ReadmeViewer(QWidget* parent) : QDialog(parent), MReadme(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("FReadme"));
    setWindowTitle(QStringLiteral("Brivanel README"));
    MReadme->setObjectName(QStringLiteral("MReadme"));
    // Links outside the manual would need a browser, which is what is missing.
    MReadme->setOpenExternalLinks(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MReadme);
    layout->addWidget(buttons);
    resize(760, 560);
}

bool ReadmeViewer::ShowFile(const QString& hostPath) {
    QFile file(hostPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    // Relative links and pictures of the manual are found beside it.
    MReadme->setSearchPaths({QFileInfo(hostPath).absolutePath()});
    MReadme->setHtml(QString::fromUtf8(file.readAll()));
    return true;
}
