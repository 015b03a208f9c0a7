#pragma once

#include <sys/stat.h>

#include <QFile>
#include <QString>

#include "catalogue/EmulatorDefinition.h"

// Small helpers shared by the tools tests.
namespace ToolsTest {

inline EmulatorDefinition Emulator(const QString& lbName, const QString& id,
                                   const QString& extensions = QString()) {
    EmulatorDefinition definition;
    definition.lbName = lbName;
    definition.emulatorId = id;
    definition.extensions = extensions;
    return definition;
}

inline mode_t ModeOf(const QString& hostPath) {
    struct stat st {};
    return ::stat(QFile::encodeName(hostPath).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

inline void SetMode(const QString& hostPath, mode_t mode) {
    ::chmod(QFile::encodeName(hostPath).constData(), mode);
}

}  // namespace ToolsTest
