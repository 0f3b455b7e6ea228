#pragma once
// The static make-up of the main window, built from the layout tables: every control with
// its container, place and size (twips, 15 to a pixel), texts, font, colours, tooltip, tab
// order and stacking, the results grid's design settings and the menu bar.

#include <QLocale>
#include <QRect>

#include "Form1Controls.h"

class QMenuBar;
class QWidget;

namespace bpd::mainwindow {

class Form1Layout {
public:
    static constexpr int kClientWidthTwips = 12720;
    static constexpr int kClientHeightTwips = 5610;

    static QSize clientSize();

    // Builds the controls into client (the window's client area) and the menus into menuBar.
    // Opening number texts are written with the locale's decimal separator.
    static Form1Controls build(QWidget* client, QMenuBar* menuBar,
                               const QLocale& locale = QLocale());
};

}  // namespace bpd::mainwindow
