#include "support/VirtualPad.h"

#include <SDL2/SDL.h>

#include <stdexcept>
#include <string>

namespace {
void initJoysticks() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0) {
        throw std::runtime_error(std::string("SDL's joysticks: ") + SDL_GetError());
    }
}

void quitJoysticks() {
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
}
}  // namespace

VirtualPad::VirtualPad(const Layout& layout, const QString& mapping) {
    initJoysticks();
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    // A plain joystick, which SDL maps only when told how.
    desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.naxes = Uint16(layout.axes);
    desc.nbuttons = Uint16(layout.buttons);
    desc.nhats = Uint16(layout.hats);
    desc.name = layout.name;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) {
        quitJoysticks();
        throw std::runtime_error(std::string("no virtual pad: ") + SDL_GetError());
    }
    if (!mapping.isEmpty()) {
        // Mapping lines name a pad without the checksum of its name (bytes 2
        // and 3), as SDL's own database and SDL_GAMECONTROLLERCONFIG do; SDL
        // finds no mapping by the full GUID.
        SDL_JoystickGUID id = SDL_JoystickGetDeviceGUID(index);
        id.data[2] = 0;
        id.data[3] = 0;
        char guid[33];
        SDL_JoystickGetGUIDString(id, guid, sizeof guid);
        const QByteArray line = QByteArray(guid) + ',' + layout.name + ',' + mapping.toUtf8();
        if (SDL_GameControllerAddMapping(line.constData()) < 0) {
            throw std::runtime_error(std::string("mapping refused: ") + SDL_GetError());
        }
    }
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    if (joystick == nullptr) {
        throw std::runtime_error(std::string("virtual pad not opened: ") + SDL_GetError());
    }
    instance_ = SDL_JoystickInstanceID(joystick);
}

VirtualPad::~VirtualPad() {
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == instance_) {
            SDL_JoystickDetachVirtual(index);
            break;
        }
    }
    SDL_JoystickClose(SDL_JoystickFromInstanceID(instance_));
    quitJoysticks();
}

void VirtualPad::axis(int index, int value) {
    SDL_JoystickSetVirtualAxis(SDL_JoystickFromInstanceID(instance_), index, Sint16(value));
}

void VirtualPad::button(int index, bool down) {
    SDL_JoystickSetVirtualButton(SDL_JoystickFromInstanceID(instance_), index,
                                 down ? SDL_PRESSED : SDL_RELEASED);
}

void VirtualPad::hat(int bits) {
    SDL_JoystickSetVirtualHat(SDL_JoystickFromInstanceID(instance_), 0, Uint8(bits));
}

QString VirtualPad::unusableBecause() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        return QStringLiteral("SDL's joysticks: ") + QString::fromUtf8(SDL_GetError());
    }
    QString reason;
    SDL_JoystickUpdate();
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickIsVirtual(index) == SDL_FALSE) {
            reason = QStringLiteral(
                "a pad is plugged into this machine: it, not a virtual one, "
                "would be joystick 1");
        }
    }
    if (reason.isEmpty()) {
        const int probe = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 2, 1);
        if (probe < 0) {
            reason = QStringLiteral("SDL has no virtual joysticks: ") +
                     QString::fromUtf8(SDL_GetError());
        } else {
            SDL_JoystickDetachVirtual(probe);
        }
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    return reason;
}
