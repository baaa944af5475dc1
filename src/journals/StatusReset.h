#pragma once

#include <QList>
#include <QString>

namespace kvt {

class MainTimers;
class EventSink;

// What the reset of the selected object needs from the two trees of the main window.
class ObjectStatusTree {
public:
    virtual ~ObjectStatusTree() = default;

    virtual void focusObjectTree() = 0;
    // Whether a node of the object tree is selected, and its icon (0 for the root).
    virtual bool hasSelection() const = 0;
    virtual int selectedIcon() const = 0;
    virtual QString selectedText() const = 0;
    virtual void setSelectedIcon(int icon) = 0;
    virtual void setHistoryRootIcon(int icon) = 0;
    virtual void redrawHistory() = 0;
    // Icons of every object node, in tree order (all nodes after the root).
    virtual QList<int> objectIcons() const = 0;
};

// The reset of the selected object (Stop_Avari_ButtonClick): clears the selected object's icon
// and logs it, then stops the alarm sound unless some object still shows new data or alarm.
// With the root or nothing selected nothing is cleared or logged; the sound check still runs.
// Returns true when the alarm sound was stopped.
bool ResetSelectedObject(ObjectStatusTree& tree, EventSink& log, MainTimers& timers);

} // namespace kvt
