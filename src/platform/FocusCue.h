#pragma once
// The focus cue of the controls the program paints itself (picture boxes, grid cells, web
// links): a dotted rectangle in the text colour, as the classic desktop draws it. Like the
// style's own cue on buttons and check boxes it shows once the keyboard has moved the focus in
// that window, so a mouse user sees the window exactly as laid out.

class QColor;
class QPainter;
class QRect;
class QStyleOption;
class QWidget;

namespace bpd::platform {

class FocusCue {
public:
    // Whether a part drawn with `option` on `widget` shows the cue (a cell of an item view).
    static bool shown(const QStyleOption& option, const QWidget* widget);
    // Whether `widget` shows the cue now: it has the focus and its window the keyboard cue.
    static bool shown(const QWidget& widget);
    // Draws the cue just inside `rect`, in the control's text colour.
    static void paint(QPainter& painter, const QRect& rect, const QColor& colour);
};

}  // namespace bpd::platform
