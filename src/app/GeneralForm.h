#pragma once

#include "app/MainWindowTimers.h"
#include "common/ErrorHandler.h"
#include "forms/ObjectFormHandlers.h"
#include "objects/ui/ObjOptEditor.h"
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
class Confirmation;
struct ConsoleCore;
class DesktopShell;
class ErrorRecovery;
class LinkStopHandshake;
class MessageForm;
class ObjectView;
class OptionsForm;
class GurSoobForm;
class ProgramLauncher;
namespace registry {
class ObjectRegistryUi;
class ObjectTreeView;
class HistoryTreeView;
class RegistryTrees;
} // namespace registry
class OperatorNotices;
class TerminalBlink;

// What the main window works with, made by the start-up.
struct GeneralServices {
    ConsoleCore& core;
    OperatorNotices& notices;
    Confirmation& confirmation;
    DesktopShell& shell;
    ProgramLauncher& launcher;
    // The object form file given on the command line; empty when none.
    QString commandLineForm;
};

// The main window of the console (TGeneral).
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
    // The windows created after the main window (start-up order) that it shows.
    void setAboutForm(AboutForm* about) { aboutForm_ = about; }
    void setMessageForm(MessageForm* message) { messageForm_ = message; }
    void setParameterEditor(ObjOptEditor* editor) { parameterEditor_ = editor; }
    void setOptionsForm(OptionsForm* options) { optionsForm_ = options; }
    void setJournalForm(GurSoobForm* journal) { journalForm_ = journal; }

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
    ObjectView* objectView() const { return objectView_; }
    QLabel* statusLineLabel() const { return label25_; }
    QMenu* objectTreeMenu() const { return objectTreeMenu_; }
    QMenu* historyTreeMenu() const { return historyTreeMenu_; }
    QMenu* objectViewMenu() const { return objectViewMenu_; }

    // The link stop handshakes run when the window closes (none while no link engine exists).
    void setLinkStopHandshake(LinkStopHandshake* handshake) { linkStop_ = handshake; }
    // Tells whether the terminal window is on screen (ends the terminal caption blink).
    void setTerminalWindowShown(std::function<bool()> shown) { terminalWindowShown_ = std::move(shown); }

    // The history height rule applied to the history tree.
    void ApplyHistoryHeight();
    int historyTreeHeight() const;
    // Re-centres the object form as after a system command of the window.
    void RecentreAfterSystemCommand();

    // Start-up steps of the window (FormCreate runs in the constructor).
    void FormShow();

public slots:
    // Objects (registry).
    virtual void Add_New_Object_ButtonClick();
    virtual void Destruction_Object_ButtonClick();
    virtual void Remove_Object_ButtonClick();
    virtual void SpeedButton_Arhive_DBClick();
    // Poll, terminal, top-up and balance.
    virtual void Query_Send_ButtonClick();
    virtual void SpeedButton_Show_Send_Comand_FormClick();
    virtual void ObjectTopUpItemClick();
    virtual void ObjectCommandItemClick();
    virtual void lbl2Click();
    // Status display.
    virtual void Stop_Avari_ButtonClick();
    virtual void ShowObjectFormItemClick();
    virtual void ShowObjectSettingsItemClick();
    virtual void ObjectManagerItemClick();
    virtual void HelpItemClick();
    virtual void AboutItemClick();
    // Settings and journals.
    virtual void SettingsButtonClick();
    virtual void EventJournalButtonClick();
    virtual void AlarmBookButtonClick();
    virtual void StateBookItemClick();
    virtual void PreviousEventClick();
    virtual void NextEventClick();
    virtual void ClearEventLogClick();
    virtual void CancelActionClick();
    // Timers.
    virtual void QueryTimerTimer();
    virtual void ATTimerTimer();
    virtual void Timer2Timer();
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
    void buildMenus();
    void buildContextMenus();
    void connectTimers();
    void FormCreate();
    void FormClose();
    void AddCommandLineObject(const QString& argument);
    void Splitter1Moved();
    void bindObjectLines();

    GeneralServices services_;
    std::unique_ptr<ErrorRecovery> errorRecovery_;
    GlobalErrorHandler::Sink previousErrorSink_;
    std::unique_ptr<TerminalBlink> terminalBlink_;
    MessageForm* messageForm_ = nullptr;
    AboutForm* aboutForm_ = nullptr;
    ObjOptEditor* parameterEditor_ = nullptr;
    OptionsForm* optionsForm_ = nullptr;
    GurSoobForm* journalForm_ = nullptr;
    std::unique_ptr<registry::ObjectRegistryUi> registryUi_;
    LinkStopHandshake* linkStop_ = nullptr;
    std::function<bool()> terminalWindowShown_;
    bool closed_ = false;

    QWidget* toolbar_ = nullptr;
    QWidget* treeArea_ = nullptr;
    QWidget* leftPanel_ = nullptr;
    QSplitter* splitter1_ = nullptr;
    QSplitter* splitter5_ = nullptr;
    registry::ObjectTreeView* objectTree_ = nullptr;
    registry::HistoryTreeView* historyTree_ = nullptr;
    QWidget* linkPanel_ = nullptr;
    QProgressBar* signalBar_ = nullptr;
    QLabel* balanceLabel_ = nullptr;
    QLabel* label25_ = nullptr;
    QLabel* stateLine_ = nullptr;     // Label17
    QLabel* linkCheckLine_ = nullptr; // Label10
    ObjectView* objectView_ = nullptr;
    QWidget* bottomPanel_ = nullptr;
    QAbstractButton* terminalButton_ = nullptr;
    QMenu* objectTreeMenu_ = nullptr;
    QMenu* historyTreeMenu_ = nullptr;
    QMenu* objectViewMenu_ = nullptr;
};

} // namespace kvt
