#pragma once
// Keeps a top-level window off the desktop's taskbar.
//
// Usage, from the window's showEvent (the window manager forgets the state each time the
// window is hidden, so it is set again before every showing):
//     void WelcomeDlg::showEvent(QShowEvent* e) { platform::keepOffTaskbar(this); ... }
// On X11 this adds _NET_WM_STATE_SKIP_TASKBAR to the window's state before it is mapped;
// Qt keeps states it finds there. On any other platform (the offscreen tests) it does nothing.

class QWidget;

namespace bpd::platform {

void keepOffTaskbar(QWidget* window);

}  // namespace bpd::platform
