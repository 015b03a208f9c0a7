#pragma once

#include <QDialog>
#include <QTextBrowser>

// The manual shown inside the program, for a desktop without a program that
// opens it: readme.htm in a text browser whose links to its own sections
// work and whose links to the web go to nowhere but the status of the link.
class ReadmeViewer : public QDialog {
    Q_OBJECT
public:
    explicit ReadmeViewer(QWidget* parent = nullptr);

    // Shows the host file; false, and nothing shown, when it cannot be read.
    bool ShowFile(const QString& hostPath);

private:
    QTextBrowser* MReadme;
};
