#include "maintenance/ui/ReportCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPrinter>
#include <QStandardPaths>
#include <stdexcept>

#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "context/SelectedEntry.h"
#include "context/StatusLine.h"
#include "context/StatusProgress.h"
#include "maintenance/ReportRows.h"
#include "maintenance/ui/ReportLayout.h"
#include "pictures/PictureLookup.h"
#include "platform/ui/MenuItem.h"

ReportCommands::ReportCommands(AppContext& ctx, const EmulatorTable& emulators,
                               const ErrorGuard& guard, StatusLine& status, const ShownLists& lists,
                               const QStringList& pictureIndex, QObject* parent)
    : QObject(parent),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      status_(status),
      lists_(lists),
      pictureIndex_(pictureIndex),
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

QString OfferedReportFile(const QString& title) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    return QDir(folder).filePath(title + u".pdf");
}

template <class PrintSection>
void ReportCommands::PrintReport(const QString& title, bool askQuestionable,
                                 PrintSection&& printSection) {
    const std::optional<PrintTarget> target = ctx_.dialogs().printDialog(OfferedReportFile(title));
    if (!target) {
        return;
    }
    const bool questionable =
        askQuestionable &&
        ctx_.dialogs().messageBox(QStringLiteral("List pictures obtained from a Merged ROM or by "
                                                 "shortening as questionable?"),
                                  MessageKind::Confirmation, MessageButtons::YesNo) == mrYes;
    const bool wasShowingMissing = lists_.ShowsMissing();
    if (!wasShowingMissing) {
        emit missingGamesSwitchWanted();
    }
    struct Restore {
        ReportCommands& reports;
        bool wasShowingMissing;
        ~Restore() {
            if (!wasShowingMissing && reports.lists_.ShowsMissing()) {
                reports.guard_.run([this] { emit reports.missingGamesSwitchWanted(); });
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
    const std::vector<Section> sections = lists_.PrintedPages();
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
                ReportRows::MissingRoms(store, section.items, lists_.ShowsCount());
            if (rows.empty()) {
                return;
            }
            layout.header(section.caption + u" Games", QStringLiteral("Filename"),
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
                    QStringLiteral("Print missing picture list for ") + section.caption + u'?',
                    MessageKind::Confirmation, MessageButtons::YesNo) != mrYes) {
                return;
            }
            layout.header(section.caption + u" Games", QStringLiteral("Filename"), QString());
            bool shaded = true;
            const bool showCount = lists_.ShowsCount();
            for (const QString& item : ReportRows::PictureCandidates(section.items, showCount)) {
                if (progress.due()) {
                    progress.show(done, QStringLiteral("Checking picture for ") + item + u"...");
                }
                ++done;
                const SelectedEntry entry = ReadSelectedEntry(ctx_, emulators_, item, showCount);
                // An entry of no known emulator has no picture to find.
                QString picture;
                QString parent = entry.shortName;
                if (emulators_.isValidIndex(entry.emulatorIndex)) {
                    picture = FindGamePicture(ctx_, emulators_, pictureIndex_, entry.emulatorIndex,
                                              entry.shortName, entry.name);
                    parent = ParentName(ctx_, emulators_.at(entry.emulatorIndex), entry.shortName);
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
