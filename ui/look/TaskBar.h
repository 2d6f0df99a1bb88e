// Keeping a top-level window out of the desktop's task bar and pager without making it a tool
// window: under X11 the window asks the window manager for _NET_WM_STATE_SKIP_TASKBAR and
// _NET_WM_STATE_SKIP_PAGER. Qt's Qt::Tool would ask the same, but it also makes the window
// transient for the whole program, and window managers such as Metacity and Mutter then keep it
// above every other window of the program. Elsewhere (other platforms, offscreen) it does nothing.
#pragma once

class QWidget;

namespace tovarin {

// Call while the window is hidden, before each showing: the window manager drops the request
// when the window is withdrawn, and Qt keeps it when it maps the window.
void keepOutOfTaskBar(QWidget &window);

} // namespace tovarin
