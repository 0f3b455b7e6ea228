#pragma once
// Windows colour values as Qt colours.
//
// The layout speaks in Windows colour values: &H00BBGGRR& is an RGB colour, &H800000nn& is
// system colour nn. The system colours are taken from the classic "Windows Standard" scheme,
// so the window looks as designed whatever the desktop theme.

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace bpd::platform {

class ClassicColours {
public:
    // Colour values used by the windows' layouts and the results grid.
    static constexpr std::uint32_t kWindowBackground = 0x80000013;  // inactive-caption text
    static constexpr std::uint32_t kButtonFace = 0x8000000F;
    static constexpr std::uint32_t kWindowText = 0x80000008;
    static constexpr std::uint32_t kButtonText = 0x80000012;
    static constexpr std::uint32_t kTooltipBackground = 0x80000018;
    static constexpr std::uint32_t kHighlight = 0x8000000D;
    static constexpr std::uint32_t kHighlightText = 0x8000000E;
    static constexpr std::uint32_t kInputBackground = 0x00FFC0C0;  // RGB(192, 192, 255)
    static constexpr std::uint32_t kGridHeader = 0x0080C0FF;       // RGB(255, 192, 128)
    static constexpr std::uint32_t kGridOutside = 0x00E0E0E0;
    static constexpr std::uint32_t kGridLines = 0x00C0C0C0;
    static constexpr std::uint32_t kGridHeaderLines = 0x00000000;
    static constexpr std::uint32_t kPass = 65280;        // green
    static constexpr std::uint32_t kFail = 255;          // red
    static constexpr std::uint32_t kEvenRow = 12648447;  // light yellow
    static constexpr std::uint32_t kOddRow = 16777215;   // white

    // An RGB value or a system colour value.
    static QColor fromWindowsValue(std::uint32_t value);
    // System colour nn (0..30) of the classic scheme; black for an unknown index.
    static QColor systemColour(int index);
    // A palette of the classic scheme for the whole program.
    static QPalette palette();
};

}  // namespace bpd::platform
