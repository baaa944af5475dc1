#include "app/GsmEngineAdapters.h"

#include "app/ConsoleCore.h"
#include "app/GeneralForm.h"
#include "app/StatusTreeAdapter.h"
#include "objects/ui/ObjectRegistryUi.h"
#include "objects/ui/RegistryTreeViews.h"

#include <QAbstractButton>

namespace kvt {

// --- the objects table -------------------------------------------------------------------------

std::optional<gsm::ObjectEntry> RegistryObjectDirectory::current() const
{
    const registry::ObjectRecord& row = registry_.objects().currentRow();
    return gsm::ObjectEntry{row.Kod_O, row.Name_O, row.Phone_O, row.Proverca_S, row.Time_Ring};
}

std::optional<gsm::ObjectEntry> RegistryObjectDirectory::findByPhone(const QString& phone)
{
    return registry_.objects().locateByPhone(phone) ? current() : std::nullopt;
}

std::optional<gsm::ObjectEntry> RegistryObjectDirectory::findByName(const QString& name)
{
    return registry_.objects().locateByName(name) ? current() : std::nullopt;
}

void RegistryObjectDirectory::setTimeRing(int objectCode, const QString& text)
{
    registry::ObjectTable& objects = registry_.objects();
    if (!objects.locateByCode(objectCode))
        return;
    objects.editCurrent([&](registry::ObjectRecord& row) { row.Time_Ring = text; });
}

// --- settings, event list, links, link buttons ---------------------------------------------------

QString SettingsForEngine::dispatchPointPhone() const
{
    return settings_->transferPhone;
}

bool SettingsForEngine::forwardingOn() const
{
    return settings_->transferActive;
}

bool SettingsForEngine::answerLinkCheckCalls() const
{
    return settings_->answerLinkCheckCall;
}

QString SettingsForEngine::smsMemory() const
{
    return settings_->smsMemory;
}

int EventListForEngine::eventLineCount() const
{
    return int(log_.events().size());
}

void EventListForEngine::ArchiveEventLog(const QString& title)
{
    log_.ArchiveEventLog(title);
}

void LinkStepsForEngine::radioStep()
{
    links_.radioStep();
}

bool LinkStepsForEngine::rs485Step()
{
    return links_.rs485Step();
}

void GsmLinkButtons::showModemConnected(bool connected)
{
    connections_.setConnected(Link::Gsm, connected);
}

// --- the main window -----------------------------------------------------------------------------

bool MainWindowForEngine::addObjectWindowShowing() const
{
    return window_.registryUi().addNewObjectForm().isVisible();
}

void MainWindowForEngine::selectObjectNode(int objectCode)
{
    if (window_.core().registry.objects().locateByCode(objectCode))
        window_.trees().SelectObjectNode();
}

QString MainWindowForEngine::selectedNodeText() const
{
    return StatusTreeAdapter(window_.trees()).selectedText();
}

void MainWindowForEngine::focusObjectTree()
{
    StatusTreeAdapter(window_.trees()).focusObjectTree();
}

int MainWindowForEngine::selectedNodeIcon() const
{
    return StatusTreeAdapter(window_.trees()).selectedIcon();
}

void MainWindowForEngine::showSelectedNodeIcon(int icon)
{
    StatusTreeAdapter tree(window_.trees());
    tree.setSelectedIcon(icon);
    tree.setHistoryRootIcon(icon);
    tree.redrawHistory();
    window_.objectTree()->viewport()->update();
}

void MainWindowForEngine::setPollButtonEnabled(bool enabled)
{
    window_.pollButton()->setEnabled(enabled);
}

void MainWindowForEngine::pollSelectedObject()
{
    window_.Query_Send_ButtonClick();
}

void MainWindowForEngine::showLastChangeLine(const QString& text)
{
    window_.core().currentObject.showStateLine(text);
}

void MainWindowForEngine::showLinkCheckLine(const QString& text)
{
    window_.core().currentObject.showLinkCheckLine(text);
}

void MainWindowForEngine::showBusyNotice()
{
    window_.showBusyNotice();
}

void MainWindowForEngine::playDataSentSound()
{
    window_.core().sounds.playDataSent();
}

// --- the wiring ----------------------------------------------------------------------------------

GsmEngineWiring::GsmEngineWiring(GeneralForm& window, StatePacketArrivalHost& arrivals)
    : controller_(window.core().gsm),
      objects_(window.core().registry),
      settings_(window.core().settings),
      eventList_(window.core().log),
      links_(window.core().links),
      buttons_(window.core().connections),
      view_(window)
{
    controller_.attach({objects_, view_, settings_, eventList_, links_, buttons_, arrivals, registry::kDataAlias});
}

GsmEngineWiring::~GsmEngineWiring()
{
    controller_.detach();
}

} // namespace kvt
