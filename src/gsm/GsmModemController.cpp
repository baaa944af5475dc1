#include "gsm/GsmModemController.h"

namespace kvt {

GsmModemController::GsmModemController(GsmModemContext context)
    : context_(context),
      connection_({context.port, context.timers, context.state, context.indicators, context.log, context.clock}),
      work_(connection_),
      connector_(Link::Gsm, context.port, work_, context.settings, context.connections, context.notices)
{
}

void GsmModemController::QueryTimerTimer()
{
    // The receive dispatcher goes here: the link mailboxes' reports, then what the modem sent.
}

void GsmModemController::ATTimerTimer()
{
    // The modem keep-alive cycle goes here: one command of its rotation per tick.
}

void GsmModemController::Query_Send_ButtonClick()
{
    // The poll of the selected object by call goes here.
}

void GsmModemController::SpeedButton_Show_Send_Comand_FormClick()
{
    // Opening the command window on its terminal page goes here.
}

void GsmModemController::ObjectTopUpItemClick()
{
    // Opening the command window on its top-up page goes here.
}

void GsmModemController::ObjectCommandItemClick()
{
    // Opening the command window on its command page goes here.
}

void GsmModemController::lbl2Click()
{
    // The balance check of the dispatch modem's SIM goes here.
}

} // namespace kvt
