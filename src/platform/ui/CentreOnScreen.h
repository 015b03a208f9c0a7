#pragma once

class QWidget;

// Puts a window, frame included, in the middle of the primary screen's
// work area: the dialogs that ask something of the user appear where the
// eye is, not where the window system happens to place them.
void centreOnScreen(QWidget& window);
