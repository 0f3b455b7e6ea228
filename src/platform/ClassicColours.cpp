#include "ClassicColours.h"

#include <array>

namespace bpd::platform {

namespace {
// The classic "Windows Standard" scheme, by system colour index.
constexpr std::array<QRgb, 31> kClassicScheme = {
    qRgb(212, 208, 200),  //  0 scroll bar
    qRgb(58, 110, 165),   //  1 desktop
    qRgb(10, 36, 106),    //  2 active caption
    qRgb(128, 128, 128),  //  3 inactive caption
    qRgb(212, 208, 200),  //  4 menu
    qRgb(255, 255, 255),  //  5 window
    qRgb(0, 0, 0),        //  6 window frame
    qRgb(0, 0, 0),        //  7 menu text
    qRgb(0, 0, 0),        //  8 window text
    qRgb(255, 255, 255),  //  9 caption text
    qRgb(212, 208, 200),  // 10 active border
    qRgb(212, 208, 200),  // 11 inactive border
    qRgb(128, 128, 128),  // 12 application workspace
    qRgb(10, 36, 106),    // 13 highlight
    qRgb(255, 255, 255),  // 14 highlight text
    qRgb(212, 208, 200),  // 15 button face
    qRgb(128, 128, 128),  // 16 button shadow
    qRgb(128, 128, 128),  // 17 grey text
    qRgb(0, 0, 0),        // 18 button text
    qRgb(212, 208, 200),  // 19 inactive caption text
    qRgb(255, 255, 255),  // 20 button highlight
    qRgb(64, 64, 64),     // 21 3-D dark shadow
    qRgb(212, 208, 200),  // 22 3-D light
    qRgb(0, 0, 0),        // 23 tooltip text
    qRgb(255, 255, 225),  // 24 tooltip background
    qRgb(181, 181, 181),  // 25 alternate button face
    qRgb(0, 0, 128),      // 26 hot-tracking
    qRgb(166, 202, 240),  // 27 gradient active caption
    qRgb(192, 192, 192),  // 28 gradient inactive caption
    qRgb(10, 36, 106),    // 29 menu highlight
    qRgb(212, 208, 200),  // 30 menu bar
};
}  // namespace

QColor ClassicColours::systemColour(int index) {
    if (index < 0 || index >= static_cast<int>(kClassicScheme.size())) return QColor(Qt::black);
    return QColor::fromRgb(kClassicScheme[static_cast<std::size_t>(index)]);
}

QColor ClassicColours::fromWindowsValue(std::uint32_t value) {
    if (value & 0x80000000u) return systemColour(static_cast<int>(value & 0xFFu));
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QPalette ClassicColours::palette() {
    QPalette p;
    auto set = [&p](QPalette::ColorRole role, int index) {
        p.setColor(QPalette::All, role, systemColour(index));
    };
    set(QPalette::Window, 15);
    set(QPalette::WindowText, 8);
    set(QPalette::Base, 5);
    set(QPalette::AlternateBase, 24);
    set(QPalette::Text, 8);
    set(QPalette::Button, 15);
    set(QPalette::ButtonText, 18);
    set(QPalette::Light, 20);
    set(QPalette::Midlight, 22);
    set(QPalette::Mid, 16);
    set(QPalette::Dark, 16);
    set(QPalette::Shadow, 21);
    set(QPalette::Highlight, 13);
    set(QPalette::HighlightedText, 14);
    set(QPalette::ToolTipBase, 24);
    set(QPalette::ToolTipText, 23);
    set(QPalette::PlaceholderText, 17);
    p.setColor(QPalette::Disabled, QPalette::Text, systemColour(17));
    p.setColor(QPalette::Disabled, QPalette::WindowText, systemColour(17));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, systemColour(17));
    return p;
}

}  // namespace bpd::platform
