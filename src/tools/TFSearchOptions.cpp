#include "tools/TFSearchOptions.h"

#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/AppState.h"

TFSearchOptions::TFSearchOptions(AppContext& ctx, AppState& state, QWidget* parent)
    : QDialog(parent),
      LBYes(new QListWidget(this)),
      LBNo(new QListWidget(this)),
      ESearchDrives(new QLineEdit(QStringLiteral("C:"), this)),
      ctx_(ctx),
      state_(state) {
    setObjectName(QStringLiteral("FSearchOptions"));
    setWindowTitle(QStringLiteral("Search Options"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LBYes);
    layout->addWidget(LBNo);
    layout->addWidget(ESearchDrives);
}
