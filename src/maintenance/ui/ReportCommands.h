#pragma once

#include <QAction>
#include <QObject>
#include <functional>
#include <vector>

#include "context/ErrorGuard.h"

class AppContext;
struct AppState;
class StatusLine;

// "Print Missing ROMs..." and "Print Missing Pictures...": a page per list
// shown, printed or written to a PDF file.
class ReportCommands : public QObject {
    Q_OBJECT
public:
    // One list a report goes through, with the name of its page.
    struct Section {
        QString name;
        QStringList items;
    };
    // What the reports need from the game lists.
    struct Owner {
        // The lists shown: by name the two pages, by emulator each emulator's own.
        std::function<std::vector<Section>()> sections;
        std::function<bool()> showCount;
        std::function<bool()> showsMissing;
        // "[ &Missing Games ]" as the menu switches it.
        std::function<void()> switchMissing;
    };

    ReportCommands(AppContext& ctx, AppState& state, const ErrorGuard& guard, StatusLine& status,
                   Owner owner, QObject* parent);

    QList<QAction*> Actions() const { return {PrintMissingROMs1, PrintMissingPictures1}; }

private:
    void PrintMissingROMs1Click();
    void PrintMissingPictures1Click();
    // The frame both reports share: the print dialog, missing games shown
    // while the lists are read, the title line, one section per list.
    template <class PrintSection>
    void PrintReport(const QString& title, bool askQuestionable, PrintSection&& printSection);

    AppContext& ctx_;
    AppState& state_;
    ErrorGuard guard_;
    StatusLine& status_;
    Owner owner_;
    QAction* PrintMissingROMs1;
    QAction* PrintMissingPictures1;
};
