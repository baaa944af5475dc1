#include "app/ConsoleController.h"

#include "app/CommandLineObject.h"
#include "app/ConsoleCore.h"
#include "app/MainWindowCancelSteps.h"
#include "app/ProgramLauncher.h"
#include "app/StatusTreeAdapter.h"
#include "common/Clock.h"
#include "common/ErrorHandler.h"
#include "common/LinkStopHandshake.h"
#include "common/OperatorNotices.h"
#include "journals/EventLogCommands.h"
#include "journals/StatusIcons.h"
#include "objects/ui/RegistryTreeViews.h"
#include "objects/ui/RegistryTrees.h"
#include "settings/MainWindowAccess.h"
#include "settings/ui/OptionsForm.h"

namespace kvt {

namespace {
constexpr int kClosingPauseMs = 100;
const QString kObjectManagerMissing = QStringLiteral("Файлы программы менеджера объектов не найдены.");
} // namespace

void ConsoleController::FormCreate()
{
    ConsoleCore& core = context_.core;
    core.supervisionPause.set(false);
    core.modem.dispatchPollFlag = false;
    // Each step runs even when an earlier one failed: a log file that cannot be written must not
    // cost the operator the objects, nor a damaged store the event list.
    // Logs the start, then loads the event list from report.log.
    Guarded([&core] { core.log.StartUp(); });
    Guarded([&core] { core.registry.open(); });
    Guarded([this, &core] { registry::AnnounceSetAsideStore(core.registry, core.log, context_.notices); });
    core.modem.modemLost = true;
    Guarded([this] { context_.trees.BuildObjectTree(); });
}

void ConsoleController::FormShow()
{
    // As at creation, each step on its own.
    Guarded([this] { context_.core.log.ArchiveIfOverThreshold(); });
    Guarded([this] {
        context_.trees.expandObjectTree();
        context_.trees.objectTree()->setFocus();
    });
    if (!context_.commandLineForm.isEmpty() && IsObjectFormArgument(context_.commandLineForm))
        Guarded([this] { AddCommandLineObject(context_.commandLineForm); });
    Guarded([this] { context_.window.applyHistoryHeightRule(); });
}

void ConsoleController::AddCommandLineObject(const QString& argument)
{
    ConsoleCore& core = context_.core;
    const QString name = FileNamePart(argument);
    core.log.LogEvent(QStringLiteral("Добавление объекта"), name, EventColour::White);
    registry::ObjectTable& objects = core.registry.objects();
    objects.append(CommandLineObjectRecord(argument, objects.NextFreeCode()));
    // Under the root "Список объектов" (the tree's top item: nothing scrolls it at start-up).
    const QModelIndex node = context_.trees.objectModel().appendChild(
        {name, objects.currentRow().Kod_O, static_cast<int>(StatusIcon::GsmUp)});
    core.currentObject.LoadObjectForm(argument);
    context_.trees.selectObjectNode(node);
}

void ConsoleController::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    // A modem dialogue under way ends at its next wait (a call that is up is hung up).
    context_.core.modem.dialogue.requestAbort();
    // Each step runs even when an earlier one failed: a log file that cannot be written must
    // not cost the operator the settings or leave a link exchange running.
    Guarded([this] { context_.core.log.LogEvent(EventLog::kCloseTitle, QString(), EventColour::White); });
    if (options_)
        Guarded([this] { options_->SaveSettings(); });
    if (linkStop_) {
        Guarded([this] { linkStop_->stopRadioExchange(); });
        Guarded([this] { linkStop_->stopRs485Exchange(); });
    }
    WaitPumping(context_.core.clock, kClosingPauseMs);
}

void ConsoleController::Stop_Avari_ButtonClick()
{
    StatusTreeAdapter trees(context_.trees);
    ResetSelectedObject(trees, context_.core.log, context_.core.timers);
}

void ConsoleController::CancelActionClick()
{
    MainWindowCancelSteps modem(context_.core.ports->Port_Modem(), context_.core.timers);
    EventLogCommands::Cancel(context_.core.log, modem, context_.core.clock);
}

void ConsoleController::ObjectManagerItemClick()
{
    const QString manager = FindObjectManager(context_.core.programDirectory, qEnvironmentVariable("PATH"));
    if (manager.isEmpty()) {
        context_.notices.notice(kObjectManagerMissing);
        return;
    }
    context_.launcher.startProgram(manager);
}

} // namespace kvt
