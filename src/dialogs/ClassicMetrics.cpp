#include "ClassicMetrics.h"

#include <QWidget>

namespace bpd::dialogs {

void fixWindowSize(QWidget* window, int clientWidthTwips, int clientHeightTwips) {
    window->setFixedSize(platform::twipsToPixels(clientWidthTwips),
                         platform::twipsToPixels(clientHeightTwips));
}

void fitLabelWidth(QWidget* label) {
    const int needed = label->sizeHint().width();
    if (needed > label->width()) label->resize(needed, label->height());
}

}  // namespace bpd::dialogs
