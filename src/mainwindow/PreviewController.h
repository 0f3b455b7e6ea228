#pragma once
// The preview picture beside the inputs: the drawing of the quantity the user works on, in the
// ordinary or the sliding-bearing variant (its key followed by "s") by the Sliding box.
//
// A mouse press on a watched field shows its drawing, also when the field has the focus
// already; a watched selector shows its drawing whenever it receives the keyboard focus by
// mouse or keyboard. Nothing else happens: no validation, no design check.

#include <QHash>
#include <QObject>
#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

namespace bpd::mainwindow {

class PreviewController : public QObject {
    Q_OBJECT
public:
    PreviewController(QLabel* picture, QAbstractButton* sliding, QObject* parent = nullptr);

    // Puts the picture stored under key into the preview box.
    void ShowPreview(const QString& key);
    QString currentKey() const { return currentKey_; }
    // The ordinary key, or the sliding variant when the Sliding box is on.
    QString variant(const QString& ordinaryKey) const;

    void watchField(QWidget* field, const QString& ordinaryKey);
    void watchSelector(QWidget* selector, const QString& ordinaryKey);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* picture_;
    QAbstractButton* sliding_;
    QHash<const QObject*, QString> fieldKeys_;
    QHash<const QObject*, QString> selectorKeys_;
    QString currentKey_;
};

}  // namespace bpd::mainwindow
