#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>
#include <array>
#include <memory>

#include "catalogue/OptionGroups.h"
#include "context/ErrorGuard.h"
#include "launch/LaunchOptions.h"

class AppContext;
class EmulatorTable;
class SelectionSource;
struct EmulatorDefinition;
struct OptionLevel;
struct PanelLayout;
struct ToolLocations;

// The option panel `POptions` of the main window: the option controls, how
// a selection fills them, and the store handlers that keep a change of the
// selected entry's options when the focus leaves a control.
class OptionPanel : public QWidget, public LaunchOptions {
    Q_OBJECT
public:
    // `tools` give JoyCP's location.
    OptionPanel(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                SelectionSource& selection, const ToolLocations& tools, QWidget* parent);
    ~OptionPanel() override;

    // Shows the groups the emulator offers and the options of the emulator
    // and then of the entry; the panel's own focus moves store nothing.
    void Load(const EmulatorDefinition* emulator, const QString& entryName);
    // Nothing is selected: no group shows.
    void ShowNoGroup();

    // The focus moved in the application: leaving a control stores its
    // value, also when the window loses the focus, or the reload on the next
    // activation would drop a change.
    void FocusMoved(QWidget* old, QWidget* now);

    Choices ChoicesForLaunch(const EmulatorDefinition& emulator) override;

    // The height the panel needs with every group shown; the window's
    // layout is planned for it, so that the picture keeps its size from one
    // selection to the next.
    int FullHeight() const { return fullHeight_; }

signals:
    // JoyCP was started: the window closes (no game was launched).
    void closeRequested();

private:
    using ExitHandler = void (OptionPanel::*)();
    // The option groups' controls, at their groups' positions
    // (catalogue/OptionGroups.h describes each).
    std::array<QCheckBox*, kCheckGroupCount> checks_{};
    std::array<QComboBox*, kListGroupCount> lists_{};
    std::array<QLabel*, kListGroupCount> listLabels_{};
    QSpinBox* SELinesOffscreen;
    QLabel* LLinesOffscreen;
    QLabel* LJoyemu;
    QLineEdit* EJoyEmu;
    QPushButton* BJoyEmu;
    QPushButton* BJoyCP;
    QLabel* LAdditional;
    QLineEdit* EAdditional;

    QCheckBox* check(CheckGroup group) const { return checks_[size_t(index(group))]; }
    QComboBox* list(ListGroup group) const { return lists_[size_t(index(group))]; }

    void BJoyEmuClick();
    void BJoyCPClick();
    // Store handlers: each stores its control's value. The launch runs the
    // list-group ones after selecting a first item.
    static ExitHandler StoreHandler(CheckGroup group);
    static ExitHandler StoreHandler(ListGroup group);
    void CBVectorExit();
    void CBResolutionExit();
    void CBSynchronizeVideoExit();
    void CBFrameSkippingExit();
    void CBVesaModeExit();
    void CBExtraGraphicsExit();
    void CBLinesOffscreenExit();
    void SELinesOffscreenExit();
    void CBFMMusicExit();
    void CBSoundExit();
    void CBRotateExit();
    void CBJoystickExit();
    void CBMouseExit();
    void CBTrackballExit();
    void CB4wayJoystickExit();
    void EJoyEmuExit();
    void EAdditionalExit();
    void CBCheatExit();
    void CBController1Exit();
    void CBController2Exit();

    void CreateGroupControls();
    void CreateLayout();
    void WatchExtraLabel();
    // What the controls show now.
    PanelChoices CurrentChoices() const;
    // A first item selected and stored for each of the emulator's lists
    // that has no selection.
    void CompleteListSelections(const EmulatorDefinition& emulator);
    // The store handler of a control, found from the control or a widget
    // inside it; none for other widgets.
    ExitHandler ExitHandlerOf(const QWidget* widget) const;
    void ApplyPanelLayout(const PanelLayout& layout);
    // Only which groups show, and nothing of their captions or items.
    void ShowGroups(const PanelLayout& layout);
    void ApplyOptionLevel(const OptionLevel& level);
    void StoreCheckOption(CheckGroup group);
    void StoreListOption(ListGroup group);
    void StoreTextOption(const QString& valueName, const QString& text);

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    SelectionSource& selection_;
    const ToolLocations& tools_;
    // Receives the click on LExtraGraphics.
    std::unique_ptr<QObject> extraLabelWatch_;
    bool loading_ = false;
    int fullHeight_ = 0;
};
