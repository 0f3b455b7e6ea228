#pragma once
// A window that takes files of one kind dropped on it from a file manager. The window and
// those of its controls that take drops of their own (text fields take dropped text) hand a
// dropped file with the suffix to `open`; other drops go on as before. `open` runs once the
// drop is over, so a message it shows does not hold up the program the file came from.
// Taking drops changes nothing of the window's looks.

#include <QObject>
#include <QString>
#include <functional>

class QMimeData;
class QWidget;

namespace bpd::platform {

class FileDrop : public QObject {
public:
    // Belongs to the window. suffix: without the dot, matched without regard to case.
    FileDrop(QWidget* window, QString suffix, std::function<void(const QString& path)> open);

    // The first local file with the suffix among the dragged data's URLs, or "".
    static QString fileOf(const QMimeData* data, const QString& suffix);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString suffix_;
    std::function<void(const QString&)> open_;
};

}  // namespace bpd::platform
