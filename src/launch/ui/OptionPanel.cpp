#include "launch/ui/OptionPanel.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <vector>

#include <QScopedValueRollback>

#include "catalogue/EmulatorDefinition.h"
#include "context/AppContext.h"
#include "context/BatchRunner.h"
#include "context/SelectionSource.h"
#include "launch/JoyEmuPanel.h"
#include "launch/OptionPanelLoad.h"
#include "launch/OptionPanelTexts.h"
#include "settings/KeyPath.h"
#include "tools/ToolLocations.h"

namespace {

void setHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

template <class Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox* newCheckBox(QWidget* parent, const CheckGroupInfo& group) {
    auto* box = named(new QCheckBox(QString::fromUtf16(group.caption), parent), group.control);
    setHint(box, QString::fromUtf16(group.hint));
    box->setChecked(group.checkedAtStart);
    return box;
}

QComboBox* newList(QWidget* parent, const ListGroupInfo& group) {
    auto* list = named(new QComboBox(parent), group.control);
    list->setMaxVisibleItems(30);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(14);
    list->addItems(QString::fromUtf16(group.designItems).split(u'\n', Qt::SkipEmptyParts));
    list->setCurrentIndex(-1);
    setHint(list, QString::fromUtf16(group.hint));
    return list;
}

QLabel* newLabel(QWidget* parent, const char* name, const QString& caption, QWidget* buddy,
                 const QString& hint) {
    auto* label = named(new QLabel(caption, parent), name);
    label->setBuddy(buddy);
    if (!hint.isEmpty()) {
        setHint(label, hint);
    }
    return label;
}

// A click on LExtraGraphics stores the Extra choice, as leaving its list does.
class LabelClickWatch : public QObject {
public:
    LabelClickWatch(QObject* label, std::function<void()> onClick)
        : label_(label), onClick_(std::move(onClick)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            onClick_();
        }
        return false;
    }

private:
    QObject* label_;
    std::function<void()> onClick_;
};

}  // namespace

OptionPanel::OptionPanel(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                         SelectionSource& selection, const ToolLocations& tools, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      selection_(selection),
      tools_(tools) {
    QWidget* p = this;
    setObjectName(QStringLiteral("POptions"));

    CreateGroupControls();

    const QString joyEmuHint = QString::fromUtf16(PanelText::kJoyEmuHint);
    EJoyEmu = named(new QLineEdit(p), "EJoyEmu");
    setHint(EJoyEmu, joyEmuHint);
    LJoyemu =
        newLabel(p, "LJoyemu", QString::fromUtf16(PanelText::kJoyEmuLabel), EJoyEmu, joyEmuHint);
    BJoyEmu = named(new QPushButton(p), "BJoyEmu");
    BJoyEmu->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    setHint(BJoyEmu, joyEmuHint);
    BJoyCP = named(new QPushButton(QString::fromUtf16(PanelText::kJoyCpCaption), p), "BJoyCP");
    setHint(BJoyCP, QString::fromUtf16(PanelText::kJoyCpHint));
    const QString additionalHint = QString::fromUtf16(PanelText::kAdditionalHint);
    EAdditional = named(new QLineEdit(p), "EAdditional");
    setHint(EAdditional, additionalHint);
    LAdditional = newLabel(p, "LAdditional", QString::fromUtf16(PanelText::kAdditionalLabel),
                           EAdditional, additionalHint);

    CreateLayout();
    guard_.connect(BJoyEmu, &QPushButton::clicked, this, &OptionPanel::BJoyEmuClick);
    guard_.connect(BJoyCP, &QPushButton::clicked, this, &OptionPanel::BJoyCPClick);
    WatchExtraLabel();
    // No group until an entry says which its emulator offers.
    ShowGroups(PanelLayoutFor(nullptr));
}

OptionPanel::~OptionPanel() = default;

void OptionPanel::CreateGroupControls() {
    // In the order of the groups, the line count after its box: the focus
    // moves through the panel in this order.
    for (const CheckGroupInfo& group : kCheckGroups) {
        checks_[size_t(index(group.group))] = newCheckBox(this, group);
        if (group.group != CheckGroup::LinesOffscreen) {
            continue;
        }
        check(CheckGroup::LinesOffscreen)
            ->setText(QString::fromUtf16(PanelText::kLinesOffscreenDesignCaption));
        SELinesOffscreen = named(new QSpinBox(this), "SELinesOffscreen");
        SELinesOffscreen->setRange(0, 32);
        SELinesOffscreen->setValue(8);
        if (auto* edit = SELinesOffscreen->findChild<QLineEdit*>()) {
            edit->setMaxLength(2);
        }
        LLinesOffscreen =
            newLabel(this, "LLinesOffscreen", QString::fromUtf16(PanelText::kLinesOffscreenLabel),
                     SELinesOffscreen, QString());
    }
    for (const ListGroupInfo& group : kListGroups) {
        QComboBox* const box = newList(this, group);
        lists_[size_t(index(group.group))] = box;
        listLabels_[size_t(index(group.group))] =
            newLabel(this, group.label, QString::fromUtf16(group.caption), box,
                     QString::fromUtf16(group.labelHint));
    }
}

void OptionPanel::CreateLayout() {
    // The rows keep their height and sit at the top: a hidden group's row
    // then takes no room at all.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    column->addLayout(grid);
    column->addStretch(1);
    int row = 0;
    grid->addWidget(check(CheckGroup::Vector), row, 0);
    grid->addWidget(check(CheckGroup::Synch), row++, 1);
    auto* lines = new QHBoxLayout;
    lines->addWidget(check(CheckGroup::LinesOffscreen));
    lines->addWidget(SELinesOffscreen);
    lines->addWidget(LLinesOffscreen);
    lines->addStretch(1);
    grid->addLayout(lines, row++, 0, 1, 2);
    grid->addWidget(check(CheckGroup::FMMusic), row, 0);
    grid->addWidget(check(CheckGroup::Joystick), row++, 1);
    grid->addWidget(check(CheckGroup::Mouse), row, 0);
    grid->addWidget(check(CheckGroup::Trackball), row++, 1);
    grid->addWidget(check(CheckGroup::FourWay), row, 0);
    grid->addWidget(check(CheckGroup::Cheat), row++, 1);
    for (size_t g = 0; g < lists_.size(); ++g) {
        grid->addWidget(listLabels_[g], row, 0);
        grid->addWidget(lists_[g], row++, 1);
    }
    auto* joyEmu = new QHBoxLayout;
    joyEmu->addWidget(EJoyEmu, 1);
    joyEmu->addWidget(BJoyEmu);
    joyEmu->addWidget(BJoyCP);
    grid->addWidget(LJoyemu, row, 0);
    grid->addLayout(joyEmu, row++, 1);
    grid->addWidget(LAdditional, row, 0);
    grid->addWidget(EAdditional, row++, 1);
    grid->setColumnStretch(1, 1);
    // Rows close together: with every group shown the panel stays short
    // enough for a 768-pixel screen beside the picture.
    grid->setVerticalSpacing(3);
    // As wide as with every group shown, whatever a selection shows: the
    // game list beside it keeps its width from one selection to the next.
    setFixedWidth(sizeHint().width());
    fullHeight_ = sizeHint().height();
}

OptionPanel::ExitHandler OptionPanel::ExitHandlerOf(const QWidget* widget) const {
    std::vector<std::pair<const QWidget*, ExitHandler>> handlers = {
        {SELinesOffscreen, &OptionPanel::SELinesOffscreenExit},
        {EJoyEmu, &OptionPanel::EJoyEmuExit},
        {EAdditional, &OptionPanel::EAdditionalExit},
    };
    for (int g = 0; g < kCheckGroupCount; ++g) {
        handlers.emplace_back(checks_[size_t(g)], StoreHandler(CheckGroup(g)));
    }
    for (int g = 0; g < kListGroupCount; ++g) {
        handlers.emplace_back(lists_[size_t(g)], StoreHandler(ListGroup(g)));
    }
    // The focus may sit in a widget inside a control; a drop-down's open list
    // is a window of its own and so belongs to no control here.
    for (const QWidget* w = widget; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
        for (const auto& [control, handler] : handlers) {
            if (control == w) {
                return handler;
            }
        }
    }
    return nullptr;
}

void OptionPanel::WatchExtraLabel() {
    QLabel* const label = listLabels_[size_t(index(ListGroup::Extra))];
    auto watch = std::make_unique<LabelClickWatch>(
        label, [this] { guard_.run([this] { CBExtraGraphicsExit(); }); });
    label->installEventFilter(watch.get());
    extraLabelWatch_ = std::move(watch);
}

void OptionPanel::FocusMoved(QWidget* old, QWidget* now) {
    if (loading_ || old == nullptr) {
        return;
    }
    if (now != nullptr && now->window()->windowType() == Qt::Popup) {
        return;  // a drop-down opening: the focus stays with its control
    }
    const ExitHandler handler = ExitHandlerOf(old);
    if (handler == nullptr || (now != nullptr && ExitHandlerOf(now) == handler)) {
        return;
    }
    guard_.run([this, handler] { (this->*handler)(); });
}

void OptionPanel::Load(const EmulatorDefinition* emulator, const QString& entryName) {
    // Hiding a focused control moves the focus; that is no user's exit.
    const QScopedValueRollback loading(loading_, true);
    ApplyPanelLayout(PanelLayoutFor(emulator));
    if (emulator != nullptr) {
        SettingsStore store = ctx_.store();
        ApplyOptionLevel(ReadOptionLevel(store, StorePaths::Specific(emulator->lbName), *emulator));
        ApplyOptionLevel(ReadOptionLevel(store, StorePaths::Specific(entryName), *emulator));
    }
}

void OptionPanel::ShowNoGroup() {
    const QScopedValueRollback loading(loading_, true);
    ShowGroups(PanelLayoutFor(nullptr));
}

void OptionPanel::ApplyPanelLayout(const PanelLayout& layout) {
    ShowGroups(layout);
    for (size_t g = 0; g < checks_.size(); ++g) {
        checks_[g]->setText(layout.checks[g].caption);
        setHint(checks_[g], layout.checks[g].hint);
    }
    SELinesOffscreen->setRange(layout.linesMin, layout.linesMax);
    SELinesOffscreen->setValue(layout.linesDefault);

    for (size_t g = 0; g < lists_.size(); ++g) {
        if (layout.lists[g].visible) {
            lists_[g]->clear();
            lists_[g]->addItems(layout.lists[g].items);
            lists_[g]->setCurrentIndex(-1);
        }
    }
}

void OptionPanel::ShowGroups(const PanelLayout& layout) {
    for (size_t g = 0; g < checks_.size(); ++g) {
        checks_[g]->setVisible(layout.checks[g].visible);
    }
    const bool linesVisible = layout.checks[size_t(index(CheckGroup::LinesOffscreen))].visible;
    SELinesOffscreen->setVisible(linesVisible);
    LLinesOffscreen->setVisible(linesVisible);

    for (size_t g = 0; g < lists_.size(); ++g) {
        lists_[g]->setVisible(layout.lists[g].visible);
        listLabels_[g]->setVisible(layout.lists[g].visible);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{LJoyemu, EJoyEmu, BJoyEmu, BJoyCP}) {
        w->setVisible(layout.joyEmuVisible);
    }
    LAdditional->setVisible(layout.additionalVisible);
    EAdditional->setVisible(layout.additionalVisible);
}

void OptionPanel::ApplyOptionLevel(const OptionLevel& level) {
    for (size_t g = 0; g < checks_.size(); ++g) {
        if (level.checks[g]) {
            checks_[g]->setChecked(*level.checks[g]);
        }
    }
    if (level.linesOffscreen) {
        if (const std::optional<int> number = LinesOffscreenNumber(*level.linesOffscreen)) {
            SELinesOffscreen->setValue(*number);
        }
    }
    for (size_t g = 0; g < lists_.size(); ++g) {
        if (level.lists[g]) {
            // The first item equal ignoring case; none selected when nothing matches.
            lists_[g]->setCurrentIndex(lists_[g]->findText(*level.lists[g], Qt::MatchFixedString));
        }
    }
    if (level.joyEmuKeyfile) {
        EJoyEmu->setText(*level.joyEmuKeyfile);
    }
    if (level.additional) {
        EAdditional->setText(*level.additional);
    }
}

void OptionPanel::BJoyEmuClick() {
    const OpenFileRequest request = JoyEmuKeyfileRequest(ctx_.fs(), EJoyEmu->text(), tools_.joyCp);
    if (const std::optional<QString> chosen = ctx_.dialogs().openFile(request)) {
        const QString dosPath = ctx_.fs().toDos(*chosen);
        if (dosPath.isEmpty()) {
            ctx_.dialogs().messageBox(*chosen + QStringLiteral(" is on none of the DOS drives"),
                                      MessageKind::Warning, MessageButtons::Ok);
        } else {
            EJoyEmu->setText(dosPath);
        }
    }
    EJoyEmuExit();
}

void OptionPanel::BJoyCPClick() {
    const RunOutcome run = BatchRunner(ctx_).RunScript(
        JoyCpScript(tools_.joyCp, ctx_.executablePath()), ShowMode::Normal);
    if (!run.ok()) {
        ctx_.dialogs().messageBox(u"JoyCP cannot be run: " + run.message(), MessageKind::Error,
                                  MessageButtons::Ok);
        return;
    }
    // No game was launched: the close is an ordinary exit and counts no play.
    emit closeRequested();
}
