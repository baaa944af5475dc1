#pragma once

#include "links/LinkReportStep.h"
#include "links/LinkSupervision.h"

namespace kvt {

class CurrentObject;
class StatePacketDecoder;
namespace registry {
class Registry;
class RegistryTrees;
} // namespace registry

// The main window as the radio and RS-485 links use it: the report steps find the reporting
// object, read the selected node, write the state line and redraw the current form; link
// supervision reads and sets the icons of the object tree and of the history tree's root.
class LinksWindowAdapter final : public links::ReportStepHost, public links::SupervisedTree {
public:
    LinksWindowAdapter(registry::Registry& registry, registry::RegistryTrees& trees, CurrentObject& current,
                       StatePacketDecoder& decoder)
        : registry_(registry), trees_(trees), current_(current), decoder_(decoder)
    {
    }

    std::optional<links::ReportingObject> locateObject(int code) override;
    QString selectedNodeText() const override;
    void showStateLine(const QString& text) override;
    int pageSwitchesOnFirstPage() const override;
    void redrawForm(const QString& packet) override;

    int nodeCount() const override;
    QString nodeText(int node) const override;
    int nodeIcon(int node) const override;
    void setNodeIcon(int node, int icon) override;
    int findNode(const QString& name) const override;
    int selectedNodeIcon() const override;
    QString historyRootText() const override;
    void setHistoryRootIcon(int icon) override;
    void repaintHistory() override;
    void repaintTrees() override;

private:
    registry::Registry& registry_;
    registry::RegistryTrees& trees_;
    CurrentObject& current_;
    StatePacketDecoder& decoder_;
};

} // namespace kvt
