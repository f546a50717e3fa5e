#pragma once
// F10 on the window's menu bar.

class QMainWindow;

namespace runtime {

// Makes F10 do what Alt pressed and released alone does: highlight the first
// menu for the arrow keys, and again, or Escape, give the focus back.
void reachMenuBarWithF10(QMainWindow* window);

} // namespace runtime
