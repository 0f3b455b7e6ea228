#pragma once
// Shared helpers of the main window tests: a recording message service, a loaded window,
// and user actions that go through the window the way a person's keys and clicks do.

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>

#include "Form1.h"
#include "MessageService.h"
#include "PictureBox.h"
#include "ResultsGrid.h"
#include "RegistryStore.h"
#include "Services.h"
#include "FakeServices.h"

namespace bpdtest {

using RecordingMessages = bpd::testing::FakeMessages;

// A main window with the recording message service, a recording shell and a settings store
// in a temporary folder installed; shown and active by default.
struct LoadedForm {
    std::shared_ptr<RecordingMessages> messages = std::make_shared<RecordingMessages>();
    std::shared_ptr<bpd::testing::FakeShell> shell = std::make_shared<bpd::testing::FakeShell>();
    QTemporaryDir storeFolder;
    std::unique_ptr<bpd::mainwindow::Form1> form;

    explicit LoadedForm(bool show = true) {
        auto& services = bpd::platform::Services::instance();
        services.reset();
        services.setMessages(messages);
        services.setShell(shell);
        services.setRegistry(std::make_shared<bpd::platform::IniRegistryStore>(storeFolder.path()));
        form = std::make_unique<bpd::mainwindow::Form1>();
        if (show) {
            form->show();
            form->activateWindow();
            if (!QTest::qWaitForWindowActive(form.get())) qWarning("window did not become active");
        }
    }
    ~LoadedForm() {
        form.reset();
        bpd::platform::Services::instance().reset();
    }
    const bpd::mainwindow::Form1Controls& ui() const { return form->controls(); }
    bpd::mainwindow::ResultsGrid& grid() const { return form->grid(); }
};

inline QStringList gridRow(const bpd::mainwindow::ResultsGrid& grid, int row) {
    QStringList cells;
    for (int c = 0; c < grid.Cols(); ++c) cells << grid.TextMatrix(row, c);
    return cells;
}

// A point of a control in the coordinates of its top-level window.
inline QPoint inWindow(QWidget* target, QPoint local = QPoint(-1, -1)) {
    if (local == QPoint(-1, -1)) local = target->rect().center();
    return target->mapTo(target->window(), local);
}

// A mouse click delivered to the window, as the windowing system delivers it.
inline void clickInWindow(QWidget* target, QPoint local = QPoint(-1, -1)) {
    QTest::mouseClick(target->window()->windowHandle(), Qt::LeftButton, {}, inWindow(target, local));
}

// A point of a grid cell (row 0: the header) in window coordinates.
inline QPoint gridCellInWindow(bpd::mainwindow::ResultsGrid& grid, int row, int col) {
    return grid.mapTo(grid.window(), grid.cellRect(row, col).center());
}

inline void clickGridCell(bpd::mainwindow::ResultsGrid& grid, int row, int col) {
    QTest::mouseClick(grid.window()->windowHandle(), Qt::LeftButton, {},
                      gridCellInWindow(grid, row, col));
}

inline void hoverGridCell(bpd::mainwindow::ResultsGrid& grid, int row, int col) {
    QTest::mouseMove(grid.window()->windowHandle(), gridCellInWindow(grid, row, col));
}

inline bool focusOn(QWidget* w) {
    w->setFocus(Qt::OtherFocusReason);
    return QTest::qWaitFor([w] { return w->hasFocus(); }, 1000);
}

// Replaces a field's text by typing, as a user would; the field keeps the focus.
inline void typeInto(QLineEdit* field, const QString& text) {
    focusOn(field);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    if (!text.isEmpty()) QTest::keyClicks(field, text);
}

// Types a text and leaves the field with Tab.
inline void typeAndTab(QLineEdit* field, const QString& text) {
    typeInto(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

}  // namespace bpdtest
