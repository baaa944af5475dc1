#include "app/CommandsWiring.h"

#include "app/ClosableWindows.h"
#include "app/ConsoleCore.h"
#include "app/GeneralForm.h"
#include "app/StatusTreeAdapter.h"
#include "commands/ui/PopolnenSchetaForm.h"
#include "commands/ui/SendComandForm.h"
#include "objects/ui/ObjectTreeModel.h"
#include "objects/ui/RegistryTrees.h"

namespace kvt {

void MainWindowForCommands::focusObjectTree()
{
    StatusTreeAdapter(window_.trees()).focusObjectTree();
}

std::optional<QString> MainWindowForCommands::selectedObjectName() const
{
    registry::RegistryTrees& trees = window_.trees();
    const QModelIndex node = trees.selectedObjectNode();
    // The root "Список объектов" names no object.
    if (!node.isValid() || trees.objectModel().isRoot(node))
        return std::nullopt;
    return trees.objectModel().node(node).text;
}

void MainWindowForCommands::showBusyNotice()
{
    window_.showBusyNotice();
}

namespace {

commands::CommandsContext ContextOf(GeneralForm& window, commands::CommandHost& host)
{
    ConsoleCore& core = window.core();
    gsm::GsmEngine& engine = core.gsm.engine();
    return {core.ports->Port_Modem(),
            core.ports->Port_ZigBee(),
            core.ports->Port_RS485(),
            core.timers,
            core.log,
            core.log.statusLine(),
            core.modem,
            engine.exchange(),
            engine.sms(),
            core.links.RadioLink(),
            core.links.Rs485Link(),
            core.indicators,
            core.settings,
            core.sounds,
            core.registry,
            core.addresses,
            core.currentObject,
            window.notices(),
            host};
}

} // namespace

CommandsWiring::CommandsWiring(GeneralForm& window)
    : window_(window), host_(window), controller_(ContextOf(window, host_))
{
}

void CommandsWiring::setWindows(SendComandForm& command, PopolnenSchetaForm& topUp)
{
    controller_.setCommandWindow(&command);
    controller_.setTopUpWindow(&topUp);
    // A state packet's arrival closes both, the top-up window first.
    window_.closableWindows().add(ArrivalWindow::TopUp, &topUp);
    window_.closableWindows().add(ArrivalWindow::Command, &command);
    // The terminal caption blinks until the command window is on screen.
    window_.setTerminalWindowShown([&command] { return command.isShown(); });
}

} // namespace kvt
