#include "app/TFMain.h"

// Entry point of the picture display; the picture lookup fills it in.
void TFMain::ShowGamePicture(int emulatorIndex, const QString& shortName,
                             const QString& entryName) {}
