#pragma once
// Asks the user for the name of a file to write. DialogFileNameChooser is the program's (the
// desktop's save dialog); the tests answer without a dialog.

#include <QString>

class QWidget;

namespace bpd::platform {

class FileNameChooser {
public:
    virtual ~FileNameChooser() = default;
    // The path the user chose for a new file, suggestedPath offered first; filter as Qt's
    // file dialogs take it ("PDF files (*.pdf)"). Empty when the user cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& caption,
                                 const QString& suggestedPath, const QString& filter) = 0;
};

}  // namespace bpd::platform
