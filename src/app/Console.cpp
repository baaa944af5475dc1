#include "app/Console.h"

#include "app/ConsoleCore.h"
#include "app/DesktopShell.h"
#include "app/ErrorRecovery.h"
#include "app/GeneralForm.h"
#include "app/KvtApplication.h"
#include "app/MessageBoxMessage.h"
#include "app/OnlyOne.h"
#include "app/TerminationSignals.h"
#include "common/Clock.h"
#include "common/ErrorHandler.h"
#include "common/ProgramDirectory.h"
#include "journals/AboutForm.h"
#include "journals/MessageBoxConfirmation.h"
#include "journals/MessageForm.h"
#include "journals/WavSoundPlayer.h"
#include "links/ObjOptEditor.h"
#include "objects/DataAlias.h"

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

int RunConsole(KvtApplication& app)
{
    OnlyOneInstance guard;
    if (!guard.acquire(kInstanceGuardName)) {
        refuseSecondInstance();
        return 1;
    }
    // From here on SIGTERM and SIGINT wait for the message loop, which closes the main window.
    TerminationSignals termination;
    const QStringList arguments = QCoreApplication::arguments();
    const QString home = ResolveProgramDirectory(arguments, QCoreApplication::applicationDirPath());
    for (const QString& folder : EnsureInstanceFolders(home))
        std::fprintf(stderr, "cannot create the folder %s\n", folder.toLocal8Bit().constData());
    Guarded([&] { registry::CreateDataAlias(home, registry::kDataFolder, registry::kDataAlias); });
    QApplication::setApplicationName(GeneralForm::kCaption);
    QApplication::setApplicationDisplayName(GeneralForm::kCaption);

    SystemClock clock;
    ConsoleCore core(home, clock);
    SystemDesktopShell shell;
    WavSoundPlayer sounds(InProgramDirectory(home, QStringLiteral("sounds")));
    MessageBoxMessage messages;
    MessageBoxConfirmation confirmation;

    // 1: the main window; its creation and show steps run before any later window exists.
    GeneralForm general({core, messages, confirmation, shell, sounds, CommandLineFormArgument(arguments)});
    app.setDispatchObserver(&general.errorRecovery());
    messages.setParent(&general);
    general.show();
    Guarded([&] { general.FormShow(); });

    // 7, 8: the about and notification windows.
    AboutForm about(&general);
    general.setAboutForm(&about);
    MessageForm notification(&general);
    general.setMessageForm(&notification);
    // 9: the parameter editor.
    ObjOptEditor parameterEditor(&general);
    general.setParameterEditor(&parameterEditor);

    QObject::connect(&termination, &TerminationSignals::terminationRequested, &general, &QWidget::close);

    const int code = app.exec();
    app.setDispatchObserver(nullptr);
    return code;
}

} // namespace kvt
