#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

// The Keys dialog: a key help passage in a fixed-pitch memo. On showing it
// grows about its centre until nothing needs scrolling.
class TFKeys : public QDialog {
    Q_OBJECT
public:
    explicit TFKeys(QWidget* parent = nullptr);

    // The passage's caption and its lines.
    void Show(const QString& caption, const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormActivate();

    QPlainTextEdit* MKeys;
    QPushButton* Button1;
};
