#include "app/GeneralForm.h"

#include "app/ClosableWindows.h"
#include "app/CommandsWiring.h"
#include "app/ConsoleArrivalHost.h"
#include "app/ConsoleController.h"
#include "app/ConsoleCore.h"
#include "app/ErrorRecovery.h"
#include "app/FormPlacement.h"
#include "app/GsmEngineAdapters.h"
#include "app/LinksWindowAdapter.h"
#include "app/TerminalBlink.h"
#include "app/TrendWindows.h"
#include "common/ui/OuterGeometry.h"
#include "common/ui/WindowFonts.h"
#include "journals/StatusIcons.h"
#include "journals/ui/MessageForm.h"
#include "links/LinksController.h"
#include "objects/ui/ObjectRegistryUi.h"
#include "objects/ui/ObjectView.h"
#include "objects/ui/RegistryServices.h"
#include "objects/ui/RegistryTreeViews.h"
#include "settings/ui/OptionsForm.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QMenuBar>
#include <QSplitter>

#include <algorithm>

namespace kvt {

namespace {
constexpr QSize kMinimumWindowSize(640, 480);
} // namespace

const QString GeneralForm::kCaption = QStringLiteral("КВТ 5.1 NVX - Телвикс");

GeneralForm::GeneralForm(GeneralServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services))
{
    setObjectName(QStringLiteral("General"));
    setWindowTitle(kCaption);
    setFont(WindowFont());
    setMinimumSize(kMinimumWindowSize);
    outerGeometry_ = new OuterGeometry(*this);

    ConsoleCore& core = services_.core;
    errorRecovery_ = std::make_unique<ErrorRecovery>(timers(), core.log, [&core] {
        // The modem counts as connected while its connect button is disabled.
        return core.connections.isConnected(Link::Gsm);
    });
    errorRecovery_->setDialogueRunning([&core] { return core.modem.dialogue.isRunning(); });
    previousErrorSink_ = GlobalErrorHandler::install([this](const QString& text) { errorRecovery_->handle(text); });

    buildLayout();
    buildMenus();
    buildContextMenus();
    terminalBlink_ = std::make_unique<TerminalBlink>(static_cast<QWidget&>(*terminalButton_), timers(), [this] {
        return terminalWindowShown_ && terminalWindowShown_();
    });
    connectTimers();
    core.currentObject.setFormHandlers(*this);

    registry::RegistryServices registryServices{programDirectory(), this, &core.currentObject, &core.decoder,
                                                &services_.notices, &services_.confirmation, &core.log,
                                                &core.supervisionPause};
    registryUi_ = std::make_unique<registry::ObjectRegistryUi>(core.registry, core.addresses, objectTree_,
                                                               historyTree_, registryServices, this);
    registryUi_->trees().setImageList(StatusImageList());
    console_ = std::make_unique<ConsoleController>(ConsoleContext{core, registryUi_->trees(), *this, services_.notices,
                                                                  services_.launcher, services_.commandLineForm});
    trendWindows_ = std::make_unique<TrendWindows>(core, registryUi_->trees(), services_.notices, this);
    closableWindows_ = std::make_unique<ClosableWindows>();
    closableWindows_->add(ArrivalWindow::AddNewObject, &registryUi_->addNewObjectForm());
    arrivalHost_ = std::make_unique<ConsoleArrivalHost>(core, registryUi_->trees(), *closableWindows_);
    gsmEngine_ = std::make_unique<GsmEngineWiring>(*this, *arrivalHost_);
    commands_ = std::make_unique<CommandsWiring>(*this);
    commandHandlers_ = services_.commands ? services_.commands : &commands_->controller();
    bindBalance();
    linksWindow_ = std::make_unique<LinksWindowAdapter>(core.registry, registryUi_->trees(), core.currentObject,
                                                        core.decoder);
    core.links.attachTrees(*linksWindow_, [this] { return registryUi_->addNewObjectForm().isVisible(); });
    // The link engines learn of added, edited and removed objects at once.
    connect(&registryUi_->commands(), &registry::ObjectCommands::objectsChanged, this,
            [&core] { Guarded([&] { core.links.objectsChanged(); }); });
    core.links.attachReportSteps(*linksWindow_, *arrivalHost_);
    resize(kInitialClientWidth, kInitialClientHeight + menuBar()->sizeHint().height());
    timers().start(MainTimer::Timer2);
    Guarded([this] { console_->FormCreate(); });
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

const QString& GeneralForm::programDirectory() const
{
    return services_.core.programDirectory;
}

MainWindowTimers& GeneralForm::timers()
{
    return services_.core.timers;
}

registry::RegistryTrees& GeneralForm::trees()
{
    return registryUi_->trees();
}

void GeneralForm::setOptionsForm(OptionsForm* options)
{
    optionsForm_ = options;
    console_->setSettingsWindow(options);
}

void GeneralForm::setLinkStopHandshake(LinkStopHandshake* handshake)
{
    console_->setLinkStopHandshake(handshake);
}

commands::CommandsController& GeneralForm::commands()
{
    return commands_->controller();
}

void GeneralForm::setCommandWindows(SendComandForm& command, PopolnenSchetaForm& topUp)
{
    commands_->setWindows(command, topUp);
}

void GeneralForm::showBusyNotice()
{
    // Modal, but it does not hold the handler: a modem dialogue that runs meanwhile goes on.
    if (messageForm_)
        messageForm_->open();
}

void GeneralForm::FormShow()
{
    console_->FormShow();
}

void GeneralForm::closeEvent(QCloseEvent* event)
{
    console_->FormClose();
    event->accept();
}

// --- placement of the object form and the history tree -------------------------------------

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

// --- what the settings act on -----------------------------------------------------------------

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
    // Stored as the window stands on the screen, frame included, as windowGeometry() gives it.
    outerGeometry_->place(QRect(geometry.left, geometry.top, geometry.width, geometry.height));
    const QList<int> sizes = splitter1_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    splitter1_->setSizes({geometry.objPanelWidth, std::max(0, total - geometry.objPanelWidth)});
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
