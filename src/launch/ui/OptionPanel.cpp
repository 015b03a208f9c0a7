#include "launch/ui/OptionPanel.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>

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

QCheckBox* newCheckBox(QWidget* parent, const char* name, CheckGroup group) {
    const CheckControlText& text = CheckControlTexts()[size_t(index(group))];
    auto* box = named(new QCheckBox(text.caption, parent), name);
    setHint(box, text.hint);
    return box;
}

QComboBox* newList(QWidget* parent, const char* name, ListGroup group) {
    const ListControlText& text = ListControlTexts()[size_t(index(group))];
    auto* list = named(new QComboBox(parent), name);
    list->setMaxVisibleItems(30);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(14);
    list->addItems(text.designItems);
    list->setCurrentIndex(-1);
    setHint(list, text.hint);
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

QLabel* newListLabel(QWidget* parent, const char* name, ListGroup group, QComboBox* list) {
    const ListControlText& text = ListControlTexts()[size_t(index(group))];
    return newLabel(parent, name, text.label, list, text.labelHint);
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

    CBVector = newCheckBox(p, "CBVector", CheckGroup::Vector);
    CBSynchronizeVideo = newCheckBox(p, "CBSynchronizeVideo", CheckGroup::Synch);
    CBLinesOffscreen = newCheckBox(p, "CBLinesOffscreen", CheckGroup::LinesOffscreen);
    CBLinesOffscreen->setText(QString::fromUtf16(PanelText::kLinesOffscreenDesignCaption));
    SELinesOffscreen = named(new QSpinBox(p), "SELinesOffscreen");
    SELinesOffscreen->setRange(0, 32);
    SELinesOffscreen->setValue(8);
    if (auto* edit = SELinesOffscreen->findChild<QLineEdit*>()) {
        edit->setMaxLength(2);
    }
    LLinesOffscreen =
        newLabel(p, "LLinesOffscreen", QString::fromUtf16(PanelText::kLinesOffscreenLabel),
                 SELinesOffscreen, QString());
    CBFMMusic = newCheckBox(p, "CBFMMusic", CheckGroup::FMMusic);
    CBFMMusic->setChecked(true);
    CBJoystick = newCheckBox(p, "CBJoystick", CheckGroup::Joystick);
    CBJoystick->setChecked(true);
    CBMouse = newCheckBox(p, "CBMouse", CheckGroup::Mouse);
    CBTrackball = newCheckBox(p, "CBTrackball", CheckGroup::Trackball);
    CB4wayJoystick = newCheckBox(p, "CB4wayJoystick", CheckGroup::FourWay);
    CBCheat = newCheckBox(p, "CBCheat", CheckGroup::Cheat);

    CBResolution = newList(p, "CBResolution", ListGroup::Resolutions);
    LResolution = newListLabel(p, "LResolution", ListGroup::Resolutions, CBResolution);
    CBFrameSkipping = newList(p, "CBFrameSkipping", ListGroup::FrameSkip);
    LFrameSkipping = newListLabel(p, "LFrameSkipping", ListGroup::FrameSkip, CBFrameSkipping);
    CBVesaMode = newList(p, "CBVesaMode", ListGroup::VesaMode);
    LVesaMode = newListLabel(p, "LVesaMode", ListGroup::VesaMode, CBVesaMode);
    CBExtraGraphics = newList(p, "CBExtraGraphics", ListGroup::Extra);
    LExtraGraphics = newListLabel(p, "LExtraGraphics", ListGroup::Extra, CBExtraGraphics);
    CBSound = newList(p, "CBSound", ListGroup::Sound);
    LSound = newListLabel(p, "LSound", ListGroup::Sound, CBSound);
    CBRotate = newList(p, "CBRotate", ListGroup::Rotate);
    LRotate = newListLabel(p, "LRotate", ListGroup::Rotate, CBRotate);
    CBController1 = newList(p, "CBController1", ListGroup::Controller1);
    LController1 = newListLabel(p, "LController1", ListGroup::Controller1, CBController1);
    CBController2 = newList(p, "CBController2", ListGroup::Controller2);
    LController2 = newListLabel(p, "LController2", ListGroup::Controller2, CBController2);

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

std::array<QLabel*, kListGroupCount> OptionPanel::ListLabels() const {
    return {LResolution, LFrameSkipping, LVesaMode,    LExtraGraphics,
            LSound,      LRotate,        LController1, LController2};
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
    grid->addWidget(CBVector, row, 0);
    grid->addWidget(CBSynchronizeVideo, row++, 1);
    auto* lines = new QHBoxLayout;
    lines->addWidget(CBLinesOffscreen);
    lines->addWidget(SELinesOffscreen);
    lines->addWidget(LLinesOffscreen);
    lines->addStretch(1);
    grid->addLayout(lines, row++, 0, 1, 2);
    grid->addWidget(CBFMMusic, row, 0);
    grid->addWidget(CBJoystick, row++, 1);
    grid->addWidget(CBMouse, row, 0);
    grid->addWidget(CBTrackball, row++, 1);
    grid->addWidget(CB4wayJoystick, row, 0);
    grid->addWidget(CBCheat, row++, 1);
    const auto labels = ListLabels();
    const auto lists = ListBoxes();
    for (size_t g = 0; g < lists.size(); ++g) {
        grid->addWidget(labels[g], row, 0);
        grid->addWidget(lists[g], row++, 1);
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
    const std::array<std::pair<const QWidget*, ExitHandler>, 20> handlers = {{
        {CBVector, &OptionPanel::CBVectorExit},
        {CBResolution, &OptionPanel::CBResolutionExit},
        {CBSynchronizeVideo, &OptionPanel::CBSynchronizeVideoExit},
        {CBFrameSkipping, &OptionPanel::CBFrameSkippingExit},
        {CBVesaMode, &OptionPanel::CBVesaModeExit},
        {CBExtraGraphics, &OptionPanel::CBExtraGraphicsExit},
        {CBLinesOffscreen, &OptionPanel::CBLinesOffscreenExit},
        {SELinesOffscreen, &OptionPanel::SELinesOffscreenExit},
        {CBFMMusic, &OptionPanel::CBFMMusicExit},
        {CBSound, &OptionPanel::CBSoundExit},
        {CBRotate, &OptionPanel::CBRotateExit},
        {CBJoystick, &OptionPanel::CBJoystickExit},
        {CBMouse, &OptionPanel::CBMouseExit},
        {CBTrackball, &OptionPanel::CBTrackballExit},
        {CB4wayJoystick, &OptionPanel::CB4wayJoystickExit},
        {EJoyEmu, &OptionPanel::EJoyEmuExit},
        {EAdditional, &OptionPanel::EAdditionalExit},
        {CBCheat, &OptionPanel::CBCheatExit},
        {CBController1, &OptionPanel::CBController1Exit},
        {CBController2, &OptionPanel::CBController2Exit},
    }};
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
    auto watch = std::make_unique<LabelClickWatch>(
        LExtraGraphics, [this] { guard_.run([this] { CBExtraGraphicsExit(); }); });
    LExtraGraphics->installEventFilter(watch.get());
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
    const auto checks = CheckBoxes();
    for (size_t g = 0; g < checks.size(); ++g) {
        checks[g]->setText(layout.checks[g].caption);
        setHint(checks[g], layout.checks[g].hint);
    }
    SELinesOffscreen->setRange(layout.linesMin, layout.linesMax);
    SELinesOffscreen->setValue(layout.linesDefault);

    const auto lists = ListBoxes();
    for (size_t g = 0; g < lists.size(); ++g) {
        if (layout.lists[g].visible) {
            lists[g]->clear();
            lists[g]->addItems(layout.lists[g].items);
            lists[g]->setCurrentIndex(-1);
        }
    }
}

void OptionPanel::ShowGroups(const PanelLayout& layout) {
    const auto checks = CheckBoxes();
    for (size_t g = 0; g < checks.size(); ++g) {
        checks[g]->setVisible(layout.checks[g].visible);
    }
    const bool linesVisible = layout.checks[size_t(index(CheckGroup::LinesOffscreen))].visible;
    SELinesOffscreen->setVisible(linesVisible);
    LLinesOffscreen->setVisible(linesVisible);

    const auto lists = ListBoxes();
    const auto labels = ListLabels();
    for (size_t g = 0; g < lists.size(); ++g) {
        lists[g]->setVisible(layout.lists[g].visible);
        labels[g]->setVisible(layout.lists[g].visible);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{LJoyemu, EJoyEmu, BJoyEmu, BJoyCP}) {
        w->setVisible(layout.joyEmuVisible);
    }
    LAdditional->setVisible(layout.additionalVisible);
    EAdditional->setVisible(layout.additionalVisible);
}

void OptionPanel::ApplyOptionLevel(const OptionLevel& level) {
    const auto checks = CheckBoxes();
    for (size_t g = 0; g < checks.size(); ++g) {
        if (level.checks[g]) {
            checks[g]->setChecked(*level.checks[g]);
        }
    }
    if (level.linesOffscreen) {
        if (const std::optional<int> number = LinesOffscreenNumber(*level.linesOffscreen)) {
            SELinesOffscreen->setValue(*number);
        }
    }
    const auto lists = ListBoxes();
    for (size_t g = 0; g < lists.size(); ++g) {
        if (level.lists[g]) {
            // The first item equal ignoring case; none selected when nothing matches.
            lists[g]->setCurrentIndex(lists[g]->findText(*level.lists[g], Qt::MatchFixedString));
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
