#pragma once
// The "General Setttings" dialog: edits the four project data texts in the settings store.
//
// Modeless; the main window is hidden while the dialog is shown. The dialog has three states:
// not loaded (no object), shown, and loaded but hidden. OK saves the four texts and hides the
// dialog (it keeps its texts, so the next opening shows them without a re-read); the close box
// (or Esc) unloads it without saving. Both exits show the main window again.

#include <QPointer>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace bpd::platform {
class MessageService;
class RegistryStore;
}  // namespace bpd::platform

namespace bpd::reports {

class ProjectDataBoxes;

class Form3 : public QWidget {
    Q_OBJECT
public:
    // Loads the dialog (runs Form_Load); it is deleted when it is unloaded. The texts are read
    // from and saved to `settings`; a failed save is told through `messages`.
    Form3(QWidget* mainWindow, platform::RegistryStore& settings,
          platform::MessageService& messages);
    ~Form3() override;

    // The OK button: saves Company, Engineer, Project Name, Description, hides the dialog and
    // shows the main window. When a value cannot be saved the user is told which file and why,
    // and the dialog stays as it is.
    void Command1_Click();

    // True once the close box unloaded the dialog (its deletion follows in the event loop).
    bool isUnloaded() const { return unloaded_; }

protected:
    // Form_Unload: shows the main window, saves nothing.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void Form_Load();

    QPointer<QWidget> mainWindow_;
    platform::RegistryStore& settings_;
    platform::MessageService& messages_;
    std::unique_ptr<ProjectDataBoxes> boxes_;
    QPushButton* Command1 = nullptr;
    QLineEdit* Txt_Company = nullptr;
    QLineEdit* Txt_ProjectName = nullptr;
    QLineEdit* Txt_Engineer = nullptr;
    QLineEdit* Txt_Description = nullptr;
    bool centred_ = false;
    bool unloaded_ = false;
};

// Settings > General: hides the main window, loads the dialog into `form3` when it is not
// loaded, and shows it. Form1 keeps `form3` as a member from load to unload.
void General_Click(QWidget* mainWindow, QPointer<Form3>& form3, platform::RegistryStore& settings,
                   platform::MessageService& messages);

// The main window's unload: unloads the dialog when it is loaded (saving nothing).
void UnloadForm3(QPointer<Form3>& form3);

}  // namespace bpd::reports
