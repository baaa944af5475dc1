#pragma once

#include <QString>

namespace kvt {

// The two trees of the main window as the alarm of a packet marks them. The receive path has
// selected the packet's object in the object tree before the packet is decoded.
class AlarmMarking {
public:
    virtual ~AlarmMarking() = default;

    // The text of the selected node of the object tree: the object's name.
    virtual QString selectedText() const = 0;
    // Icon and selected icon of the selected node of the object tree.
    virtual void setSelectedIcon(int icon) = 0;
    // Icon of the root of the history tree, which names the selected object.
    virtual void setHistoryRootIcon(int icon) = 0;
};

} // namespace kvt
