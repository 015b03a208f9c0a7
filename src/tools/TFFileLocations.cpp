#include "tools/TFFileLocations.h"

#include <QFormLayout>

#include "app/AppContext.h"
#include "app/AppState.h"

TFFileLocations::TFFileLocations(AppContext& ctx, AppState& state, QWidget* parent)
    : QDialog(parent),
      EPKZip(new QLineEdit(this)),
      EPKUnzip(new QLineEdit(this)),
      EZipMagic(new QLineEdit(this)),
      EJoyEmu(new QLineEdit(this)),
      EJoyCP(new QLineEdit(this)),
      EUniVBE(new QLineEdit(this)),
      EDrives(new QLineEdit(QStringLiteral("C:"), this)),
      ctx_(ctx),
      state_(state) {
    setObjectName(QStringLiteral("FFileLocations"));
    setWindowTitle(QStringLiteral("File Locations"));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("PK&Zip:"), EPKZip);
    form->addRow(QStringLiteral("PK&Unzip:"), EPKUnzip);
    form->addRow(QStringLiteral("Zip&Magic:"), EZipMagic);
    form->addRow(QStringLiteral("Joy&Emu:"), EJoyEmu);
    form->addRow(QStringLiteral("Joy&CP:"), EJoyCP);
    form->addRow(QStringLiteral("&SciTech UniVBE:"), EUniVBE);
    form->addRow(QStringLiteral("&Paths to search:"), EDrives);
}
