// The main window's handlers, each forwarded in one line to the part of the console that does
// the work: the registry's commands, the GSM modem and the links, the current object, the
// journals, and the console's own steps.
#include "app/ConsoleController.h"
#include "commands/CommandHandlers.h"
#include "app/ConsoleCore.h"
#include "app/GeneralForm.h"
#include "app/ProgramLauncher.h"
#include "app/TerminalBlink.h"
#include "app/TrendWindows.h"
#include "common/DesktopShell.h"
#include "gsm/GsmModemHandlers.h"
#include "journals/EventLogCommands.h"
#include "journals/MonthlyBooks.h"
#include "journals/ui/AboutForm.h"
#include "journals/ui/GurSoobForm.h"
#include "links/LinkHandlers.h"
#include "objects/ui/ObjOptEditor.h"
#include "objects/ui/ObjectCommands.h"
#include "objects/ui/ObjectRegistryUi.h"
#include "objects/ui/PageSwitching.h"
#include "settings/ui/OptionsForm.h"

#include <QDir>

namespace kvt {

namespace {
constexpr int kSchemePage = 0;
constexpr int kSettingsPage = 1;
} // namespace

// --- objects (registry) -----------------------------------------------------------------------

void GeneralForm::Add_New_Object_ButtonClick()
{
    registryUi_->commands().Add_New_Object_ButtonClick();
}

void GeneralForm::Destruction_Object_ButtonClick()
{
    registryUi_->commands().Destruction_Object_ButtonClick();
}

void GeneralForm::Remove_Object_ButtonClick()
{
    registryUi_->commands().Remove_Object_ButtonClick();
}

void GeneralForm::SpeedButton_Arhive_DBClick()
{
    registryUi_->commands().SpeedButton_Arhive_DBClick();
}

// --- the GSM modem --------------------------------------------------------------------------

void GeneralForm::Query_Send_ButtonClick()
{
    services_.gsm.Query_Send_ButtonClick();
}

void GeneralForm::QueryTimerTimer()
{
    services_.gsm.QueryTimerTimer();
}

void GeneralForm::ATTimerTimer()
{
    services_.gsm.ATTimerTimer();
}

// --- the operator's commands ------------------------------------------------------------------

void GeneralForm::SpeedButton_Show_Send_Comand_FormClick()
{
    commandHandlers_->SpeedButton_Show_Send_Comand_FormClick();
}

void GeneralForm::N48Click()
{
    commandHandlers_->N48Click();
}

void GeneralForm::N49Click()
{
    commandHandlers_->N49Click();
}

void GeneralForm::lbl2Click()
{
    commandHandlers_->lbl2Click();
}

void GeneralForm::SpeedButton5Click()
{
    commandHandlers_->SpeedButton5Click();
}

// --- the links and the controls of the object form --------------------------------------------

void GeneralForm::Timer2Timer()
{
    services_.links.Timer2Timer();
}

void GeneralForm::SpeedButton3Click(FormControl& sender)
{
    commandHandlers_->SpeedButton3Click(sender);
}

void GeneralForm::Send_Pusk_ButtonClick(FormControl& sender)
{
    commandHandlers_->Send_Pusk_ButtonClick(sender);
}

void GeneralForm::TabSet1Change(FormControl&, int, bool&)
{
    FlipCurrentFormPages(services_.core.currentObject);
}

void GeneralForm::SpinEdit2DblClick(FormControl& sender)
{
    if (parameterEditor_)
        parameterEditor_->editSettingBox(sender, ObjOptEditor::Group::Time);
}

void GeneralForm::SpinEdit3DblClick(FormControl& sender)
{
    if (parameterEditor_)
        parameterEditor_->editSettingBox(sender, ObjOptEditor::Group::Coordinate);
}

// --- the current object and the status display ------------------------------------------------

void GeneralForm::ShowObjectFormItemClick()
{
    services_.core.currentObject.showPage(kSchemePage);
}

void GeneralForm::ShowObjectSettingsItemClick()
{
    services_.core.currentObject.showPage(kSettingsPage);
}

void GeneralForm::Stop_Avari_ButtonClick()
{
    console_->Stop_Avari_ButtonClick();
}

void GeneralForm::Timer1Timer()
{
    terminalBlink_->tick();
}

void GeneralForm::Timer_Avari_SndTimer()
{
    services_.core.sounds.playAlarm();
}

void GeneralForm::Timer_migTimer()
{
    services_.core.currentObject.toggleBlinkPhase();
}

// --- the console, the settings and the journals -------------------------------------------------

void GeneralForm::ObjectManagerItemClick()
{
    console_->ObjectManagerItemClick();
}

void GeneralForm::TrendsItemClick()
{
    trendWindows_->openForSelectedObject();
}

void GeneralForm::HelpItemClick()
{
    // A missing manual or a missing viewer gives no message.
    services_.shell.open(QDir(programDirectory()).filePath(kManualFile));
}

void GeneralForm::AboutItemClick()
{
    if (aboutForm_)
        aboutForm_->exec();
}

void GeneralForm::SettingsButtonClick()
{
    if (optionsForm_)
        optionsForm_->ShowModal();
}

void GeneralForm::EventJournalButtonClick()
{
    if (journalForm_)
        journalForm_->exec();
}

void GeneralForm::AlarmBookButtonClick()
{
    OpenMonthlyBook(services_.shell, programDirectory(), MonthlyBook::Alarms, services_.core.clock);
}

void GeneralForm::StateBookItemClick()
{
    OpenMonthlyBook(services_.shell, programDirectory(), MonthlyBook::States, services_.core.clock);
}

void GeneralForm::PreviousEventClick()
{
    services_.core.log.ShowPrevious();
}

void GeneralForm::NextEventClick()
{
    services_.core.log.ShowNext();
}

void GeneralForm::ClearEventLogClick()
{
    EventLogCommands::Clear(services_.core.log, services_.confirmation);
}

void GeneralForm::CancelActionClick()
{
    console_->CancelActionClick();
}

} // namespace kvt
