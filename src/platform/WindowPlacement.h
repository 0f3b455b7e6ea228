#pragma once
// Where the program's windows first appear: centred on their screen.

class QWidget;

namespace bpd::platform {

// Moves the window (its frame where the window system draws one) to the centre of the
// available area of its screen, or of the primary screen while it has none.
void centreOnScreen(QWidget* window);

}  // namespace bpd::platform
