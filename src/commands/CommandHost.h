#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace kvt::commands {

// The main window as the operator's commands use it: the object tree's selection and the
// notification window.
class CommandHost {
public:
    virtual ~CommandHost() = default;

    // Gives the object tree the keyboard focus.
    virtual void focusObjectTree() = 0;
    // The text of the selected node of the object tree: the name of the object chosen; none when
    // no node or the root "Список объектов" is selected.
    virtual std::optional<QString> selectedObjectName() const = 0;
    // The notification window (TForm_MSG), shown modally: the previous action has not ended yet.
    virtual void showBusyNotice() = 0;
};

// The command window (TForm_Send_Comand) as its openers use it.
class CommandWindow {
public:
    virtual ~CommandWindow() = default;

    static constexpr int kTopUpPage = 0;
    static constexpr int kCommandPage = 1;

    virtual void setCaption(const QString& caption) = 0;
    virtual void setPage(int page) = 0;
    // Shows the window modally; returns when the operator has closed it.
    virtual void showModal() = 0;
    virtual bool isShown() const = 0;
};

// The top-up window of the dispatch modem (TForm_popoln_schet) as its opener uses it.
class TopUpWindow {
public:
    virtual ~TopUpWindow() = default;

    // Empties the progress label (Label2).
    virtual void clearProgress() = 0;
    virtual void showModal() = 0;
};

// What the command window's two sending buttons run.
class TerminalSender {
public:
    virtual ~TerminalSender() = default;
    // "Пополнить счет": the object's modem dials the card string.
    virtual void topUpObject(const QString& cardString) = 0;
    // "Отправить": the AT command for the object's modem.
    virtual void sendCommand(const QString& command) = 0;
};

// What the top-up window's send button runs.
class TopUpSender {
public:
    virtual ~TopUpSender() = default;
    // Each new text of the progress label (Label2).
    using Progress = std::function<void(const QString&)>;
    virtual void send(const QString& cardCode, const Progress& progress) = 0;
};

} // namespace kvt::commands
