#pragma once
// "Open With": offers the programs the desktop associates with the document's MIME type and
// a Browse button for any other program, then starts the chosen one on the document (without
// waiting) in the document's folder. Our stand-in for the desktop's own Open With dialog.

#include <QDialog>
#include <QList>

#include "DesktopApplication.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace bpd::platform {
class DesktopShell;
class MessageService;
}  // namespace bpd::platform

namespace bpd::dialogs {

class OpenWithDialog : public QDialog {
    Q_OBJECT
public:
    // The choices are the shell's applications for the document's type; the chosen one is
    // started through `shell`, and a failed start is told through `messages`.
    OpenWithDialog(const QString& documentPath, platform::DesktopShell& shell,
                   platform::MessageService& messages, QWidget* parent = nullptr);

    QString documentPath() const { return documentPath_; }
    QString mimeType() const { return mimeType_; }
    // The choices on offer, in list order (the ones browsed for last).
    const QList<platform::DesktopApplication>& choices() const { return choices_; }

    // Where a viewer comes from, shown in the note when no program declares the type
    // ("Install xchm to read the help file").
    void setInstallHint(const QString& hint);

    // Adds a program picked with Browse (or given by a test), selects it and makes OK the
    // button that Enter presses.
    void addProgram(const QString& programPath);
    void selectChoice(int row);

    // Starts the selected choice on the document; false (and a message) when it cannot start.
    bool startSelected();

public slots:
    void accept() override;

private slots:
    void browse();

private:
    void addChoice(const platform::DesktopApplication& application);
    void updateNote();

    platform::DesktopShell& shell_;
    platform::MessageService& messages_;
    QString documentPath_;
    QString mimeType_;
    QList<platform::DesktopApplication> choices_;
    QString installHint_;
    QListWidget* list_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace bpd::dialogs
