#pragma once
// The measures of the program's small windows: positions and sizes are given in twips
// (15 per pixel at 96 dpi) and every text uses the classic 8.25 pt dialog font.

#include <QFont>
#include <QRect>

class QWidget;

namespace bpd::dialogs {

constexpr int twips(int value) { return value / 15; }
inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// MS Sans Serif 8.25 pt, with the nearest sans-serif faces of the desktop behind it.
QFont classicFont(bool bold = false);

// A fixed-size window without minimise or maximise button, centred on its screen.
void fixWindowSize(QWidget* window, int clientWidthTwips, int clientHeightTwips);
void centreOnScreen(QWidget* window);

// Widens a one-line label to its text where the desktop's substitute font runs wider than the
// classic font the layout was measured with, so no text is cut; position and height stay.
void fitLabelWidth(QWidget* label);

}  // namespace bpd::dialogs
