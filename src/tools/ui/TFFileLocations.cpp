#include "tools/ui/TFFileLocations.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "context/AppContext.h"
#include "context/BatchRunner.h"
#include "context/StatusLine.h"
#include "platform/ui/CentreOnScreen.h"
#include "platform/ui/WaitCursor.h"
#include "tools/DriveSearch.h"
#include "tools/FoundFiles.h"
#include "tools/WalkStatus.h"

namespace {

QPushButton* browseButton(Tool tool, QWidget* parent) {
    const LocationRow& row = RowOf(tool);
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setObjectName(u'B' + QString::fromLatin1(row.editName).mid(1));
    button->setToolTip(QString::fromUtf16(row.browseTitle));
    button->setAutoDefault(false);
    button->setMaximumWidth(36);
    return button;
}

QPushButton* namedButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

TFFileLocations::TFFileLocations(AppContext& ctx, const EmulatorTable& emulators,
                                 const ErrorGuard& guard, StatusLine& status,
                                 FoundFiles& foundFiles, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      status_(status),
      foundFiles_(foundFiles),
      EPKZip(new QLineEdit(this)),
      EPKUnzip(new QLineEdit(this)),
      EZipMagic(new QLineEdit(this)),
      EJoyEmu(new QLineEdit(this)),
      EJoyCP(new QLineEdit(this)),
      EUniVBE(new QLineEdit(this)),
      EDrives(new QLineEdit(this)),
      BPKZip(browseButton(Tool::PKZip, this)),
      BPKUnzip(browseButton(Tool::PKUnzip, this)),
      BZipMagic(browseButton(Tool::ZipMagic, this)),
      BJoyEmu(browseButton(Tool::JoyEmu, this)),
      BJoyCP(browseButton(Tool::JoyCP, this)),
      BUniVBE(browseButton(Tool::UniVBE, this)),
      BSearchDrives(namedButton("BSearchDrives", QStringLiteral("Searc&h Drives"), this)),
      BOK(namedButton("BOK", QStringLiteral("OK"), this)),
      BCancel(namedButton("BCancel", QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("FFileLocations"));
    setWindowTitle(QStringLiteral("File Locations"));
    setModal(true);
    for (size_t i = 0; i < kLocationRows.size(); ++i) {
        Fields()[i]->setObjectName(QString::fromLatin1(kLocationRows[i].editName));
    }
    SetLocations(ToolLocations());
    CreateLayout();

    for (size_t i = 0; i < kToolRows.size(); ++i) {
        connect(BrowseButtons()[i], &QPushButton::clicked, this,
                [this, tool = Tool(i)] { BrowseClick(tool); });
    }
    BSearchDrives->setAutoDefault(false);
    BSearchDrives->setToolTip(QStringLiteral("Search the paths to search for the tool programs"));
    guard_.connect(BSearchDrives, &QPushButton::clicked, this,
                   &TFFileLocations::BSearchDrivesClick);
    BOK->setDefault(true);
    connect(BOK, &QPushButton::clicked, this, &TFFileLocations::BOKClick);
    BCancel->setAutoDefault(false);
    connect(BCancel, &QPushButton::clicked, this, &TFFileLocations::reject);
}

void TFFileLocations::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

std::array<QLineEdit*, kLocationRows.size()> TFFileLocations::Fields() const {
    return {EPKZip, EPKUnzip, EZipMagic, EJoyEmu, EJoyCP, EUniVBE, EDrives};
}

std::array<QPushButton*, kToolCount> TFFileLocations::BrowseButtons() const {
    return {BPKZip, BPKUnzip, BZipMagic, BJoyEmu, BJoyCP, BUniVBE};
}

void TFFileLocations::CreateLayout() {
    auto* grid = new QGridLayout;
    for (size_t i = 0; i < kLocationRows.size(); ++i) {
        QLineEdit* field = Fields()[i];
        auto* label = new QLabel(QString::fromUtf16(kLocationRows[i].label), this);
        label->setBuddy(field);
        const int line = int(i);
        grid->addWidget(label, line, 0);
        if (i < kToolRows.size()) {
            grid->addWidget(field, line, 1);
            grid->addWidget(BrowseButtons()[i], line, 2);
        } else {
            grid->addWidget(field, line, 1, 1, 2);
        }
    }
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BSearchDrives);
    buttons->addStretch(1);
    buttons->addWidget(BOK);
    buttons->addWidget(BCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(480);
}

void TFFileLocations::SetLocations(const ToolLocations& locations) {
    for (size_t i = 0; i < kLocationRows.size(); ++i) {
        Fields()[i]->setText(locations.*kLocationRows[i].field);
    }
}

ToolLocations TFFileLocations::Locations() const {
    ToolLocations locations;
    for (size_t i = 0; i < kLocationRows.size(); ++i) {
        locations.*kLocationRows[i].field = Fields()[i]->text();
    }
    return locations;
}

void TFFileLocations::BrowseClick(Tool tool) {
    const std::optional<QString> chosen =
        ctx_.dialogs().openFile(BrowseRequest(tool, DesktopFolder()));
    if (!chosen) {
        return;
    }
    const QString dosPath = ctx_.fs().toDos(*chosen);
    if (dosPath.isEmpty()) {
        // A path no script could name: keep the field as it was.
        ctx_.dialogs().messageBox(*chosen + QStringLiteral(" is not on any drive of Brivanel."),
                                  MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    Fields()[size_t(tool)]->setText(dosPath);
}

void TFFileLocations::BSearchDrivesClick() {
    const DriveSearch::DosPaths paths =
        DriveSearch::ToDosSearchPaths(ctx_.fs(), EDrives->text(), QDir::homePath());
    if (!paths.refused.isEmpty()) {
        ctx_.dialogs().messageBox(DriveSearch::RefusedPathsMessage(paths.refused),
                                  MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    if (paths.drivesText != EDrives->text()) {
        // Other paths: the files found on the old ones are no answer.
        EDrives->setText(paths.drivesText);
        foundFiles_.Clear();
    }
    if (foundFiles_.isEmpty()) {
        const WaitCursor wait;
        foundFiles_.SearchDrives(ctx_.fs(), emulators_, EDrives->text(), status_,
                                 ctx_.fs().toDos(ctx_.programHostDir()));
    }
    for (const Tool tool : kToolSearchOrder) {
        const QString path =
            FindInFoundFiles(foundFiles_.paths(), QString::fromUtf16(RowOf(tool).executable), true);
        Fields()[size_t(tool)]->setText(path);
        if (tool == Tool::ZipMagic && !path.isEmpty()) {
            const RunOutcome run = BatchRunner(ctx_).RunCommand(
                path + QString::fromUtf16(kZipMagicOff), ShowMode::Minimised);
            if (!run.ok()) {
                ctx_.dialogs().messageBox(u"ZipMagic was not switched off: " + run.message(),
                                          MessageKind::Error, MessageButtons::Ok);
            }
        }
    }
    status_.SetStatus(FilesFoundText(foundFiles_.paths().size(), EDrives->text()) + u"; " +
                      ToolsFoundText(Locations()));
}

void TFFileLocations::BOKClick() {
    done(mrOk);
}

void TFFileLocations::reject() {
    done(mrCancel);
}
