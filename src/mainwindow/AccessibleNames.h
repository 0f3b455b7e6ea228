#pragma once
// The names assistive technology reads for the main window's controls, taken from what the
// window shows: each input and selector is named by its caption and the unit label beside
// it ("Bearing Length (w1), in."), the preview by its tooltip and the results grid "Results".
// Names change nothing on screen. apply() runs once the layout is built and again after every
// unit switch, so the names follow the unit captions.

#include <QString>

#include "Form1Controls.h"

namespace bpd::mainwindow {

class AccessibleNames {
public:
    static constexpr const char* kResultsName = "Results";

    // "Bearing Length (w1)" and "in." -> "Bearing Length (w1), in."; a caption without a unit
    // beside it is the name alone. Line breaks of a wrapped caption read as blanks.
    static QString fieldName(const QString& caption, const QString& unit);

    static void apply(const Form1Controls& controls);
};

}  // namespace bpd::mainwindow
