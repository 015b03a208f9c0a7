#pragma once

#include <QDialog>
#include <QLabel>

// The About box: product name, version, author and thanks.
class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(QWidget* parent = nullptr);

    void SetVersion(const QString& version) { LVersion->setText(version); }

private:
    QLabel* LVersion;
};
