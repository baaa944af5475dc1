#pragma once

#include "app/ConsoleCore.h"
#include "app/GeneralForm.h"
#include "app/ProgramLauncher.h"
#include "commands/CommandHandlers.h"
#include "forms/ObjectForm.h"
#include "gsm/GsmModemHandlers.h"
#include "links/LinkHandlers.h"
#include "store/DataAlias.h"
#include "support/RecordingSinks.h"
#include "support/ScriptedAnswers.h"
#include "support/ScriptedSerialPort.h"
#include "support/VirtualClock.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace kvt::test {

class RecordingLauncher : public ProgramLauncher {
public:
    QStringList programs;
    bool startProgram(const QString& path) override
    {
        programs << path;
        return true;
    }
};

// The GSM modem, the links and the operator's commands as the main window forwards to them:
// every handler run is recorded by its name.
class RecordingSubsystems : public GsmModemHandlers, public LinkHandlers, public CommandHandlers {
public:
    QStringList calls;

    void QueryTimerTimer() override { calls << QStringLiteral("QueryTimerTimer"); }
    void ATTimerTimer() override { calls << QStringLiteral("ATTimerTimer"); }
    void Query_Send_ButtonClick() override { calls << QStringLiteral("Query_Send_ButtonClick"); }
    void SpeedButton_Show_Send_Comand_FormClick() override { calls << QStringLiteral("SpeedButton_Show_Send_Comand_FormClick"); }
    void N48Click() override { calls << QStringLiteral("N48Click"); }
    void N49Click() override { calls << QStringLiteral("N49Click"); }
    void lbl2Click() override { calls << QStringLiteral("lbl2Click"); }
    void SpeedButton5Click() override { calls << QStringLiteral("SpeedButton5Click"); }
    void Timer2Timer() override { calls << QStringLiteral("Timer2Timer"); }
    void Send_Pusk_ButtonClick(FormControl& sender) override { calls << QStringLiteral("Send_Pusk_ButtonClick ") + sender.name(); }
    void SpeedButton3Click(FormControl& sender) override { calls << QStringLiteral("SpeedButton3Click ") + sender.name(); }
};

// A main window on a fresh instance folder with scripted link ports, and recording stand-ins
// for the desktop. The window forwards to the core's controllers, or, when asked, to recording
// ones.
class GeneralFixture {
public:
    enum class Subsystems { Real, Recorded };

    // `beforeWindow` prepares the instance once the core exists, before the window is created.
    explicit GeneralFixture(const QString& commandLineForm = {}, Subsystems subsystems = Subsystems::Real,
                            const std::function<void(ConsoleCore&)>& beforeWindow = {})
    {
        home = dir.path() + QLatin1Char('/');
        EnsureInstanceFolders(home);
        registry::CreateDataAlias(home, registry::kDataFolder, registry::kDataAlias);
        auto ports = std::make_unique<LinkPorts>(std::make_unique<ScriptedSerialPort>(clock),
                                                 std::make_unique<ScriptedSerialPort>(clock),
                                                 std::make_unique<ScriptedSerialPort>(clock));
        core = std::make_unique<ConsoleCore>(home, clock, player, notices, std::move(ports));
        if (beforeWindow)
            beforeWindow(*core);
        const bool recorded = subsystems == Subsystems::Recorded;
        window = std::make_unique<GeneralForm>(GeneralServices{
            *core, recorded ? static_cast<GsmModemHandlers&>(recording) : core->gsm,
            recorded ? static_cast<LinkHandlers&>(recording) : core->links, notices, confirmation, shell, launcher,
            commandLineForm, recorded ? &recording : nullptr});
    }
    ~GeneralFixture()
    {
        window.reset();
        core.reset();
    }

    ScriptedSerialPort& modemPort() { return static_cast<ScriptedSerialPort&>(core->ports->Port_Modem()); }

    QStringList loggedTitles() const
    {
        QStringList titles;
        for (const QString& line : core->log.events())
            titles << line.section(QStringLiteral(" - "), 1).trimmed();
        return titles;
    }

    QTemporaryDir dir;
    QString home;
    VirtualClock clock;
    RecordingNotices notices;
    ScriptedConfirmation confirmation;
    RecordingShell shell;
    RecordingLauncher launcher;
    RecordingPlayer player;
    RecordingSubsystems recording;
    std::unique_ptr<ConsoleCore> core;
    std::unique_ptr<GeneralForm> window;
};

// The action at a menu path such as "&Объект/Добавление о&бъекта" among `actions`.
inline QAction* FindAction(const QList<QAction*>& actions, const QString& path)
{
    const QString head = path.section(QLatin1Char('/'), 0, 0);
    const QString rest = path.section(QLatin1Char('/'), 1);
    for (QAction* action : actions) {
        if (action->text() != head)
            continue;
        if (rest.isEmpty())
            return action;
        if (QMenu* menu = action->menu())
            return FindAction(menu->actions(), rest);
    }
    return nullptr;
}

} // namespace kvt::test
