#pragma once

#include <QAction>
#include <QObject>
#include <QStringList>

#include "context/ErrorGuard.h"
#include "context/ShownLists.h"

class AppContext;
class EmulatorTable;
class StatusLine;

// The PDF file a report is offered as: the title and ".pdf" in the user's
// documents folder, or the home folder when there is none.
QString OfferedReportFile(const QString& title);

// "Print Missing ROMs..." and "Print Missing Pictures...": a page per list
// shown, printed or written to a PDF file.
class ReportCommands : public QObject {
    Q_OBJECT
public:
    // `lists` are what the reports go through, a page a section; the
    // picture index is where the missing pictures are looked for.
    ReportCommands(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                   StatusLine& status, const ShownLists& lists, const QStringList& pictureIndex,
                   QObject* parent);

    QList<QAction*> Actions() const { return {PrintMissingROMs1, PrintMissingPictures1}; }

signals:
    // "[ &Missing Games ]" switched as the menu switches it: the lists show
    // the missing games while a report reads them, and no more afterwards.
    void missingGamesSwitchWanted();

private:
    void PrintMissingROMs1Click();
    void PrintMissingPictures1Click();
    // The frame both reports share: the print dialog, missing games shown
    // while the lists are read, the title line, one section per list.
    template <class PrintSection>
    void PrintReport(const QString& title, bool askQuestionable, PrintSection&& printSection);

    using Section = ShownLists::Page;

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    StatusLine& status_;
    const ShownLists& lists_;
    const QStringList& pictureIndex_;
    QAction* PrintMissingROMs1;
    QAction* PrintMissingPictures1;
};
