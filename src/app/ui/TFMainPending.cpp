// Entry points that the running program already calls and that subsystems
// still to come fill in: the picture walk and display and the game launch.
// Until then they leave everything as it is.
#include "app/ui/TFMain.h"

// Start-up runs this when picture.dir is missing.
void TFMain::UpdatePictureIndex() {}

// The selection refresh and the list build ask for a picture here.
void TFMain::ShowGamePicture(int emulatorIndex, const QString& shortName,
                             const QString& entryName) {}

// Play button, double click, Enter, "1", "2" and joystick button 1.
void TFMain::BPlayClick() {}
