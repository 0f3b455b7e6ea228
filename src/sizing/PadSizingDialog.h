#pragma once
// Design > Smallest Passing Pad: for the main window's inputs as they stand, the smallest pad
// that passes with w1 and b1 free, b1 kept or w1 kept (SmallestPad), its governing check and
// utilisation, or why none passes. Its opener calls refresh() each time it shows it. "Use This Pad"
// hands the pad to the main window, which types it into its fields as a user would. Sizing one
// bearing takes milliseconds, so it runs here, on the user-interface thread, each time the dialog
// opens or the choice changes.

#include <QDialog>
#include <functional>

#include "SmallestPad.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace bpd::sizing {

class PadSizingDialog : public QDialog {
    Q_OBJECT
public:
    using ReadInputs = std::function<SizingInputs()>;
    using UsePad = std::function<void(const SizingAnswer&)>;

    // read: the main window's inputs as they stand; use: types a found pad into the window.
    PadSizingDialog(ReadInputs read, UsePad use, QWidget* parent = nullptr);

    SizingMode mode() const;
    void setMode(SizingMode mode);
    const SizingAnswer& answer() const { return answer_; }

public slots:
    // Sizes again for the window's inputs as they stand now.
    void refresh();

private:
    void usePad();

    ReadInputs read_;
    UsePad use_;
    SizingAnswer answer_;
    QRadioButton* bothFree_;
    QRadioButton* keepWidth_;
    QRadioButton* keepLength_;
    QLineEdit* padText_;
    QLineEdit* governingText_;
    QLineEdit* utilisationText_;
    QLabel* reasonText_;
    QPushButton* useButton_;
};

}  // namespace bpd::sizing
