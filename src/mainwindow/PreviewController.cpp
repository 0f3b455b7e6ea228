#include "PreviewController.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QLabel>

#include "ImageList.h"

namespace bpd::mainwindow {

PreviewController::PreviewController(QLabel* picture, QAbstractButton* sliding, QObject* parent)
    : QObject(parent), picture_(picture), sliding_(sliding) {}

void PreviewController::ShowPreview(const QString& key) {
    picture_->setPixmap(platform::ImageList::previews().picture(key));
    currentKey_ = key;
}

QString PreviewController::variant(const QString& ordinaryKey) const {
    return sliding_->isChecked() ? ordinaryKey + QLatin1Char('s') : ordinaryKey;
}

void PreviewController::watchField(QWidget* field, const QString& ordinaryKey) {
    fieldKeys_.insert(field, ordinaryKey);
    field->installEventFilter(this);
}

void PreviewController::watchSelector(QWidget* selector, const QString& ordinaryKey) {
    selectorKeys_.insert(selector, ordinaryKey);
    selector->installEventFilter(this);
}

bool PreviewController::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (fieldKeys_.contains(watched)) ShowPreview(variant(fieldKeys_.value(watched)));
            break;
        case QEvent::FocusIn: {
            // Coming back from another application or from the selector's own list is not
            // receiving the focus from another control.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (selectorKeys_.contains(watched) && reason != Qt::ActiveWindowFocusReason &&
                reason != Qt::PopupFocusReason)
                ShowPreview(variant(selectorKeys_.value(watched)));
            break;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace bpd::mainwindow
