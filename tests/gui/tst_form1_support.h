#pragma once
// Shared helpers of the main window tests: a loaded window over the test services, and user
// actions that go through the window the way a person's keys and clicks do.

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTableWidget>
#include <QTest>
#include <QWindow>
#include <memory>

#include "Form1.h"
#include "PictureBox.h"
#include "ResultsGrid.h"
#include "TestServices.h"

namespace bpdtest {

// A main window over the test services; shown and active by default.
struct LoadedForm {
    bpd::testing::TestServices fixture;
    bpd::testing::FakeMessages* messages = fixture.messages.get();
    bpd::testing::FakeShell* shell = fixture.shell.get();
    std::unique_ptr<bpd::mainwindow::Form1> form;

    explicit LoadedForm(bool show = true) {
        form = std::make_unique<bpd::mainwindow::Form1>(fixture.services());
        if (show) {
            form->show();
            form->activateWindow();
            if (!QTest::qWaitForWindowActive(form.get())) qWarning("window did not become active");
        }
    }
    ~LoadedForm() { form.reset(); }
    const bpd::mainwindow::Form1Controls& ui() const { return form->controls(); }
    bpd::mainwindow::ResultsGrid& grid() const { return form->grid(); }
};

// The Qt table inside the grid, for the tests that look at its pixels and sections.
inline QTableWidget& gridTable(const bpd::mainwindow::ResultsGrid& grid) {
    return *grid.findChild<QTableWidget*>();
}

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
    QTest::mouseClick(target->window()->windowHandle(), Qt::LeftButton, {},
                      inWindow(target, local));
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
