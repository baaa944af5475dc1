#include "app/TrendWindows.h"

#include "app/ConsoleCore.h"
#include "common/Errors.h"
#include "common/OperatorNotices.h"
#include "forms/CurrentObject.h"
#include "objects/ui/RegistryTrees.h"
#include "store/Registry.h"
#include "trends/TrendObject.h"
#include "trends/ui/TrendForm.h"

namespace kvt {

TrendWindows::TrendWindows(ConsoleCore& core, registry::RegistryTrees& trees, OperatorNotices& notices, QWidget* parent)
    : core_(core), trees_(trees), notices_(notices), parent_(parent)
{
}

TrendForm* TrendWindows::windowOf(int objectCode) const
{
    return open_.value(objectCode);
}

void TrendWindows::openForSelectedObject()
{
    const QModelIndex node = trees_.selectedObjectNode();
    if (!node.isValid() || trees_.objectModel().isRoot(node)) {
        notices_.information(CurrentObject::kNoObjectChosen);
        return;
    }
    const int code = int(trees_.objectModel().node(node).data);
    if (TrendForm* open = windowOf(code)) {
        open->showNormal();
        open->raise();
        open->activateWindow();
        return;
    }
    try {
        // The rows are read as they are; the table stays on its current row.
        const QList<registry::ObjectRecord> rows = core_.registry.objects().rows();
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [code](const registry::ObjectRecord& r) { return r.Kod_O == code; });
        if (row == rows.end()) {
            notices_.information(CurrentObject::kNoObjectChosen);
            return;
        }
        const TrendObject object =
            TrendObjectOf(*row, core_.registry.database().filePath(), core_.programDirectory);
        auto* window = new TrendForm(object, ReadTrendCatalog(object), core_.clock, notices_, parent_);
        window->setAttribute(Qt::WA_DeleteOnClose);
        open_.insert(code, window);
        window->show();
    } catch (const KvtError& error) {
        notices_.notice(error.message());
    }
}

} // namespace kvt
