#pragma once
// Edit > Size Selected...: the one choice before the sizing runs: w1 and b1 both free, or b1
// kept (a beam's width fixes it) and only w1 sized.

#include <QDialog>

class QCheckBox;

namespace bpd::schedule {

class SizingOptionsDialog : public QDialog {
    Q_OBJECT
public:
    // count: how many bearings are to be sized.
    explicit SizingOptionsDialog(int count, QWidget* parent = nullptr);
    bool keepWidth() const;

private:
    QCheckBox* keepWidth_;
};

}  // namespace bpd::schedule
