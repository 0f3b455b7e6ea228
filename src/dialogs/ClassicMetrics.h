#pragma once
// Window measures shared by the program's small windows. Twips and the classic font are in
// the platform layer (Twips.h, ClassicFonts.h), shared with the main window.

#include "ClassicFonts.h"
#include "Twips.h"
#include "WindowPlacement.h"

class QWidget;

namespace bpd::dialogs {

// A fixed-size window without minimise or maximise button.
void fixWindowSize(QWidget* window, int clientWidthTwips, int clientHeightTwips);

// Widens a one-line label to its text where the desktop's substitute font runs wider than the
// classic font the layout was measured with, so no text is cut; position and height stay.
void fitLabelWidth(QWidget* label);

}  // namespace bpd::dialogs
