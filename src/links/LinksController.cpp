#include "links/LinksController.h"

namespace kvt {

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
