#pragma once

#include "settings/Settings.h"

namespace kvt {

// What the settings act on in the main window: its position and size, the width of its left
// panel, and the four panels that can be shown or hidden. The main window implements it.
class MainWindowAccess {
public:
    virtual ~MainWindowAccess() = default;

    // Left, top, height and width of the main window as they are now, and the width of the
    // left panel ScrollBox4.
    virtual WindowGeometry windowGeometry() const = 0;
    // Sets left, top, height and width in this order, then the width of the left panel.
    virtual void setWindowGeometry(const WindowGeometry& geometry) = 0;
    // Height of Time_TreeView from the window height and the number of objects.
    virtual void applyHistoryHeightRule() = 0;

    // GSMCommands: bottom panel ScrollBox12 59 pixels high (line and buttons), else 16 (line only).
    virtual void applyGsmCommandsPanel(bool checked) = 0;
    // GenPanel: toolbar ScrollBox7 visible or hidden.
    virtual void applyGenPanel(bool checked) = 0;
    // SvyazInfo: link status panel ScrollBox9 docked at the bottom of the left panel, else
    // undocked so that the tree area fills the left panel over it.
    virtual void applySvyazInfoPanel(bool checked) = 0;
    // History: Splitter5 docked at the top, then Time_TreeView and Splitter5 at the bottom
    // (splitter just above the history tree); else both undocked so the object tree fills
    // their place.
    virtual void applyHistoryPanel(bool checked) = 0;
};

} // namespace kvt
