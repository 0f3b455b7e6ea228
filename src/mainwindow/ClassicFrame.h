#pragma once
// A frame of the classic look: an etched border whose top line runs through the middle of
// the caption. Desktop styles put the caption above the border instead, which moves the line
// down into the controls that the layout places near a frame's top.

#include <QGroupBox>

namespace bpd::mainwindow {

class ClassicFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit ClassicFrame(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace bpd::mainwindow
