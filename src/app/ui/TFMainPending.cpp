// Entry points that the running program already calls and that subsystems
// still to come fill in: the game launch and list maintenance. Until then
// they leave everything as it is.
#include "app/ui/TFMain.h"

// Play button, double click, Enter, "1", "2" and joystick button 1.
void TFMain::BPlayClick() {}

// The Delete key on a list.
void TFMain::Removefromlist1Click() {}
