#include "FileDrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace bpd::platform {

FileDrop::FileDrop(QWidget* window, QString suffix, std::function<void(const QString&)> open)
    : QObject(window), suffix_(std::move(suffix)), open_(std::move(open)) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QWidget* child : window->findChildren<QWidget*>())
        if (child->acceptDrops()) child->installEventFilter(this);
}

QString FileDrop::fileOf(const QMimeData* data, const QString& suffix) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) == 0) return path;
    }
    return {};
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (fileOf(drag->mimeData(), suffix_).isEmpty()) break;
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = fileOf(drop->mimeData(), suffix_);
            if (path.isEmpty()) break;
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            QTimer::singleShot(0, this, [this, path] { open_(path); });
            return true;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace bpd::platform
