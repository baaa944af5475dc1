#pragma once

#include <QHash>
#include <QPointer>

class QWidget;

namespace kvt {

struct ConsoleCore;
class OperatorNotices;
class TrendForm;
namespace registry {
class RegistryTrees;
} // namespace registry

// Opens the trend window of the object selected in the object tree (the object whose history
// the history tree shows): one window per object, brought to the front when it is open
// already. The window reads the store and the form on its own and leaves the console's
// current object, tables and files alone.
class TrendWindows {
public:
    TrendWindows(ConsoleCore& core, registry::RegistryTrees& trees, OperatorNotices& notices, QWidget* parent);

    void openForSelectedObject();
    // The window open for an object; null when there is none.
    TrendForm* windowOf(int objectCode) const;

private:
    ConsoleCore& core_;
    registry::RegistryTrees& trees_;
    OperatorNotices& notices_;
    QWidget* parent_;
    QHash<int, QPointer<TrendForm>> open_;
};

} // namespace kvt
