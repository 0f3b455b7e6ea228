#pragma once
// A label that acts as a web link: clicking it emits clicked(). It is in the window's tab
// cycle, Enter or Space opens it like a click, and
// it shows the focus cue while the keyboard holds it there.

#include <QLabel>

namespace bpd::dialogs {

class WebLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit WebLinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace bpd::dialogs
