#include "maintenance/ui/TFKeys.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include "platform/ui/CentreOnScreen.h"

namespace {

constexpr int kMargin = 10;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

}  // namespace

TFKeys::TFKeys(QWidget* parent)
    : QDialog(parent), MKeys(new QPlainTextEdit(this)), Button1(new QPushButton(this)) {
    setObjectName(QStringLiteral("FKeys"));
    setWindowTitle(QStringLiteral("Keys"));
    setWindowFlags(windowFlags() | Qt::MSWindowsFixedSizeDialogHint);
    resize(603, 373);

    MKeys->setObjectName(QStringLiteral("MKeys"));
    MKeys->setReadOnly(true);
    MKeys->setLineWrapMode(QPlainTextEdit::NoWrap);
    MKeys->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MKeys->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(12);
    MKeys->setFont(font);
    QPalette palette = MKeys->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    MKeys->setPalette(palette);

    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setText(QStringLiteral("OK"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    // Escape closes a QDialog as the cancel button would.
}

void TFKeys::Show(const QString& caption, const QString& text) {
    setWindowTitle(caption);
    MKeys->setPlainText(text);
}

void TFKeys::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The memo and the button keep their distances to the dialog's edges.
    MKeys->setGeometry(kMargin, kMargin, width() - 2 * kMargin - 2,
                       height() - 2 * kMargin - kButtonHeight - 10 - 2);
    Button1->setGeometry((width() - kButtonWidth) / 2, height() - kMargin - kButtonHeight,
                         kButtonWidth, kButtonHeight);
}

void TFKeys::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
    FormActivate();
}

void TFKeys::FormActivate() {
    // Growing stops at the screen's size: a passage larger than that scrolls.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize most = screen ? screen->availableGeometry().size() : QSize(4096, 4096);
    while (MKeys->verticalScrollBar()->maximum() > 0 && height() + 10 <= most.height()) {
        const QRect g = geometry();
        setGeometry(g.x(), g.y() - 5, g.width(), g.height() + 10);
    }
    while (MKeys->horizontalScrollBar()->maximum() > 0 && width() + 10 <= most.width()) {
        const QRect g = geometry();
        setGeometry(g.x() - 5, g.y(), g.width() + 10, g.height());
    }
}
