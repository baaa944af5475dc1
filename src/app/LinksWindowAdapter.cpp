#include "app/LinksWindowAdapter.h"

#include "forms/CurrentObject.h"
#include "forms/ObjectForm.h"
#include "objects/ui/RegistryTreeViews.h"
#include "objects/ui/RegistryTrees.h"
#include "packets/ApplyStatePacket.h"
#include "store/Registry.h"

namespace kvt {

namespace {
constexpr int kFirstPage = 0;
constexpr int kNoIcon = -1;
} // namespace

std::optional<links::ReportingObject> LinksWindowAdapter::locateObject(int code)
{
    registry::ObjectTable& table = registry_.objects();
    if (!table.locateByCode(code))
        return std::nullopt;
    const registry::ObjectRecord& row = table.currentRow();
    return links::ReportingObject{row.Kod_O, row.Name_O, row.Phone_O};
}

QString LinksWindowAdapter::selectedNodeText() const
{
    const QModelIndex selected = trees_.selectedObjectNode();
    return selected.isValid() ? trees_.objectModel().node(selected).text : QString();
}

void LinksWindowAdapter::showStateLine(const QString& text)
{
    current_.showStateLine(text);
}

int LinksWindowAdapter::pageSwitchesOnFirstPage() const
{
    const ObjectForm* form = current_.form();
    if (!form)
        return 0;
    int count = 0;
    for (const FormControl* control : form->controls()) {
        if (control->kind() == ControlKind::PageSwitch && control->tabIndex() == kFirstPage)
            ++count;
    }
    return count;
}

void LinksWindowAdapter::redrawForm(const QString& packet)
{
    decoder_.ApplyStatePacket(current_.form(), packet, false, {}, {}, {}, nullptr);
}

int LinksWindowAdapter::nodeCount() const
{
    return trees_.objectModel().nodeCount();
}

QString LinksWindowAdapter::nodeText(int node) const
{
    const registry::ObjectTreeModel& model = trees_.objectModel();
    return model.node(model.indexAtAbsolute(node)).text;
}

int LinksWindowAdapter::nodeIcon(int node) const
{
    const registry::ObjectTreeModel& model = trees_.objectModel();
    return model.node(model.indexAtAbsolute(node)).imageIndex;
}

void LinksWindowAdapter::setNodeIcon(int node, int icon)
{
    trees_.setObjectNodeImage(trees_.objectModel().indexAtAbsolute(node), icon);
}

int LinksWindowAdapter::findNode(const QString& name) const
{
    const registry::ObjectTreeModel& model = trees_.objectModel();
    const QModelIndex found = model.findText(name);
    return found.isValid() ? model.absoluteIndex(found) : -1;
}

int LinksWindowAdapter::selectedNodeIcon() const
{
    const QModelIndex selected = trees_.selectedObjectNode();
    return selected.isValid() ? trees_.objectModel().node(selected).imageIndex : kNoIcon;
}

QString LinksWindowAdapter::historyRootText() const
{
    return trees_.historyModel().root().text;
}

void LinksWindowAdapter::setHistoryRootIcon(int icon)
{
    trees_.historyModel().setRootImage(icon);
}

void LinksWindowAdapter::repaintHistory()
{
    trees_.historyTree()->viewport()->update();
}

void LinksWindowAdapter::repaintTrees()
{
    trees_.objectTree()->viewport()->update();
    repaintHistory();
}

} // namespace kvt
