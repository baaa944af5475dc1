#pragma once

// End to end: the demo instance that scripts/make-demo-instance.sh makes, with its GSM modem
// played by the modem simulator on a pseudo-terminal, and the console on it, either in this
// process (real ports, real clock) or as a process of its own.

#include "app/ClosableWindows.h"
#include "app/GeneralFixture.h"
#include "commands/CommandsController.h"
#include "commands/ui/PopolnenSchetaForm.h"
#include "commands/ui/SendComandForm.h"
#include "common/Clock.h"
#include "common/IniFile.h"
#include "common/Win1251.h"
#include "settings/ui/OptionsForm.h"
#include "support/Files.h"

#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>

namespace kvt::test {

// Who is who in the demo instance (examples/demo) and how long its links may take to answer.
namespace demo {
constexpr int kLinkMs = 30000;
const QString kPumpingStation = QStringLiteral("Насосная станция №3");
const QString kPumpingStationPhone = QStringLiteral("79161234501");
const QString kDispatchPointPhone = QStringLiteral("79990000000");
const QString kRadioObject = QStringLiteral("КНС-5 «Лесная» (радио)");
const QString kRadioAddress = QStringLiteral("0013A200:40A1B2C3");
const QString kRs485Object = QStringLiteral("ЦТП-2 «Заводская» (RS-485)");
constexpr int kRs485Slave = 17;
} // namespace demo

class DemoInstance {
public:
    DemoInstance()
    {
        home_ = dir_.path() + QStringLiteral("/demo/");
        QProcess script;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KVT_BUILD_DIR"), qEnvironmentVariable("KVT_BINARY_DIR"));
        script.setProcessEnvironment(env);
        script.start(QStringLiteral("bash"), {qEnvironmentVariable("KVT_SOURCE_DIR") + QStringLiteral("/scripts/make-demo-instance.sh"),
                                              home_});
        made_ = script.waitForFinished(60000) && script.exitCode() == 0;
        if (!made_)
            failure_ = QString::fromLocal8Bit(script.readAllStandardError());
    }

    bool made() const { return made_; }
    const QString& failure() const { return failure_; }
    const QString& home() const { return home_; }

    // One key of Settings.ini, written before the console starts.
    void setKey(const QString& section, const QString& key, const QString& value)
    {
        IniFile(home_ + QStringLiteral("Settings.ini")).writeString(section, key, value);
    }
    // Only the keys an outside modem needs: its device, connected at start-up, SMS memory SM.
    void connectModemTo(const QString& device)
    {
        setKey(QStringLiteral("GSM_Svyaz"), QStringLiteral("AutoStart"), QStringLiteral("1"));
        setKey(QStringLiteral("GSM_Svyaz"), QStringLiteral("Port"), device);
        setKey(QStringLiteral("GSM_Svyaz"), QStringLiteral("SMSMem"), QStringLiteral("534D"));
    }

    QString reportLog() const { return FromWin1251(ReadFile(home_ + QStringLiteral("report.log"))); }
    // The lines of a monthly book of this month ("SmsBook" or "AvariBook"), head line included.
    QStringList bookLines(const QString& folder) const
    {
        const QDate today = QDate::currentDate();
        const QString name = QStringLiteral("%1/%2_%3.html").arg(folder).arg(today.year()).arg(today.month());
        return FromWin1251(ReadFile(home_ + name)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir dir_;
    QString home_;
    bool made_ = false;
    QString failure_;
};

// The console in this process as the start-up makes it (main window, then the settings window,
// whose creation connects the links set to, then the command and top-up windows), with real
// ports and the real clock; message boxes, sounds and the desktop are recorded.
class InProcessConsole {
public:
    explicit InProcessConsole(const QString& home)
    {
        registry::CreateDataAlias(home, registry::kDataFolder, registry::kDataAlias);
        core_ = std::make_unique<ConsoleCore>(home, clock_, player_, notices_);
        window_ = std::make_unique<GeneralForm>(
            GeneralServices{*core_, core_->gsm, core_->links, notices_, confirmation_, shell_, launcher_, QString()});
        window_->show();
        window_->FormShow();
        OptionsForm::Services services{&core_->settings, &core_->connections, &core_->sounds, window_.get(), &notices_};
        options_ = std::make_unique<OptionsForm>(home, services, window_.get());
        options_->setLinkConnector(Link::Gsm, &core_->gsm.connector());
        options_->setLinkConnector(Link::Radio, &core_->links.radioConnector());
        options_->setLinkConnector(Link::Rs485, &core_->links.rs485Connector());
        window_->setLinkStopHandshake(&core_->links);
        window_->setOptionsForm(options_.get());
        window_->closableWindows().add(ArrivalWindow::Options, options_.get());
        options_->FormCreate();
        commandWindow_ = std::make_unique<SendComandForm>(window_->commands().terminal(), core_->gsm.terminalAnswers(),
                                                          core_->supervisionPause, window_.get());
        topUpWindow_ = std::make_unique<PopolnenSchetaForm>(window_->commands().dispatchTopUp(), window_.get());
        window_->setCommandWindows(*commandWindow_, *topUpWindow_);
    }
    ~InProcessConsole()
    {
        window_->close();
        commandWindow_.reset();
        topUpWindow_.reset();
        options_.reset();
        window_.reset();
        core_.reset();
        QSqlDatabase::removeDatabase(registry::kDataAlias);
    }

    ConsoleCore& core() { return *core_; }
    GeneralForm& window() { return *window_; }
    SendComandForm& commandWindow() { return *commandWindow_; }
    const RecordingNotices& notices() const { return notices_; }
    const RecordingPlayer& player() const { return player_; }

    // Rows of a query on the console's store, each row's columns joined by '|'.
    QStringList query(const QString& sql) const
    {
        QSqlQuery q(sql, QSqlDatabase::database(registry::kDataAlias));
        QStringList rows;
        while (q.next()) {
            QStringList columns;
            for (int i = 0; i < q.record().count(); ++i)
                columns << q.value(i).toString();
            rows << columns.join(QLatin1Char('|'));
        }
        return rows;
    }

private:
    SystemClock clock_;
    RecordingPlayer player_;
    RecordingNotices notices_;
    ScriptedConfirmation confirmation_;
    RecordingShell shell_;
    RecordingLauncher launcher_;
    std::unique_ptr<ConsoleCore> core_;
    std::unique_ptr<GeneralForm> window_;
    std::unique_ptr<OptionsForm> options_;
    std::unique_ptr<SendComandForm> commandWindow_;
    std::unique_ptr<PopolnenSchetaForm> topUpWindow_;
};

} // namespace kvt::test
