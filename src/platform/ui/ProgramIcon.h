#pragma once

#include <QIcon>

// The program's icon, the one the installer puts in the desktop's menu:
// drawn from its SVG at any size (Qt's SVG icon engine, from libqt6svg6).
QIcon programIcon();
