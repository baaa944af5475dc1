#pragma once

#include <QPoint>
#include <QSize>

namespace kvt {

// Where the object form sits in the object view, and how tall the history tree is.

// The form's position after a system command of the main window (maximise, restore, move,
// size): centred on both axes, never at a negative position.
QPoint PlaceAfterSystemCommand(QSize view, QSize form);

// The form's position after a drag of the splitter between the left panel and the right area:
// centred on an axis where the form is smaller than the view; otherwise kept as it is.
QPoint PlaceAfterSplitterDrag(QSize view, QSize form, QPoint current);

// The history height rule: window height - 17 x (rows of the objects table) - 376, at least 80.
int HistoryTreeHeight(int windowHeight, int objectRows);

inline constexpr int kHistoryRowPixels = 17;
inline constexpr int kHistoryReservedPixels = 376;
inline constexpr int kHistoryMinimumHeight = 80;

} // namespace kvt
