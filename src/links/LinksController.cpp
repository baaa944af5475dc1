#include "links/LinksController.h"

namespace kvt {

void LinksController::radioStep()
{
    // The radio report waiting in the radio link's mailbox goes here.
}

bool LinksController::rs485Step()
{
    // The RS-485 report waiting in the RS-485 link's mailbox goes here.
    return true;
}

void LinksController::Timer2Timer()
{
    // Link supervision goes here: lost objects are marked, unless supervision is paused.
}

void LinksController::Send_Pusk_ButtonClick(FormControl&)
{
    // The command of the button goes here, into the link mailbox or as a data SMS.
}

void LinksController::SpeedButton3Click(FormControl&)
{
    // The settings of the form go here, into the link mailbox or as a data SMS.
}

} // namespace kvt
