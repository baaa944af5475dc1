#include "journals/StatusReset.h"

#include "common/MainTimers.h"
#include "common/EventSink.h"
#include "journals/StatusIcons.h"

#include <algorithm>

namespace kvt {

namespace {
bool keepsAlarmSound(int icon)
{
    return icon == static_cast<int>(StatusIcon::NewData) || icon == static_cast<int>(StatusIcon::Alarm);
}
} // namespace

bool ResetSelectedObject(ObjectStatusTree& tree, EventSink& log, MainTimers& timers)
{
    tree.focusObjectTree();
    if (tree.hasSelection() && tree.selectedIcon() != static_cast<int>(StatusIcon::Root)) {
        tree.setSelectedIcon(static_cast<int>(StatusIcon::None));
        tree.setHistoryRootIcon(static_cast<int>(StatusIcon::None));
        tree.redrawHistory();
        log.LogEvent(QStringLiteral("Сброс состояния объекта"), tree.selectedText(), EventColour::White);
    }
    const QList<int> icons = tree.objectIcons();
    if (std::any_of(icons.begin(), icons.end(), keepsAlarmSound))
        return false;
    timers.stop(MainTimer::Timer_Avari_Snd);
    tree.redrawHistory();
    return true;
}

} // namespace kvt
