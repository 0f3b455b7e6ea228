#pragma once
// The desktop's own save dialog (QFileDialog), which asks before replacing a file.

#include "FileNameChooser.h"

namespace bpd::platform {

class DialogFileNameChooser : public FileNameChooser {
public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& suggestedPath,
                         const QString& filter) override;
};

}  // namespace bpd::platform
