// What the main window offers the registry, the settings and the journals, and its commands
// that hand over to them.
#include "app/ConsoleCore.h"
#include "app/GeneralForm.h"
#include "common/DesktopShell.h"
#include "journals/ui/GurSoobForm.h"
#include "journals/MonthlyBooks.h"
#include "objects/ui/ObjectCommands.h"
#include "forms/ObjectForm.h"
#include "objects/ui/ObjectRegistryUi.h"
#include "objects/ui/RegistryTreeViews.h"
#include "objects/ui/RegistryTrees.h"
#include "objects/ui/ObjectView.h"
#include "settings/ui/OptionsForm.h"

#include <QLabel>
#include <QSplitter>

#include <algorithm>

namespace kvt {

namespace {
constexpr int kBottomPanelFull = 59;
constexpr int kBottomPanelLineOnly = 16;
} // namespace

registry::RegistryTrees& GeneralForm::trees()
{
    return registryUi_->trees();
}

// --- commands ---------------------------------------------------------------------------------

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

// --- the settings ------------------------------------------------------------------------------

WindowGeometry GeneralForm::windowGeometry() const
{
    WindowGeometry geometry;
    const QRect outer = frameGeometry();
    geometry.left = outer.left();
    geometry.top = outer.top();
    geometry.height = outer.height();
    geometry.width = outer.width();
    geometry.objPanelWidth = leftPanel_->width();
    return geometry;
}

void GeneralForm::setWindowGeometry(const WindowGeometry& geometry)
{
    // The stored sizes are outer sizes, frame included.
    const QSize frame = frameGeometry().size() - size();
    move(geometry.left, geometry.top);
    resize(std::max(0, geometry.width - frame.width()), std::max(0, geometry.height - frame.height()));
    const QList<int> sizes = splitter1_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    splitter1_->setSizes({geometry.objPanelWidth, std::max(0, total - geometry.objPanelWidth)});
}

void GeneralForm::applyGsmCommandsPanel(bool checked)
{
    bottomPanel_->setFixedHeight(checked ? kBottomPanelFull : kBottomPanelLineOnly);
}

void GeneralForm::applyGenPanel(bool checked)
{
    toolbar_->setVisible(checked);
}

void GeneralForm::applySvyazInfoPanel(bool checked)
{
    linkPanel_->setVisible(checked);
}

void GeneralForm::applyHistoryPanel(bool checked)
{
    historyTree_->setVisible(checked);
    if (checked)
        ApplyHistoryHeight();
}

} // namespace kvt
