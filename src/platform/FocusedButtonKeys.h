#pragma once
// Enter presses the command button that has the focus, in every window of the program, as it
// does on the desktop the program was designed for (Qt presses only default buttons on
// Enter, and only in dialogs). Installed once on the application.

#include <QObject>

namespace bpd::platform {

class FocusedButtonKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace bpd::platform
