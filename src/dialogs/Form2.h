#pragma once
// The conditions viewer: one of the three reference sheets, with an OK button.
// Opened through ConditionsViewer, which owns its lifecycle.

#include <QWidget>

class QLabel;
class QPushButton;

namespace bpd::dialogs {

class Form2 : public QWidget {
    Q_OBJECT
public:
    // mainWindow is hidden while the viewer is shown and shown again when it goes.
    explicit Form2(QWidget* mainWindow);

    // Puts sheet index (1..3 of the reference sheets) into the picture box.
    void showSheet(int index);
    int sheetIndex() const { return sheetIndex_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void Cmd_OK_Click();

private:
    QWidget* mainWindow_;
    QLabel* Picture1_ = nullptr;
    QPushButton* Cmd_OK_ = nullptr;
    int sheetIndex_ = 0;
};

}  // namespace bpd::dialogs
