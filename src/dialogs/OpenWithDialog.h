#pragma once
// "Open With": offers the installed applications that declare the document's MIME type and
// a Browse button for any other program, then starts the chosen one on the document (without
// waiting) in the document's folder. Our stand-in for the desktop's own Open With dialog.

#include <QDialog>
#include <QList>

#include "DesktopApplications.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace bpd::dialogs {

class OpenWithDialog : public QDialog {
    Q_OBJECT
public:
    // dataDirectories: where the desktop entries are read (default: the XDG data folders).
    explicit OpenWithDialog(
        const QString& documentPath, QWidget* parent = nullptr,
        const QStringList& dataDirectories = platform::DesktopApplications::dataDirectories());

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

    QString documentPath_;
    QString mimeType_;
    QList<platform::DesktopApplication> choices_;
    QString installHint_;
    QListWidget* list_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace bpd::dialogs
