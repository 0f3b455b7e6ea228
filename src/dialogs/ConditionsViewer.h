#pragma once
// The three Conditions menu commands and the lifecycle of their viewer (Form2).
//
// Usage (main window): a member `ConditionsViewer conditions{this};`, then
//     Loading_Click:             conditions.open(ConditionsViewer::Sheet::Loading);
//     Rotation_Click:            conditions.open(ConditionsViewer::Sheet::Rotation);
//     NonUniform_Bearing_Click:  conditions.open(ConditionsViewer::Sheet::NonUniformBearing);
//     Form_Unload:               conditions.unload();
// An opening hides the main window, creates the viewer when it is not loaded (centred) or
// reuses the hidden one (at its last position), sets its caption, shows it and puts the sheet
// in. OK hides the viewer and shows the main window; the close box unloads it (deleted) and
// shows the main window.

#include <QPointer>
#include <QString>

class QWidget;

namespace bpd::dialogs {

class Form2;

class ConditionsViewer {
public:
    enum class Sheet { Loading = 1, Rotation = 2, NonUniformBearing = 3 };

    explicit ConditionsViewer(QWidget* mainWindow);
    ~ConditionsViewer();
    ConditionsViewer(const ConditionsViewer&) = delete;
    ConditionsViewer& operator=(const ConditionsViewer&) = delete;

    void open(Sheet sheet);
    void unload();

    // The loaded viewer, or nullptr when it is not loaded.
    Form2* viewer() const { return viewer_.data(); }

    static QString captionOf(Sheet sheet);

private:
    QWidget* mainWindow_;
    QPointer<Form2> viewer_;
};

}  // namespace bpd::dialogs
