#pragma once
// Every window of the program, created once at start in a fixed order (the
// launcher first: it is the main window) and only shown and hidden until the
// end.
#include <QWidget>
#include <vector>

namespace zelmor {

// Creates the 31 windows and sets their global instance pointers; starts a
// new run of the start-up. Call once, or again only after DestroyAllWindows.
void CreateAllWindows();
// Deletes the windows in reverse order and clears the pointers.
void DestroyAllWindows();
// The windows in creation order; empty while none exist.
std::vector<QWidget *> AllWindows();

} // namespace zelmor
