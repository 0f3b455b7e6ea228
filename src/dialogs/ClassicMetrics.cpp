#include "ClassicMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace bpd::dialogs {

QFont classicFont(bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);  // 8.25 pt at 96 dpi, as the layouts are in 96-dpi pixels
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

void fixWindowSize(QWidget* window, int clientWidthTwips, int clientHeightTwips) {
    window->setFixedSize(twips(clientWidthTwips), twips(clientHeightTwips));
}

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void fitLabelWidth(QWidget* label) {
    const int needed = label->sizeHint().width();
    if (needed > label->width()) label->resize(needed, label->height());
}

}  // namespace bpd::dialogs
