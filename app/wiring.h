#pragma once
namespace zelmor {
// Connects the windows to the hooks of the shared objects and the start-up:
// each routine reaches the window that carries it out. Run after the windows
// are created; DisconnectWindows before they go.
void ConnectWindows();
void DisconnectWindows();
} // namespace zelmor
