#pragma once

#include <QHash>
#include <QString>

// What a MAME-type emulator's -listxml says of one machine, as far as the
// lists and the information area use it.
struct MachineFacts {
    QString year;
    QString manufacturer;
    QString driverStatus;  // "good", "imperfect", "preliminary"; empty when not given
    bool device = false;   // a part of other machines, or not runnable on its own
    bool bios = false;
    bool mechanical = false;

    // Devices and BIOS sets cannot be played: they get no entry.
    bool listed() const { return !device && !bios; }
    bool operator==(const MachineFacts&) const = default;
};

// By short name, as the emulator's list file names its games.
using MachineFactsTable = QHash<QString, MachineFacts>;
