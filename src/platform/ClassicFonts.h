#pragma once
// The windows' font, MS Sans Serif 8.25 pt, on a desktop that does not have it.
//
// The name is mapped to a metric-friendly sans-serif (Liberation Sans, then Arial). The size
// is given in pixels (11 px is 8.25 pt at 96 dpi) because the whole layout is in pixels of a
// 96-dpi screen; Qt scales both together on other screens.

#include <QFont>

namespace bpd::platform {

class ClassicFonts {
public:
    static constexpr const char* kFamily = "MS Sans Serif";
    static constexpr int kPixelSize = 11;

    // Maps MS Sans Serif to the installed substitute; call once before any window is built.
    static void installSubstitutes();
    // MS Sans Serif 8.25 pt, regular or bold (weight 700).
    static QFont msSansSerif(bool bold = false);
};

}  // namespace bpd::platform
