#pragma once

#include <QAction>
#include <QObject>

#include "context/ErrorGuard.h"

class AppContext;
class EmulatorTable;
class SelectionSource;
class StatusLine;
class TFAbout;

// "&Keys..." (the selected game's key help in `TFKeys`), "&Display
// README..." and "&About..." (`TFAbout`).
class HelpCommands : public QObject {
    Q_OBJECT
public:
    HelpCommands(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                 StatusLine& status, SelectionSource& selection, QWidget* window);

    QAction* KeysAction() const { return Keys1; }
    QList<QAction*> HelpActions() const { return {DisplayREADME1, About1}; }
    // The version the About box shows.
    void SetVersion(const QString& version);

private:
    void Keys1Click();
    void DisplayREADME1Click();
    // The manual in the program's own viewer.
    void ShowReadmeHere(const QString& readme);
    void About1Click();

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    StatusLine& status_;
    SelectionSource& selection_;
    QWidget* window_;
    QAction* Keys1;
    QAction* DisplayREADME1;
    QAction* About1;
    TFAbout* FAbout;
};
