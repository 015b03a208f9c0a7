#include "tools/ui/TFFileLocations.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/ui/GuardedHandler.h"
#include "context/AppContext.h"
#include "context/AppState.h"
#include "launch/BatchRunner.h"
#include "platform/ui/CentreOnScreen.h"
#include "tools/DriveSearch.h"
#include "tools/FoundFiles.h"

namespace {

QPushButton* browseButton(const ToolRow& row, QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setToolTip(QString::fromUtf16(row.browseTitle));
    button->setAutoDefault(false);
    button->setMaximumWidth(36);
    return button;
}

}  // namespace

TFFileLocations::TFFileLocations(AppContext& ctx, AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      EPKZip(new QLineEdit(this)),
      EPKUnzip(new QLineEdit(this)),
      EZipMagic(new QLineEdit(this)),
      EJoyEmu(new QLineEdit(this)),
      EJoyCP(new QLineEdit(this)),
      EUniVBE(new QLineEdit(this)),
      EDrives(new QLineEdit(QStringLiteral("C:"), this)),
      BPKZip(browseButton(RowOf(Tool::PKZip), this)),
      BPKUnzip(browseButton(RowOf(Tool::PKUnzip), this)),
      BZipMagic(browseButton(RowOf(Tool::ZipMagic), this)),
      BJoyEmu(browseButton(RowOf(Tool::JoyEmu), this)),
      BJoyCP(browseButton(RowOf(Tool::JoyCP), this)),
      BUniVBE(browseButton(RowOf(Tool::UniVBE), this)),
      BSearchDrives(new QPushButton(QStringLiteral("Searc&h Drives"), this)),
      BOK(new QPushButton(QStringLiteral("OK"), this)),
      BCancel(new QPushButton(QStringLiteral("Cancel"), this)),
      ctx_(ctx),
      state_(state) {
    setObjectName(QStringLiteral("FFileLocations"));
    setWindowTitle(QStringLiteral("File Locations"));
    setModal(true);
    CreateLayout();

    for (const ToolRow& row : kToolRows) {
        connect(BrowseButton(row.tool), &QPushButton::clicked, this,
                [this, tool = row.tool] { BrowseClick(tool); });
    }
    BSearchDrives->setAutoDefault(false);
    BSearchDrives->setToolTip(QStringLiteral("Search the paths to search for the tool programs"));
    connect(BSearchDrives, &QPushButton::clicked, this,
            [this] { RunGuarded(parentWidget(), [this] { BSearchDrivesClick(); }); });
    BOK->setDefault(true);
    connect(BOK, &QPushButton::clicked, this,
            [this] { RunGuarded(parentWidget(), [this] { BOKClick(); }); });
    BCancel->setAutoDefault(false);
    connect(BCancel, &QPushButton::clicked, this, &TFFileLocations::reject);
}

void TFFileLocations::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void TFFileLocations::CreateLayout() {
    auto* grid = new QGridLayout;
    int line = 0;
    for (const ToolRow& row : kToolRows) {
        auto* label = new QLabel(QString::fromUtf16(row.label), this);
        label->setBuddy(Field(row.tool));
        grid->addWidget(label, line, 0);
        grid->addWidget(Field(row.tool), line, 1);
        grid->addWidget(BrowseButton(row.tool), line, 2);
        ++line;
    }
    auto* drivesLabel = new QLabel(QString::fromUtf16(kDrivesLabel), this);
    drivesLabel->setBuddy(EDrives);
    grid->addWidget(drivesLabel, line, 0);
    grid->addWidget(EDrives, line, 1, 1, 2);
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

QLineEdit* TFFileLocations::Field(Tool tool) const {
    switch (tool) {
        case Tool::PKZip:
            return EPKZip;
        case Tool::PKUnzip:
            return EPKUnzip;
        case Tool::ZipMagic:
            return EZipMagic;
        case Tool::JoyEmu:
            return EJoyEmu;
        case Tool::JoyCP:
            return EJoyCP;
        case Tool::UniVBE:
            return EUniVBE;
    }
    return nullptr;
}

QPushButton* TFFileLocations::BrowseButton(Tool tool) const {
    switch (tool) {
        case Tool::PKZip:
            return BPKZip;
        case Tool::PKUnzip:
            return BPKUnzip;
        case Tool::ZipMagic:
            return BZipMagic;
        case Tool::JoyEmu:
            return BJoyEmu;
        case Tool::JoyCP:
            return BJoyCP;
        case Tool::UniVBE:
            return BUniVBE;
    }
    return nullptr;
}

ToolPaths TFFileLocations::Paths() const {
    ToolPaths paths;
    for (size_t i = 0; i < kToolRows.size(); ++i) {
        paths.tools[i] = Field(kToolRows[i].tool)->text();
    }
    paths.drives = EDrives->text();
    return paths;
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
    Field(tool)->setText(dosPath);
}

void TFFileLocations::BSearchDrivesClick() {
    if (state_.foundFiles.isEmpty()) {
        if (auto* main = qobject_cast<TFMain*>(parentWidget())) {
            main->SearchDrives();
        } else {
            DriveSearch::SearchDrives(ctx_.fs(), state_, EDrives->text());
        }
    }
    for (const Tool tool : kToolSearchOrder) {
        const QString path =
            FindInFoundFiles(state_.foundFiles, QString::fromUtf16(RowOf(tool).executable), true);
        Field(tool)->setText(path);
        if (tool == Tool::ZipMagic && !path.isEmpty()) {
            BatchRunner(ctx_).RunCommand(path + QString::fromUtf16(kZipMagicOff),
                                         ShowMode::Minimised);
        }
    }
}

void TFFileLocations::BOKClick() {
    SettingsStore store = ctx_.store();
    WriteToolLocations(store, Paths());
    done(mrOk);
}

void TFFileLocations::reject() {
    done(mrCancel);
}
