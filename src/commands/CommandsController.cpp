#include "commands/CommandsController.h"

#include "commands/CommandHost.h"
#include "common/MainTimers.h"
#include "common/OperatorNotices.h"
#include "journals/StatusLine.h"
#include "settings/Settings.h"
#include "store/Registry.h"

namespace kvt::commands {

namespace {
const QString kNoModemOrBusy = QStringLiteral("Связь с модемом не установлена или выполняется другое действие.");
const QString kNoModemForTopUp = QStringLiteral(
    "Связь с модемом не установлена. Для пополнения баланса необходимо установить связь с модемом в настройках "
    "программы.");
const QString kChooseObject = QStringLiteral("Необходимо выбрать объект из списка объектов");
} // namespace

const QString CommandsController::kCommandWindowCaption = QStringLiteral("Передача команды ");

CommandsController::CommandsController(CommandsContext context)
    : c_(context),
      gate_(c_.log, c_.modem, c_.modemPort),
      buttons_({c_.host, c_.notices, c_.log, gate_, c_.registry, c_.channels, c_.radioPort, c_.rs485Port,
                c_.indicators, c_.radio, c_.rs485, c_.settings, c_.sms, c_.sounds, c_.current}),
      balanceCheck_(c_.exchange, c_.log, balance_),
      topUp_(c_.exchange, c_.log, c_.notices),
      terminal_({c_.host, c_.notices, c_.log, gate_, c_.registry, c_.sms, c_.sounds})
{
}

void CommandsController::lbl2Click()
{
    if (gate_.busy()) {
        c_.host.showBusyNotice();
        return;
    }
    if (gate_.modemSilent()) {
        c_.notices.information(kModemSilentRefusal);
        return;
    }
    if (!gate_.modemConnected() || c_.statusLine.colour() == EventColour::Green) {
        c_.notices.notice(kNoModemOrBusy);
        return;
    }
    balanceCheck_.CheckBalance({c_.settings->balancePhone, c_.settings->balanceMask, c_.settings->balanceAnswerLength});
}

void CommandsController::SpeedButton5Click()
{
    if (gate_.busy()) {
        c_.host.showBusyNotice();
        return;
    }
    if (gate_.modemSilent()) {
        c_.notices.information(kModemSilentRefusal);
        return;
    }
    if (!gate_.modemConnected()) {
        c_.notices.notice(kNoModemForTopUp);
        return;
    }
    if (!topUpWindow_)
        return;
    topUpWindow_->clearProgress();
    topUpWindow_->showModal();
}

void CommandsController::SpeedButton_Show_Send_Comand_FormClick()
{
    if (!commandWindow_)
        return;
    // A terminal answer has come (the button blinks): the window as it was, to read it.
    if (c_.timers.isActive(MainTimer::Timer1)) {
        commandWindow_->showModal();
        return;
    }
    c_.host.focusObjectTree();
    const std::optional<QString> name = c_.host.selectedObjectName();
    registry::ObjectTable& objects = c_.registry.objects();
    if (!name || !objects.locateByName(*name)) {
        c_.notices.notice(kChooseObject);
        return;
    }
    const QChar quote = QLatin1Char('"');
    commandWindow_->setCaption(kCommandWindowCaption + quote + *name + QLatin1Char('(')
                               + objects.currentRow().Phone_O + QLatin1Char(')') + quote);
    commandWindow_->showModal();
}

void CommandsController::N48Click()
{
    showCommandWindow(CommandWindow::kTopUpPage);
}

void CommandsController::N49Click()
{
    showCommandWindow(CommandWindow::kCommandPage);
}

void CommandsController::showCommandWindow(int page)
{
    if (!commandWindow_)
        return;
    commandWindow_->setPage(page);
    commandWindow_->showModal();
}

} // namespace kvt::commands
