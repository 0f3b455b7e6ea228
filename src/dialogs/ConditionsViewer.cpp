#include "ConditionsViewer.h"

#include <QWidget>

#include "ClassicMetrics.h"
#include "Form2.h"

namespace bpd::dialogs {

ConditionsViewer::ConditionsViewer(QWidget* mainWindow) : mainWindow_(mainWindow) {}

ConditionsViewer::~ConditionsViewer() {
    delete viewer_.data();
}

QString ConditionsViewer::captionOf(Sheet sheet) {
    switch (sheet) {
        case Sheet::Loading:
            return QStringLiteral("Loading Conditions");
        case Sheet::Rotation:
            return QStringLiteral("Rotation Conditions");
        case Sheet::NonUniformBearing:
            return QStringLiteral("Non Uniform Bearing Conditions");
    }
    return {};
}

void ConditionsViewer::open(Sheet sheet) {
    if (mainWindow_) mainWindow_->hide();
    const bool created = viewer_.isNull();
    if (created) {
        viewer_ = new Form2(mainWindow_);
        viewer_->setAttribute(Qt::WA_DeleteOnClose);  // the close box unloads it
    }
    viewer_->setWindowTitle(captionOf(sheet));
    viewer_->show();
    if (created) platform::centreOnScreen(viewer_);
    viewer_->raise();
    viewer_->activateWindow();
    viewer_->showSheet(static_cast<int>(sheet));
}

void ConditionsViewer::unload() {
    if (viewer_) viewer_->close();  // its unload step shows the main window, as at the close box
}

}  // namespace bpd::dialogs
