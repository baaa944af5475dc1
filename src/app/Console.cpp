#include "app/Console.h"

#include "app/ClosableWindows.h"
#include "app/ConsoleCore.h"
#include "app/ProgramLauncher.h"
#include "app/ErrorRecovery.h"
#include "app/GeneralForm.h"
#include "app/KvtApplication.h"
#include "app/OnlyOne.h"
#include "app/ShutdownOnSignal.h"
#include "app/TerminationSignals.h"
#include "commands/CommandsController.h"
#include "commands/ui/PopolnenSchetaForm.h"
#include "commands/ui/SendComandForm.h"
#include "common/Clock.h"
#include "common/ErrorHandler.h"
#include "common/ProgramDirectory.h"
#include "common/ui/MessageBoxes.h"
#include "journals/ui/AboutForm.h"
#include "journals/ui/MessageForm.h"
#include "journals/WavSoundPlayer.h"
#include "objects/ui/ObjOptEditor.h"
#include "journals/ui/GurSoobForm.h"
#include "journals/QtDesktopShell.h"
#include "store/DataAlias.h"
#include "settings/ui/OptionsForm.h"

#include <QMessageBox>

#include <cstdio>

namespace kvt {

namespace {

void refuseSecondInstance()
{
    std::fprintf(stderr, "%s\n", kSecondInstanceMessage.toUtf8().constData());
    QMessageBox box(QMessageBox::NoIcon, GeneralForm::kCaption, kSecondInstanceMessage, QMessageBox::Ok);
    box.exec();
}

} // namespace

QString CommandLineFormArgument(const QStringList& arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--home")) {
            ++i;
            continue;
        }
        if (arg.startsWith(QLatin1String("--")))
            continue;
        return arg;
    }
    return {};
}

void NameApplication()
{
    // No display name: the platform would append it to the caption of every other window.
    QApplication::setApplicationName(GeneralForm::kCaption);
}

int RunConsole(KvtApplication& app)
{
    // From here on SIGTERM and SIGINT close the console as the operator would: a dialog that
    // waits for the operator (from the first one on) is closed, then the main window.
    TerminationSignals termination;
    ShutdownOnSignal shutdown(termination);
    NameApplication();
    OnlyOneInstance guard;
    if (!guard.acquire(kInstanceGuardName)) {
        refuseSecondInstance();
        return 1;
    }
    const QStringList arguments = QCoreApplication::arguments();
    const QString home = ResolveProgramDirectory(arguments, QCoreApplication::applicationDirPath());
    for (const QString& folder : EnsureInstanceFolders(home))
        std::fprintf(stderr, "cannot create the folder %s\n", folder.toLocal8Bit().constData());
    Guarded([&] { registry::CreateDataAlias(home, registry::kDataFolder, registry::kDataAlias); });

    SystemClock clock;
    WavSoundPlayer sounds(InProgramDirectory(home, QStringLiteral("sounds")));
    QtDesktopShell shell;
    DetachedProgramLauncher launcher;
    // Notices show over the main window; confirmations keep to the middle of the screen.
    MessageBoxes notices;
    MessageBoxes confirmation;
    ConsoleCore core(home, clock, sounds, notices);

    // 1: the main window; its creation and show steps run before any later window exists
    // (2, the add/edit object window, comes with the main window's registry part).
    GeneralForm general({core, core.gsm, core.links, notices, confirmation, shell, launcher,
                         CommandLineFormArgument(arguments)});
    app.setDispatchObserver(&general.errorRecovery());
    notices.setParent(&general);
    general.show();
    Guarded([&] { general.FormShow(); });

    // 3: the settings window; its creation loads the settings, connects the links set to
    // connect by themselves and applies the panel switches.
    OptionsForm options(home, {&core.settings, &core.connections, &core.sounds, &general, nullptr, nullptr}, &general);
    options.setLinkConnector(Link::Gsm, &core.gsm.connector());
    options.setLinkConnector(Link::Radio, &core.links.radioConnector());
    options.setLinkConnector(Link::Rs485, &core.links.rs485Connector());
    // Closing the console stops the radio and RS-485 engines before their ports close.
    general.setLinkStopHandshake(&core.links);
    general.setOptionsForm(&options);
    general.closableWindows().add(ArrivalWindow::Options, &options);
    Guarded([&] { options.FormCreate(); });

    // 4, 5: the command window with the terminal of object answers, and the top-up window of
    // the console's modem.
    SendComandForm commandWindow(general.commands().terminal(), core.gsm.terminalAnswers(), core.supervisionPause,
                                 &general);
    PopolnenSchetaForm topUpWindow(general.commands().dispatchTopUp(), &general);
    general.setCommandWindows(commandWindow, topUpWindow);

    // 6: the event journal window.
    GurSoobForm journal(core.log, core.supervisionPause, confirmation, shell, &general);
    general.setJournalForm(&journal);
    general.closableWindows().add(ArrivalWindow::EventJournal, &journal);

    // 7, 8: the about and notification windows.
    AboutForm about(&general);
    general.setAboutForm(&about);
    MessageForm notification(&general);
    general.setMessageForm(&notification);
    // 9: the parameter editor.
    ObjOptEditor parameterEditor(&general);
    general.setParameterEditor(&parameterEditor);

    shutdown.setMainWindow(&general);

    const int code = app.exec();
    app.setDispatchObserver(nullptr);
    return code;
}

} // namespace kvt
