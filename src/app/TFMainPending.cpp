// Entry points that start-up calls and that the subsystems still to come
// fill in: the picture walk, the drive search, the list build and the list
// view. Until then they leave everything as it is.
#include "app/TFMain.h"

void TFMain::UpdatePictureIndex() {}
