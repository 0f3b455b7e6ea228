#include "DialogFileNameChooser.h"

#include <QFileDialog>

namespace bpd::platform {

QString DialogFileNameChooser::saveFileName(QWidget* parent, const QString& caption,
                                            const QString& suggestedPath, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, suggestedPath, filter);
}

}  // namespace bpd::platform
