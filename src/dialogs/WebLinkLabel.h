#pragma once
// A label that acts as a web link: clicking it emits clicked().

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
};

}  // namespace bpd::dialogs
