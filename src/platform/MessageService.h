#pragma once
// Message boxes behind a seam: the program shows real modal boxes, tests record the calls.

#include <QString>

class QWidget;

namespace bpd::platform {

// The title of the program's own messages, the one home of that text.
inline const QString kMessageTitle = QStringLiteral("Pelgro Pad Bearing Design");

class MessageService {
public:
    virtual ~MessageService() = default;
    // Modal, exclamation icon, OK button.
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
    // Modal, information icon, OK button.
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    // Modal, question icon, Yes and No buttons; true for Yes.
    virtual bool question(QWidget* parent, const QString& title, const QString& text) = 0;
    // Modal, warning icon, Save, Discard and Cancel buttons: unsaved edits before a close.
    enum class SaveChoice { Save, Discard, Cancel };
    virtual SaveChoice askToSave(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The real boxes, through QMessageBox.
class DialogMessageService : public MessageService {
public:
    void warning(QWidget* parent, const QString& title, const QString& text) override;
    void information(QWidget* parent, const QString& title, const QString& text) override;
    bool question(QWidget* parent, const QString& title, const QString& text) override;
    SaveChoice askToSave(QWidget* parent, const QString& title, const QString& text) override;
};

}  // namespace bpd::platform
