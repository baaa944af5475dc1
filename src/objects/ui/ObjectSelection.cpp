#include "objects/ui/ObjectSelection.h"

#include "common/ErrorHandler.h"
#include "common/OperatorNotices.h"
#include "forms/CurrentObject.h"
#include "forms/FormWiring.h"
#include "packets/ApplyStatePacket.h"
#include "store/Registry.h"
#include "objects/ui/RegistryTrees.h"

#include <QItemSelectionModel>

namespace kvt::registry {

namespace {
const QString kLinkCheckGsm = QStringLiteral("      Последняя проверка связи (GSM): ");
const QString kLatestChanges = QStringLiteral("      Последние изменения: ");
const QString kLinkCheck = QStringLiteral("      Последняя проверка связи: ");
const QString kLatestState = QStringLiteral("      Последнее состояние на: ");
const QString kStateAt = QStringLiteral("      Состояние объекта на: ");
// The history image of the node a receive has just refreshed: the header keeps its text.
constexpr int kFreshHistoryImage = 1;
} // namespace

ObjectSelection::ObjectSelection(Registry& registry, RegistryTrees& trees, RegistryServices services, QObject* parent)
    : QObject(parent), registry_(registry), trees_(trees), services_(std::move(services))
{
    connect(trees_.objectTree()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!trees_.isRebuilding() && current.isValid())
                    Guarded([&] { ObjectTreeViewChange(current); });
            });
    connect(trees_.objectTree(), &RegistryTreeView::contextPopup, this, [this] { Guarded([&] { ObjectTreeViewContextPopup(); }); });
    connect(trees_.historyTree()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!trees_.isRebuilding() && current.isValid())
                    Guarded([&] { Time_TreeViewChange(current); });
            });
}

void ObjectSelection::ObjectTreeViewChange(const QModelIndex& node)
{
    HistoryTreeModel& history = trees_.historyModel();
    trees_.clearHistory();
    if (trees_.objectModel().isRoot(node)) {
        services_.current->showLinkCheckLine(QString());
        history.setRootText(QString());
        history.setRootImage(-1);
        trees_.expandHistoryTree();
        return;
    }
    const RootedTreeModel::Node object = trees_.objectModel().node(node);
    ObjectTable& table = registry_.objects();
    // A name that is not found leaves the table where it stood, as a locate does.
    table.locateByName(object.text);
    const ObjectRecord row = table.currentRow();
    // The loader finds the file by the same rule: what passes here is what it loads.
    if (!ResolveObjectFormPath(row.Adres_O, services_.programDirectory)) {
        services_.notices->notice(kFormFileNotFoundMessage);
        return;
    }
    history.setRootText(object.text);
    trees_.FillHistoryTree(row.Kod_O);
    history.setRootImage(object.imageIndex);

    services_.current->LoadObjectForm(row.Adres_O);
    services_.current->setSecondTabCaption(kConfigurationTab);
    if (!row.Time_SMS.isEmpty())
        services_.decoder->showStoredPacket(*services_.current, row.Time_SMS);
    services_.current->showLinkCheckLine(object.text + kLinkCheckGsm + row.Time_Ring);
    services_.current->showStateLine(object.text + kLatestChanges + row.Date_SMS);
    trees_.expandHistoryTree();
}

void ObjectSelection::ObjectTreeViewContextPopup()
{
    const QModelIndex node = trees_.selectedObjectNode();
    if (!node.isValid())
        return;
    HistoryTreeModel& history = trees_.historyModel();
    if (trees_.objectModel().isRoot(node)) {
        services_.current->showLinkCheckLine(QString());
        history.setRootText(QString());
        trees_.expandHistoryTree();
        return;
    }
    const RootedTreeModel::Node object = trees_.objectModel().node(node);
    ObjectTable& table = registry_.objects();
    table.locateByName(object.text);
    trees_.SelectObjectNode();
    const ObjectRecord row = table.currentRow();
    trees_.refreshHistory(object.text, row.Kod_O);
    history.setRootImage(trees_.objectModel().node(trees_.selectedObjectNode()).imageIndex);
    if (!row.Time_SMS.isEmpty())
        services_.decoder->showStoredPacket(*services_.current, row.Time_SMS);
    services_.current->showLinkCheckLine(object.text + kLinkCheck + row.Time_Ring);
    services_.current->showStateLine(object.text + kLatestState + row.Date_SMS);
    trees_.expandHistoryTree();
}

void ObjectSelection::Time_TreeViewChange(const QModelIndex& node)
{
    if (!services_.current->form())
        return;
    HistoryTreeModel& history = trees_.historyModel();
    const QString objectName = trees_.objectModel().node(trees_.selectedObjectNode()).text;
    if (history.isRoot(node)) {
        ObjectTable& table = registry_.objects();
        table.locateByName(objectName);
        services_.current->LoadObjectForm(table.currentRow().Adres_O);
    } else {
        const auto packet = registry_.packets().packet(history.node(node).data);
        if (packet)
            services_.decoder->showStoredPacket(*services_.current, packet->Text_SMS);
    }
    const RootedTreeModel::Node entry = history.node(node);
    if (entry.imageIndex != kFreshHistoryImage)
        services_.current->showStateLine(objectName + kStateAt + entry.text);
}

} // namespace kvt::registry
