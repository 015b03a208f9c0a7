// Entry points that the running program already calls and that subsystems
// still to come fill in: list maintenance. Until then they leave everything
// as it is.
#include "app/ui/TFMain.h"

// The Delete key on a list.
void TFMain::Removefromlist1Click() {}
