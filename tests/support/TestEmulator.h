#pragma once

#include <QString>

#include "catalogue/EmulatorDefinition.h"

// A loaded emulator as the table holds it, named "<ID> {x}".
inline EmulatorDefinition testEmulator(const QString& id,
                                       const QString& type = QStringLiteral("MULTI")) {
    EmulatorDefinition definition;
    definition.emulatorId = id;
    definition.lbName = id + QStringLiteral(" {x}");
    definition.type = type;
    return definition;
}
