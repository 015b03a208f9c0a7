// "Print Missing ROMs..." and "Print Missing Pictures...".
#include <QLocale>
#include <QPrinter>
#include <stdexcept>
#include <vector>

#include "app/ui/TFMain.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "gamelist/ui/GameListWidget.h"
#include "maintenance/ReportRows.h"
#include "maintenance/ui/ReportLayout.h"
#include "settings/KeyPath.h"

namespace {

struct Section {
    GameListWidget* list;
    QString name;
};

// By name the two pages, by emulator each emulator's own page in table order.
std::vector<Section> reportSections(TFMain& main) {
    if (main.byName1->isChecked()) {
        return {{main.LBArcade, QStringLiteral("Arcade")},
                {main.LBConsole, QStringLiteral("Console")}};
    }
    std::vector<Section> sections;
    for (int i = 1; i <= main.state.emulators.count(); ++i) {
        if (size_t(i) < main.emulatorLists.size() && main.emulatorLists[size_t(i)] != nullptr) {
            sections.push_back(
                {main.emulatorLists[size_t(i)], main.state.emulators.at(i).tabCaption()});
        }
    }
    return sections;
}

// The frame both reports share: the print dialog, missing games shown while
// the lists are read, the title line, one section per list.
template <class PrintSection>
void printReport(TFMain& main, const QString& title, bool askQuestionable,
                 PrintSection&& printSection) {
    AppContext& ctx = main.context();
    const std::optional<PrintTarget> target = ctx.dialogs().printDialog();
    if (!target) {
        return;
    }
    const bool questionable =
        askQuestionable &&
        ctx.dialogs().messageBox(QStringLiteral("List pictures obtained from a Merged ROM or by "
                                                "shortening as questionable?"),
                                 MessageKind::Confirmation, MessageButtons::YesNo) == mrYes;
    const bool wasShowingMissing = main.MissingGames1->isChecked();
    if (!wasShowingMissing) {
        main.MissingGames1Click();
    }
    struct Restore {
        TFMain& main;
        bool wasShowingMissing;
        ~Restore() {
            if (!wasShowingMissing && main.MissingGames1->isChecked()) {
                main.Guard([this] { main.MissingGames1Click(); });
            }
        }
    } restore{main, wasShowingMissing};

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
    const QDateTime now = fromDayCount(ctx.clock().now());
    layout.title(title + u" - " + QLocale::system().toString(now.date(), QLocale::ShortFormat) +
                 u' ' + QLocale::system().toString(now.time(), QLocale::LongFormat));
    for (const Section& section : reportSections(main)) {
        printSection(layout, section, questionable);
    }
    painter.end();
}

}  // namespace

void TFMain::PrintMissingROMs1Click() {
    printReport(*this, QStringLiteral("Brivanel Missing ROMs"), false,
                [this](ReportLayout& layout, const Section& section, bool) {
                    SettingsStore store = ctx_.store();
                    const std::vector<ReportRows::Row> rows = ReportRows::MissingRoms(
                        store, section.list->items(), byCount1->isChecked());
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

void TFMain::PrintMissingPictures1Click() {
    printReport(
        *this, QStringLiteral("Brivanel Missing Pictures"), true,
        [this](ReportLayout& layout, const Section& section, bool questionable) {
            if (section.list->count() == 0 ||
                ctx_.dialogs().messageBox(
                    QStringLiteral("Print missing picture list for ") + section.name + u'?',
                    MessageKind::Confirmation, MessageButtons::YesNo) != mrYes) {
                return;
            }
            layout.header(section.name + u" Games", QStringLiteral("Filename"), QString());
            bool shaded = true;
            const bool showCount = byCount1->isChecked();
            for (const QString& item :
                 ReportRows::PictureCandidates(section.list->items(), showCount)) {
                SetStatus(QStringLiteral("Checking picture for ") + item + u"...");
                const QString entry = EntryNameFromItemText(item, showCount);
                SettingsStore store = ctx_.store();
                QString shortName;
                int emulatorIndex = 0;
                if (store.OpenKey(StorePaths::Entry(entry), false)) {
                    shortName = store.ReadString(QStringLiteral("Shortname"));
                    emulatorIndex = EmulatorIndexById(store.ReadString(QStringLiteral("Emulator")));
                }
                // An entry of no known emulator has no picture to find.
                QString picture;
                QString parent = shortName;
                if (state.emulators.isValidIndex(emulatorIndex)) {
                    picture = ShowGamePicture(emulatorIndex, shortName, entry, true);
                    parent = ParentName(ctx_, state.emulators.at(emulatorIndex), shortName);
                }
                if (ReportRows::HasProperPicture(picture, shortName, entry, parent) ||
                    entry.contains(u'{') || (!picture.isEmpty() && !questionable)) {
                    continue;
                }
                layout.row({entry,
                            picture.isEmpty()
                                ? QString()
                                : ReportRows::QuestionablePicture(picture, ctx_.ProgramDirectory()),
                            QString(), shaded});
                shaded = !shaded;
            }
        });
}
