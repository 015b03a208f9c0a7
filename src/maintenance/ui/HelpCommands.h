#pragma once

#include <QAction>
#include <QObject>
#include <functional>
#include <optional>

#include "context/ErrorGuard.h"
#include "context/SelectedEntry.h"

class AppContext;
class StatusLine;
struct AppState;
class TFAbout;

// "&Keys..." (the selected game's key help in `TFKeys`), "&Display
// README..." and "&About..." (`TFAbout`).
class HelpCommands : public QObject {
    Q_OBJECT
public:
    using Selection = std::function<std::optional<SelectedEntry>()>;

    HelpCommands(AppContext& ctx, AppState& state, const ErrorGuard& guard, StatusLine& status,
                 Selection selection, QWidget* window);

    QAction* KeysAction() const { return Keys1; }
    QList<QAction*> HelpActions() const { return {DisplayREADME1, About1}; }
    // The version the About box shows.
    void SetVersion(const QString& version);

private:
    void Keys1Click();
    void DisplayREADME1Click();
    void About1Click();

    AppContext& ctx_;
    AppState& state_;
    ErrorGuard guard_;
    StatusLine& status_;
    Selection selection_;
    QWidget* window_;
    QAction* Keys1;
    QAction* DisplayREADME1;
    QAction* About1;
    TFAbout* FAbout;
};
