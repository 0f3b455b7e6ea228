#include "SheetStyle.h"

#include "ClassicColours.h"

namespace bpd::calcsheet {

namespace {

// Liberation Sans (fonts-liberation2) has every sign the steps use (×, ≤, √) and is embedded
// as a subset; no hinting, so widths measured for the layout are the widths printed.
QFont sheetFont(qreal points, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

}  // namespace

QFont SheetStyle::body() {
    return sheetFont(8.5, false);
}
QFont SheetStyle::bold() {
    return sheetFont(8.5, true);
}
QFont SheetStyle::heading() {
    return sheetFont(10.5, true);
}
QFont SheetStyle::title() {
    return sheetFont(13, true);
}
QFont SheetStyle::small() {
    return sheetFont(7, false);
}

QColor SheetStyle::fail() {
    return platform::ClassicColours::fromWindowsValue(platform::ClassicColours::kFail);
}
QColor SheetStyle::muted() {
    return QColor(0x60, 0x60, 0x60);
}
QColor SheetStyle::compression() {
    return QColor(0x1f, 0x3f, 0x7f);
}
QColor SheetStyle::shear() {
    return QColor(0x6f, 0x8f, 0xbf);
}

}  // namespace bpd::calcsheet
