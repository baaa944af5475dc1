#pragma once

#include "objects/ui/RegistryServices.h"

#include <QModelIndex>
#include <QObject>

namespace kvt::registry {

class Registry;
class RegistryTrees;

// The handlers of the two trees: selecting an object shows its form, its latest packet and its
// history; a right click refreshes the object; selecting a history entry shows that packet.
class ObjectSelection : public QObject {
    Q_OBJECT
public:
    static inline const QString kConfigurationTab = QStringLiteral("Конфигурация объекта");

    ObjectSelection(Registry& registry, RegistryTrees& trees, RegistryServices services, QObject* parent = nullptr);

    // The handlers; the trees call them, and so may the program.
    void ObjectTreeViewChange(const QModelIndex& node);
    void ObjectTreeViewContextPopup();
    void Time_TreeViewChange(const QModelIndex& node);

private:
    Registry& registry_;
    RegistryTrees& trees_;
    RegistryServices services_;
};

} // namespace kvt::registry
