#include "app/TFMain.h"

// List maintenance fills this in; the lists already call it on Delete.
void TFMain::Removefromlist1Click() {}
