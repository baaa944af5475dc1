#pragma once

#include <QString>

namespace kvt {

struct ConsoleCore;
class LinkStopHandshake;
class MainWindowAccess;
class OperatorNotices;
class OptionsForm;
class ProgramLauncher;
namespace registry {
class RegistryTrees;
}

// What the console's own steps work with besides its core.
struct ConsoleContext {
    ConsoleCore& core;
    registry::RegistryTrees& trees; // the object and history trees of the main window
    MainWindowAccess& window;       // its layout (the history height rule)
    OperatorNotices& notices;
    ProgramLauncher& launcher;
    // The object form file given on the command line; empty when none.
    QString commandLineForm;
};

// The console's own steps, apart from the subsystems': the main window's creation and show steps
// at start-up (with the object form of the command line), its closing steps, and the commands
// that reach over several subsystems: the status reset of the selected object, "Отмена" and the
// object manager. The main window forwards to it in one line each.
class ConsoleController {
public:
    explicit ConsoleController(ConsoleContext context) : context_(context) {}

    // The windows created after the main window that the closing steps use.
    void setSettingsWindow(OptionsForm* options) { options_ = options; }
    void setLinkStopHandshake(LinkStopHandshake* handshake) { linkStop_ = handshake; }

    // Creation of the main window: supervision unpaused, the start logged and the event list
    // loaded, the store opened (a set-aside store announced), the modem counted as lost, the
    // object tree built.
    void FormCreate();
    // First show: the event log archived when over its threshold, the object tree expanded and
    // focused, the command line's object form added, the history height applied.
    void FormShow();
    // Closing, once: a running modem dialogue asked to end, the end logged, the settings saved, the link exchanges stopped, a short
    // pause. Each step runs even when an earlier one failed.
    void FormClose();

    // "Сбросить", "Сброс состояния", "Сбросить состояние", "Сброс сообщения".
    void Stop_Avari_ButtonClick();
    // "Отмена" of the event bar.
    void CancelActionClick();
    // "Менеджер объектов".
    void ObjectManagerItemClick();

private:
    void AddCommandLineObject(const QString& argument);

    ConsoleContext context_;
    OptionsForm* options_ = nullptr;
    LinkStopHandshake* linkStop_ = nullptr;
    bool closed_ = false;
};

} // namespace kvt
