#include "app/TFMain.h"

// The game launch fills this in; the lists already call it to play.
void TFMain::BPlayClick() {}
