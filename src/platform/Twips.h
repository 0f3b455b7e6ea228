#pragma once
// The windows' layouts are measured in twips (1/1440 inch); at the standard 96 dpi, 15 twips
// make one pixel. Qt scales the pixels on screens of other densities.

#include <QRect>

namespace bpd::platform {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr double kTwipsPerInch = 1440.0;

constexpr int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

// A control's outer rectangle, left and top edge and size, from twips to pixels.
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

}  // namespace bpd::platform
