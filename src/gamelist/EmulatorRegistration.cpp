#include "gamelist/EmulatorRegistration.h"

#include "catalogue/EmulatorDefinition.h"
#include "catalogue/OptionGroups.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace EmulatorRegistration {
namespace {

class ValueList {
public:
    explicit ValueList(const EmulatorDefinition& emulator) : emulator_(emulator) {}

    void firstCaption(ListGroup group) {
        const ListGroupDefinition& list = emulator_.list(group);
        if (list.present && !list.captions.isEmpty()) {
            add(optionValue(group), list.captions.front());
        }
    }
    void flag(CheckGroup group, bool value) {
        if (emulator_.check(group).present) {
            add(optionValue(group), value);
        }
    }
    template <typename T>
    void add(const StoreSchema::StoreValue<T>& name, T value) {
        values_.push_back(InitialValue{name.name(), std::move(value)});
    }
    std::vector<InitialValue> take() { return std::move(values_); }

private:
    const EmulatorDefinition& emulator_;
    std::vector<InitialValue> values_;
};

}  // namespace

std::vector<InitialValue> InitialOptionValues(const EmulatorDefinition& emulator,
                                              int emulatorIndex) {
    ValueList v(emulator);
    v.firstCaption(ListGroup::Resolutions);
    v.flag(CheckGroup::Vector, false);
    v.flag(CheckGroup::Synch, emulatorIndex == kSynchronizedEmulatorIndex);
    v.firstCaption(ListGroup::FrameSkip);
    v.firstCaption(ListGroup::VesaMode);
    v.firstCaption(ListGroup::Extra);
    v.flag(CheckGroup::LinesOffscreen, false);
    if (emulator.check(CheckGroup::LinesOffscreen).present) {
        // The line count starts at 8 whatever the definition's Default says.
        v.add(StoreSchema::kLinesOffscreen, QStringLiteral("8"));
    }
    v.firstCaption(ListGroup::Sound);
    v.flag(CheckGroup::FMMusic, true);
    v.firstCaption(ListGroup::Rotate);
    v.flag(CheckGroup::Joystick, true);
    v.flag(CheckGroup::Mouse, false);
    v.flag(CheckGroup::Trackball, false);
    if (emulator.showJoyEmu) {
        v.add(StoreSchema::kJoyEmuKeyfile, QString());
    }
    v.flag(CheckGroup::FourWay, false);
    v.flag(CheckGroup::Cheat, false);
    if (emulator.showAdditional) {
        v.add(StoreSchema::kAdditional, QString());
    }
    v.firstCaption(ListGroup::Controller1);
    v.firstCaption(ListGroup::Controller2);
    return v.take();
}

void RegisterEmulator(SettingsStore& store, const EmulatorDefinition& emulator, int emulatorIndex,
                      const QString& executable) {
    store.OpenKey(StorePaths::Entry(emulator.lbName), true);
    StoreSchema::kLocation.writeTo(store, executable);
    StoreSchema::kEmulator.writeTo(store, emulator.emulatorId);
    store.OpenKey(StorePaths::Specific(emulator.lbName), true);
    for (const InitialValue& initial : InitialOptionValues(emulator, emulatorIndex)) {
        if (const auto* text = std::get_if<QString>(&initial.value)) {
            store.WriteString(initial.name, *text);
        } else {
            store.WriteBool(initial.name, std::get<bool>(initial.value));
        }
    }
}

}  // namespace EmulatorRegistration
