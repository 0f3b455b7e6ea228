#pragma once
// A picture box: a sunken border and a picture shown at its natural size from the top-left
// corner of the inner area, cut at the inner edges (never drawn over the border).

#include <QLabel>

namespace bpd::mainwindow {

class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Makes the box fit its picture: inner width and height become the picture's.
    void fitToPicture();

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace bpd::mainwindow
