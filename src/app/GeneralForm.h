#pragma once

#include "app/ElidedLabel.h"
#include "app/MainWindowTimers.h"
#include "common/ErrorHandler.h"
#include "forms/ObjectFormHandlers.h"
#include "objects/ui/RegistryPorts.h"
#include "settings/MainWindowAccess.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAbstractButton;
class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QToolButton;

namespace kvt {

class AboutForm;
class ClosableWindows;
class CommandHandlers;
class CommandsWiring;
class ConsoleArrivalHost;
class Confirmation;
class ConsoleController;
struct ConsoleCore;
class DesktopShell;
class ErrorRecovery;
class GsmEngineWiring;
class GsmModemHandlers;
class GurSoobForm;
class LinkHandlers;
class LinkStopHandshake;
class LinksWindowAdapter;
class MessageForm;
class ObjOptEditor;
class ObjectView;
class OperatorNotices;
class OptionsForm;
class OuterGeometry;
class PopolnenSchetaForm;
class ProgramLauncher;
class SendComandForm;
class TerminalBlink;
class TrendWindows;
namespace commands {
class CommandsController;
}
namespace registry {
class HistoryTreeView;
class ObjectRegistryUi;
class ObjectTreeView;
class RegistryTrees;
} // namespace registry

// What the main window works with, made by the start-up.
struct GeneralServices {
    ConsoleCore& core;
    // The subsystems its handlers forward to (the core's controllers).
    GsmModemHandlers& gsm;
    LinkHandlers& links;
    OperatorNotices& notices;
    Confirmation& confirmation;
    DesktopShell& shell;
    ProgramLauncher& launcher;
    // The object form file given on the command line; empty when none.
    QString commandLineForm;
    // The operator's commands; none: the window's own, over the core's GSM engine and links.
    CommandHandlers* commands = nullptr;
};

// The main window of the console (TGeneral): its layout, menus and timers, each handler
// forwarded in one line to the part of the console that does the work.
class GeneralForm : public QMainWindow,
                    public ObjectFormHandlers,
                    public MainWindowAccess,
                    public registry::RegistryHost {
    Q_OBJECT
public:
    static const QString kCaption;
    static constexpr int kInitialClientWidth = 1020;
    static constexpr int kInitialClientHeight = 690;

    explicit GeneralForm(GeneralServices services, QWidget* parent = nullptr);
    ~GeneralForm() override;

    const QString& programDirectory() const;
    ConsoleCore& core() { return services_.core; }
    MainWindowTimers& timers();
    // The global error handler's work; installed while the window lives.
    ErrorRecovery& errorRecovery() { return *errorRecovery_; }
    ConsoleController& console() { return *console_; }
    // The windows created after the main window (start-up order) that it shows.
    void setAboutForm(AboutForm* about) { aboutForm_ = about; }
    void setMessageForm(MessageForm* message) { messageForm_ = message; }
    MessageForm* messageForm() const { return messageForm_; }
    void setParameterEditor(ObjOptEditor* editor) { parameterEditor_ = editor; }
    void setOptionsForm(OptionsForm* options);
    void setJournalForm(GurSoobForm* journal) { journalForm_ = journal; }
    // The windows a state packet closes when it arrives; every window that may be open then
    // joins here when it is made.
    ClosableWindows& closableWindows() { return *closableWindows_; }
    // The console's side of a state packet's arrival, for every link's receive path.
    ConsoleArrivalHost& arrivalHost() { return *arrivalHost_; }
    // The link stop handshakes run when the window closes (none while no link engine exists).
    void setLinkStopHandshake(LinkStopHandshake* handshake);
    // Tells whether the terminal window is on screen (ends the terminal caption blink).
    void setTerminalWindowShown(std::function<bool()> shown) { terminalWindowShown_ = std::move(shown); }
    // The operator's commands to objects and to the console's own modem, and their two windows.
    commands::CommandsController& commands();
    void setCommandWindows(SendComandForm& command, PopolnenSchetaForm& topUp);
    OperatorNotices& notices() { return services_.notices; }
    // The notification window: another action is under way.
    void showBusyNotice();

    // What the settings act on.
    WindowGeometry windowGeometry() const override;
    void setWindowGeometry(const WindowGeometry& geometry) override;
    void applyHistoryHeightRule() override { ApplyHistoryHeight(); }
    void applyGsmCommandsPanel(bool checked) override;
    void applyGenPanel(bool checked) override;
    void applySvyazInfoPanel(bool checked) override;
    void applyHistoryPanel(bool checked) override;

    // Handlers lent to the controls of object forms.
    void SpeedButton3Click(FormControl& sender) override;
    void Send_Pusk_ButtonClick(FormControl& sender) override;
    void TabSet1Change(FormControl& sender, int newTab, bool& allowChange) override;
    void SpinEdit2DblClick(FormControl& sender) override;
    void SpinEdit3DblClick(FormControl& sender) override;

    registry::ObjectTreeView* objectTree() const { return objectTree_; }
    registry::HistoryTreeView* historyTree() const { return historyTree_; }
    registry::RegistryTrees& trees();
    registry::ObjectRegistryUi& registryUi() { return *registryUi_; }
    TrendWindows& trendWindows() { return *trendWindows_; }
    ObjectView* objectView() const { return objectView_; }
    ElidedLabel* statusLineLabel() const { return label25_; }
    QAbstractButton* pollButton() const { return pollButton_; }
    QMenu* objectTreeMenu() const { return objectTreeMenu_; }
    QMenu* historyTreeMenu() const { return historyTreeMenu_; }
    QMenu* objectViewMenu() const { return objectViewMenu_; }

    // The history height rule applied to the history tree.
    void ApplyHistoryHeight();
    int historyTreeHeight() const;
    // Re-centres the object form as after a system command of the window.
    void RecentreAfterSystemCommand();

    // The show step of the window at start-up (its creation step runs in the constructor).
    void FormShow();

public slots:
    // Objects (registry).
    void Add_New_Object_ButtonClick();
    void Destruction_Object_ButtonClick();
    void Remove_Object_ButtonClick();
    void SpeedButton_Arhive_DBClick();
    // Poll, terminal, top-up and balance.
    void Query_Send_ButtonClick();
    void SpeedButton_Show_Send_Comand_FormClick();
    void N48Click();
    void N49Click();
    void lbl2Click();
    void SpeedButton5Click();
    // Status display and the object view.
    void Stop_Avari_ButtonClick();
    void ShowObjectFormItemClick();
    void ShowObjectSettingsItemClick();
    void ObjectManagerItemClick();
    void TrendsItemClick();
    void HelpItemClick();
    void AboutItemClick();
    // Settings and journals.
    void SettingsButtonClick();
    void EventJournalButtonClick();
    void AlarmBookButtonClick();
    void StateBookItemClick();
    void PreviousEventClick();
    void NextEventClick();
    void ClearEventLogClick();
    void CancelActionClick();
    // Timers.
    void QueryTimerTimer();
    void ATTimerTimer();
    void Timer2Timer();
    void Timer1Timer();
    void Timer_Avari_SndTimer();
    void Timer_migTimer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildLayout();
    QWidget* buildToolbar();
    QWidget* buildLeftPanel();
    QWidget* buildLinkPanel();
    QWidget* buildRightArea();
    QWidget* buildEventBar();
    QWidget* buildBottomPanel();
    void bindStatusLine();
    void bindBalance();
    void bindObjectLines();
    void buildMenus();
    void buildContextMenus();
    void connectTimers();
    void Splitter1Moved();

    GeneralServices services_;
    OuterGeometry* outerGeometry_ = nullptr;
    std::unique_ptr<ErrorRecovery> errorRecovery_;
    GlobalErrorHandler::Sink previousErrorSink_;
    std::unique_ptr<TerminalBlink> terminalBlink_;
    MessageForm* messageForm_ = nullptr;
    AboutForm* aboutForm_ = nullptr;
    ObjOptEditor* parameterEditor_ = nullptr;
    OptionsForm* optionsForm_ = nullptr;
    GurSoobForm* journalForm_ = nullptr;
    std::unique_ptr<registry::ObjectRegistryUi> registryUi_;
    std::unique_ptr<ConsoleController> console_;
    std::unique_ptr<TrendWindows> trendWindows_;
    std::unique_ptr<ClosableWindows> closableWindows_;
    std::unique_ptr<ConsoleArrivalHost> arrivalHost_;
    std::unique_ptr<GsmEngineWiring> gsmEngine_;
    std::unique_ptr<CommandsWiring> commands_;
    // Where the handlers of the operator's commands go.
    CommandHandlers* commandHandlers_ = nullptr;
    // The trees and the current form as the radio and RS-485 links use them.
    std::unique_ptr<LinksWindowAdapter> linksWindow_;
    std::function<bool()> terminalWindowShown_;

    QWidget* toolbar_ = nullptr;
    QWidget* leftPanel_ = nullptr;
    QSplitter* splitter1_ = nullptr;
    QSplitter* splitter5_ = nullptr;
    registry::ObjectTreeView* objectTree_ = nullptr;
    registry::HistoryTreeView* historyTree_ = nullptr;
    QWidget* linkPanel_ = nullptr;
    QProgressBar* signalBar_ = nullptr;
    QLabel* balanceLabel_ = nullptr;
    ElidedLabel* label25_ = nullptr;
    ElidedLabel* stateLine_ = nullptr;     // Label17
    ElidedLabel* linkCheckLine_ = nullptr; // Label10
    ObjectView* objectView_ = nullptr;
    QWidget* bottomPanel_ = nullptr;
    QWidget* bottomButtons_ = nullptr; // the row under Label10
    QAbstractButton* pollButton_ = nullptr;
    QAbstractButton* terminalButton_ = nullptr;
    QMenu* objectTreeMenu_ = nullptr;
    QMenu* historyTreeMenu_ = nullptr;
    QMenu* objectViewMenu_ = nullptr;
};

} // namespace kvt
