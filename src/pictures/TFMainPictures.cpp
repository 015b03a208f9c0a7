// The picture display of the main window.
#include "app/TFMain.h"

// Entry point for the picture display; until pictures are shown it leaves the view as it is.
void TFMain::ShowGamePicture(int emulatorIndex, const QString& shortName,
                             const QString& entryName) {}
