#include "maintenance/ui/ReportCommands.h"

#include <QLocale>
#include <QPrinter>
#include <stdexcept>

#include "context/Accessors.h"
#include "context/AppContext.h"
#include "context/AppState.h"
#include "context/SelectedEntry.h"
#include "context/StatusLine.h"
#include "context/StatusProgress.h"
#include "maintenance/ReportRows.h"
#include "maintenance/ui/ReportLayout.h"
#include "pictures/PictureLookup.h"
#include "platform/ui/MenuItem.h"

ReportCommands::ReportCommands(AppContext& ctx, AppState& state, const ErrorGuard& guard,
                               StatusLine& status, Owner owner, QObject* parent)
    : QObject(parent),
      ctx_(ctx),
      state_(state),
      guard_(guard),
      status_(status),
      owner_(std::move(owner)),
      PrintMissingROMs1(
          newMenuItem(this, "PrintMissingROMs1", QStringLiteral("Print Missing ROMs..."))),
      PrintMissingPictures1(
          newMenuItem(this, "PrintMissingPictures1", QStringLiteral("Print Missing Pictures..."))) {
    setObjectName(QStringLiteral("Reports"));
    guard_.connect(PrintMissingROMs1, &QAction::triggered, this,
                   &ReportCommands::PrintMissingROMs1Click);
    guard_.connect(PrintMissingPictures1, &QAction::triggered, this,
                   &ReportCommands::PrintMissingPictures1Click);
}

template <class PrintSection>
void ReportCommands::PrintReport(const QString& title, bool askQuestionable,
                                 PrintSection&& printSection) {
    const std::optional<PrintTarget> target = ctx_.dialogs().printDialog();
    if (!target) {
        return;
    }
    const bool questionable =
        askQuestionable &&
        ctx_.dialogs().messageBox(QStringLiteral("List pictures obtained from a Merged ROM or by "
                                                 "shortening as questionable?"),
                                  MessageKind::Confirmation, MessageButtons::YesNo) == mrYes;
    const bool wasShowingMissing = owner_.showsMissing();
    if (!wasShowingMissing) {
        owner_.switchMissing();
    }
    struct Restore {
        const ReportCommands& reports;
        bool wasShowingMissing;
        ~Restore() {
            if (!wasShowingMissing && reports.owner_.showsMissing()) {
                reports.guard_.run(reports.owner_.switchMissing);
            }
        }
    } restore{*this, wasShowingMissing};

    QPrinter printer(QPrinter::HighResolution);
    if (!target->outputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(target->outputFile);
    } else {
        printer.setPrinterName(target->printerName);
    }
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw std::runtime_error(
            QStringLiteral("Printing failed: the printer cannot be opened.").toStdString());
    }
    ReportLayout layout(painter, QSize(printer.width(), printer.height()),
                        [&printer] { printer.newPage(); });
    const QDateTime now = fromDayCount(ctx_.clock().now());
    layout.title(title + u" - " + QLocale::system().toString(now.date(), QLocale::ShortFormat) +
                 u' ' + QLocale::system().toString(now.time(), QLocale::LongFormat));
    const std::vector<Section> sections = owner_.sections();
    qsizetype total = 0;
    for (const Section& section : sections) {
        total += section.items.size();
    }
    StatusProgress progress(status_);
    progress.begin(u"Printing " + title + u"...", total);
    qsizetype done = 0;
    for (const Section& section : sections) {
        printSection(layout, section, questionable, progress, done);
        done += section.items.size();
        progress.step(done);
    }
    painter.end();
    progress.end(title + u" printed");
}

void ReportCommands::PrintMissingROMs1Click() {
    PrintReport(
        QStringLiteral("Brivanel Missing ROMs"), false,
        [this](ReportLayout& layout, const Section& section, bool, StatusProgress&, qsizetype) {
            SettingsStore store = ctx_.store();
            const std::vector<ReportRows::Row> rows =
                ReportRows::MissingRoms(store, section.items, owner_.showCount());
            if (rows.empty()) {
                return;
            }
            layout.header(section.name + u" Games", QStringLiteral("Filename"),
                          QStringLiteral("Emulator"));
            for (const ReportRows::Row& row : rows) {
                layout.row(row);
            }
        });
}

void ReportCommands::PrintMissingPictures1Click() {
    PrintReport(
        QStringLiteral("Brivanel Missing Pictures"), true,
        [this](ReportLayout& layout, const Section& section, bool questionable,
               StatusProgress& progress, qsizetype done) {
            if (section.items.isEmpty() ||
                ctx_.dialogs().messageBox(
                    QStringLiteral("Print missing picture list for ") + section.name + u'?',
                    MessageKind::Confirmation, MessageButtons::YesNo) != mrYes) {
                return;
            }
            layout.header(section.name + u" Games", QStringLiteral("Filename"), QString());
            bool shaded = true;
            const bool showCount = owner_.showCount();
            for (const QString& item : ReportRows::PictureCandidates(section.items, showCount)) {
                if (progress.due()) {
                    progress.show(done, QStringLiteral("Checking picture for ") + item + u"...");
                }
                ++done;
                const SelectedEntry entry =
                    ReadSelectedEntry(ctx_, state_.emulators, item, showCount);
                // An entry of no known emulator has no picture to find.
                QString picture;
                QString parent = entry.shortName;
                if (state_.emulators.isValidIndex(entry.emulatorIndex)) {
                    picture = FindGamePicture(ctx_, state_.emulators, state_.pictureIndex,
                                              entry.emulatorIndex, entry.shortName, entry.name);
                    parent =
                        ParentName(ctx_, state_.emulators.at(entry.emulatorIndex), entry.shortName);
                }
                if (ReportRows::HasProperPicture(picture, entry.shortName, entry.name, parent) ||
                    entry.name.contains(u'{') || (!picture.isEmpty() && !questionable)) {
                    continue;
                }
                layout.row({entry.name,
                            picture.isEmpty()
                                ? QString()
                                : ReportRows::QuestionablePicture(picture, ctx_.ProgramDirectory()),
                            QString(), shaded});
                shaded = !shaded;
            }
        });
}
