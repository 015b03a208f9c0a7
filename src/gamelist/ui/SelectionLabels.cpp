#include "gamelist/ui/SelectionLabels.h"

#include <QGridLayout>

#include "gamelist/SelectionDisplay.h"

namespace {

QLabel* captionLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    // A long path or name is cut at the window's edge rather than widen it.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

void showAtOnce(QLabel* label, const QString& text) {
    label->setText(text);
    label->repaint();
}

}  // namespace

SelectionLabels::SelectionLabels(QWidget* parent)
    : QWidget(parent),
      LEmuBy(captionLabel("LEmuBy", QStringLiteral("Emu:"), this)),
      LEmu(valueLabel("LEmu", this)),
      LSnBy(captionLabel("LSnBy", QStringLiteral("Short:"), this)),
      LSn(valueLabel("LSn", this)),
      LCloneBy(captionLabel("LCloneBy", QStringLiteral("Clone:"), this)),
      LClone(valueLabel("LClone", this)),
      LPathBy(captionLabel("LPathBy", QStringLiteral("Path:"), this)),
      LPath(valueLabel("LPath", this)),
      LFactsBy(captionLabel("LFactsBy", QStringLiteral("Made:"), this)),
      LFacts(valueLabel("LFacts", this)) {
    setObjectName(QStringLiteral("SelectionLabels"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(LEmuBy, 0, 0);
    grid->addWidget(LEmu, 0, 1, 1, 3);
    grid->addWidget(LSnBy, 1, 0);
    grid->addWidget(LSn, 1, 1);
    grid->addWidget(LCloneBy, 1, 2);
    grid->addWidget(LClone, 1, 3);
    grid->addWidget(LPathBy, 2, 0);
    grid->addWidget(LPath, 2, 1, 1, 3);
    grid->addWidget(LFactsBy, 3, 0);
    grid->addWidget(LFacts, 3, 1, 1, 3);
    // Only a MAME game has the line; for the others the area stays as it was.
    LFactsBy->hide();
    LFacts->hide();
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

void SelectionLabels::Show(const SelectionInfo& info) {
    LEmu->setText(info.emulator);
    LSn->setText(info.shortName);
    LClone->setText(info.clone);
    LPath->setText(info.path);
    LFacts->setText(info.facts);
    LFactsBy->setVisible(!info.facts.isEmpty());
    LFacts->setVisible(!info.facts.isEmpty());
}

void SelectionLabels::ShowEmulator(const QString& listName) {
    showAtOnce(LEmu, listName);
}

void SelectionLabels::ShowNames(const QString& listName, const QString& shortName,
                                const QString& parentName) {
    showAtOnce(LEmu, listName);
    showAtOnce(LSn, shortName);
    showAtOnce(LClone, parentName);
}

void SelectionLabels::ShowPath(const QString& location) {
    showAtOnce(LPath, location);
}
