#include "launch/JoyEmuPanel.h"

#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"

OpenFileRequest JoyEmuKeyfileRequest(const DosFileSystem& fs, const QString& keyFile,
                                     const QString& joyCpLocation) {
    OpenFileRequest request;
    request.title = QStringLiteral("Select JoyEmu Keyfile");
    request.filter = QStringLiteral("JoyEmu Keyfiles (*.KS)|*.KS");
    request.defaultExtension = QStringLiteral("KS");
    const QString hostKeyFile = keyFile.isEmpty() ? QString() : fs.resolve(keyFile);
    request.initialFile = hostKeyFile.isEmpty() ? keyFile : hostKeyFile;
    const QString folder = DosPath::directoryPart(joyCpLocation);
    request.initialFolder = folder.isEmpty() ? QString() : fs.resolve(folder);
    return request;
}

QStringList JoyCpScript(const QString& joyCpLocation, const QString& executablePath) {
    return {joyCpLocation.left(2),
            QStringLiteral("cd ") +
                DosPath::withTrailingBackslash(DosPath::directoryPart(joyCpLocation)),
            QStringLiteral("joycp"), u'"' + executablePath + u'"'};
}
