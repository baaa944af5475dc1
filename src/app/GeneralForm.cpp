#include "app/GeneralForm.h"

#include "app/CommandLineObject.h"
#include "app/ConsoleCore.h"
#include "app/ProgramLauncher.h"
#include "common/DesktopShell.h"
#include "app/ErrorRecovery.h"
#include "app/MainWindowCancelSteps.h"
#include "app/FormPlacement.h"
#include "app/StatusTreeAdapter.h"
#include "app/TerminalBlink.h"
#include "common/Clock.h"
#include "common/ErrorHandler.h"
#include "common/Errors.h"
#include "common/LinkStopHandshake.h"
#include "serial/SerialPort.h"
#include "common/OperatorNotices.h"
#include "journals/ui/AboutForm.h"
#include "journals/EventLogCommands.h"
#include "journals/ui/MessageForm.h"
#include "journals/StatusIcons.h"
#include "objects/ui/PageSwitching.h"
#include "forms/ObjectForm.h"
#include "objects/ui/ObjectRegistryUi.h"
#include "objects/ui/RegistryServices.h"
#include "objects/ui/RegistryTreeViews.h"
#include "objects/ui/ObjectView.h"
#include "journals/ui/GurSoobForm.h"
#include "journals/MonthlyBooks.h"
#include "settings/ui/OptionsForm.h"

#include <QCloseEvent>
#include <QAbstractButton>
#include <QDir>
#include <QMenuBar>
#include <QSplitter>

namespace kvt {

namespace {
constexpr QSize kMinimumWindowSize(640, 480);
constexpr int kDefaultFontPixels = 11;
constexpr int kClosingPauseMs = 100;
} // namespace

const QString GeneralForm::kCaption = QStringLiteral("КВТ 5.1 NVX - Телвикс");


GeneralForm::GeneralForm(GeneralServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services))
{
    setObjectName(QStringLiteral("General"));
    setWindowTitle(kCaption);
    QFont font = this->font();
    font.setPixelSize(kDefaultFontPixels);
    setFont(font);
    setMinimumSize(kMinimumWindowSize);

    errorRecovery_ = std::make_unique<ErrorRecovery>(timers(), services_.core.log, [this] {
        // The modem counts as connected while its connect button is disabled.
        return services_.core.connections.isConnected(Link::Gsm);
    });
    previousErrorSink_ = GlobalErrorHandler::install([this](const QString& text) { errorRecovery_->handle(text); });

    buildLayout();
    buildMenus();
    buildContextMenus();
    terminalBlink_ = std::make_unique<TerminalBlink>(static_cast<QWidget&>(*terminalButton_), timers(), [this] {
        return terminalWindowShown_ && terminalWindowShown_();
    });
    connectTimers();
    services_.core.currentObject.setFormHandlers(*this);
    registry::RegistryServices registryServices;
    registryServices.programDirectory = programDirectory();
    registryServices.host = this;
    registryServices.current = &services_.core.currentObject;
    registryServices.decoder = &services_.core.decoder;
    registryServices.notices = &services_.notices;
    registryServices.confirmation = &services_.confirmation;
    registryServices.events = &services_.core.log;
    registryServices.pause = &services_.core.supervisionPause;
    registryUi_ = std::make_unique<registry::ObjectRegistryUi>(services_.core.registry, services_.core.addresses,
                                                               objectTree_, historyTree_, registryServices, this);
    registryUi_->trees().setImageList(StatusImageList());
    resize(kInitialClientWidth, kInitialClientHeight + menuBar()->sizeHint().height());
    timers().start(MainTimer::Timer2);
    Guarded([this] { FormCreate(); });
}

GeneralForm::~GeneralForm()
{
    GlobalErrorHandler::install(std::move(previousErrorSink_));
}

void GeneralForm::connectTimers()
{
    const std::pair<MainTimer, void (GeneralForm::*)()> ticks[] = {
        {MainTimer::QueryTimer, &GeneralForm::QueryTimerTimer},
        {MainTimer::ATTimer, &GeneralForm::ATTimerTimer},
        {MainTimer::Timer2, &GeneralForm::Timer2Timer},
        {MainTimer::Timer1, &GeneralForm::Timer1Timer},
        {MainTimer::Timer_Avari_Snd, &GeneralForm::Timer_Avari_SndTimer},
        {MainTimer::Timer_mig, &GeneralForm::Timer_migTimer},
    };
    for (const auto& [timer, handler] : ticks)
        connect(&timers().qtimer(timer), &QTimer::timeout, this, [this, handler = handler] { (this->*handler)(); });
}

MainWindowTimers& GeneralForm::timers()
{
    return services_.core.timers;
}

const QString& GeneralForm::programDirectory() const
{
    return services_.core.programDirectory;
}

void GeneralForm::FormCreate()
{
    ConsoleCore& core = services_.core;
    core.supervisionPause.set(false);
    core.modem.dispatchPollFlag = false;
    // Logs the start, then loads the event list from report.log.
    core.log.StartUp();
    core.registry.open();
    registry::AnnounceSetAsideStore(core.registry, core.log, services_.notices);
    core.modem.modemLost = true;
    registryUi_->trees().BuildObjectTree();
}

void GeneralForm::FormShow()
{
    ConsoleCore& core = services_.core;
    core.log.ArchiveIfOverThreshold();
    registryUi_->trees().expandObjectTree();
    objectTree_->setFocus();
    if (!services_.commandLineForm.isEmpty() && IsObjectFormArgument(services_.commandLineForm))
        AddCommandLineObject(services_.commandLineForm);
    ApplyHistoryHeight();
}

void GeneralForm::AddCommandLineObject(const QString& argument)
{
    ConsoleCore& core = services_.core;
    const QString name = FileNamePart(argument);
    core.log.LogEvent(QStringLiteral("Добавление объекта"), name, EventColour::White);
    registry::ObjectTable& objects = core.registry.objects();
    objects.append(CommandLineObjectRecord(argument, objects.NextFreeCode()));
    // Under the root "Список объектов" (the tree's top item: nothing scrolls it at start-up).
    registry::RegistryTrees& trees = registryUi_->trees();
    const QModelIndex node = trees.objectModel().appendChild(
        {name, objects.currentRow().Kod_O, static_cast<int>(StatusIcon::GsmUp)});
    core.currentObject.LoadObjectForm(argument);
    trees.selectObjectNode(node);
}

// --- closing ----------------------------------------------------------------------------------

void GeneralForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void GeneralForm::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    // Each step runs even when an earlier one failed: a log file that cannot be written must
    // not cost the operator the settings or leave a link exchange running.
    Guarded([this] {
        services_.core.log.LogEvent(EventLog::kCloseTitle, QString(), EventColour::White);
    });
    if (optionsForm_)
        Guarded([this] { optionsForm_->SaveSettings(); });
    if (linkStop_) {
        Guarded([this] { linkStop_->stopRadioExchange(); });
        Guarded([this] { linkStop_->stopRs485Exchange(); });
    }
    WaitPumping(services_.core.clock, kClosingPauseMs);
}

// --- placement of the object form ---------------------------------------------------------------

int GeneralForm::historyTreeHeight() const
{
    return splitter5_->sizes().value(1);
}

void GeneralForm::ApplyHistoryHeight()
{
    const int rows = services_.core.registry.isOpen() ? services_.core.registry.objects().recordCount() : 0;
    const int height = HistoryTreeHeight(frameGeometry().height(), rows);
    const QList<int> sizes = splitter5_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    splitter5_->setSizes({std::max(0, total - height), height});
}

void GeneralForm::RecentreAfterSystemCommand()
{
    if (QWidget* form = objectView_->formWidget())
        objectView_->placeForm(PlaceAfterSystemCommand(objectView_->size(), form->size()));
    ApplyHistoryHeight();
}

void GeneralForm::Splitter1Moved()
{
    if (QWidget* form = objectView_->formWidget())
        objectView_->placeForm(PlaceAfterSplitterDrag(objectView_->size(), form->size(), form->pos()));
}

void GeneralForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    RecentreAfterSystemCommand();
}

void GeneralForm::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    RecentreAfterSystemCommand();
}

void GeneralForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        RecentreAfterSystemCommand();
}

// --- status display -----------------------------------------------------------------------------

void GeneralForm::Stop_Avari_ButtonClick()
{
    StatusTreeAdapter trees(registryUi_->trees());
    ResetSelectedObject(trees, services_.core.log, timers());
}

void GeneralForm::ShowObjectFormItemClick()
{
    services_.core.currentObject.showPage(0);
}

void GeneralForm::ShowObjectSettingsItemClick()
{
    services_.core.currentObject.showPage(1);
}

void GeneralForm::SpeedButton3Click(FormControl&) {}

void GeneralForm::Send_Pusk_ButtonClick(FormControl&) {}

void GeneralForm::TabSet1Change(FormControl&, int, bool&)
{
    if (ObjectForm* form = services_.core.currentObject.form())
        FlipFormPages(*form);
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

void GeneralForm::ObjectManagerItemClick()
{
    const QString manager = FindObjectManager(programDirectory(), qEnvironmentVariable("PATH"));
    if (manager.isEmpty()) {
        services_.notices.notice(QStringLiteral("Файлы программы менеджера объектов не найдены."));
        return;
    }
    services_.launcher.startProgram(manager);
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

// --- the event bar ------------------------------------------------------------------------------

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
    MainWindowCancelSteps modem(services_.core.ports->Port_Modem(), timers());
    EventLogCommands::Cancel(services_.core.log, modem, services_.core.clock);
}

// --- handlers of the registry, the settings, the journals and the links ----------------------

void GeneralForm::Query_Send_ButtonClick() {}
void GeneralForm::SpeedButton_Show_Send_Comand_FormClick() {}
void GeneralForm::ObjectTopUpItemClick() {}
void GeneralForm::ObjectCommandItemClick() {}
void GeneralForm::lbl2Click() {}
void GeneralForm::QueryTimerTimer() {}
void GeneralForm::ATTimerTimer() {}
void GeneralForm::Timer2Timer() {}

} // namespace kvt
