#pragma once

#include <QString>

#include <optional>

// What the GSM modem engine needs from the rest of the console, one small interface per role.
// The GSM modem controller implements them over the registry, the trees, the windows, the
// settings and the event log.
namespace kvt::gsm {

// A registered object as the engine sees it.
struct ObjectEntry {
    int code = 0;             // Kod_O
    QString name;             // Name_O, the text of its node
    QString phone;            // Phone_O
    QString linkCheckPeriod;  // Proverca_S, minutes as text; "0" or empty: none
    QString timeRing;         // Time_Ring, the time of the last link-check call
};

// Lookups in the objects table (letter case ignored, the first match) and the one field the
// engine writes.
class ObjectDirectory {
public:
    virtual ~ObjectDirectory() = default;
    virtual std::optional<ObjectEntry> findByPhone(const QString& phone) = 0;
    virtual std::optional<ObjectEntry> findByName(const QString& name) = 0;
    // Edits the object's record: Time_Ring := text; posts.
    virtual void setTimeRing(int objectCode, const QString& text) = 0;
};

// The main window as the engine uses it.
class EngineView {
public:
    virtual ~EngineView() = default;

    // The add/edit object window is showing: the modem ticks do nothing meanwhile.
    virtual bool addObjectWindowShowing() const = 0;
    // SelectObjectNode: the object's node becomes the selected node (its form is shown).
    virtual void selectObjectNode(int objectCode) = 0;
    virtual QString selectedNodeText() const = 0;
    virtual void focusObjectTree() = 0;
    // Image index of the selected node (-1 for none).
    virtual int selectedNodeIcon() const = 0;
    // The selected node and the history root show `icon` (image and selected index); both trees
    // repainted.
    virtual void showSelectedNodeIcon(int icon) = 0;
    // Query_Send_Button, "Опросить (GSM)".
    virtual void setPollButtonEnabled(bool enabled) = 0;
    // Clicks Query_Send_Button: the poll of the selected object.
    virtual void pollSelectedObject() = 0;
    // Label17, the last change line; Label10, the last link-check line.
    virtual void showLastChangeLine(const QString& text) = 0;
    virtual void showLinkCheckLine(const QString& text) = 0;
    // The notification window (TForm_MSG): the action cannot run now.
    virtual void showBusyNotice() = 0;
    virtual void playDataSentSound() = 0;
};

// The settings the engine reads.
class EngineSettings {
public:
    virtual ~EngineSettings() = default;
    // "Номер ЦДП" and "Отправлять данные в ЦДП через СМС".
    virtual QString dispatchPointPhone() const = 0;
    virtual bool forwardingOn() const = 0;
    // "Поднимать трубку во время проверки связи".
    virtual bool answerLinkCheckCalls() const = 0;
    // "Память СМС": empty, ME or SM.
    virtual QString smsMemory() const = 0;
};

// The event list's size and its archiving (the keep-alive cycle keeps it bounded).
class EventLogArchive {
public:
    virtual ~EventLogArchive() = default;
    virtual int eventLineCount() const = 0;
    virtual void ArchiveEventLog(const QString& title) = 0;
};

// The radio and RS-485 steps that every QueryTimer tick runs before the modem.
class LinkReportSteps {
public:
    virtual ~LinkReportSteps() = default;
    virtual void radioStep() = 0;
    // False when the tick must end here (an RS-485 report without a first line).
    virtual bool rs485Step() = 0;
};

// How the GSM link is shown: the connect and disconnect buttons and the DTR/RTS boxes.
class ModemLinkView {
public:
    virtual ~ModemLinkView() = default;
    virtual void showModemConnected(bool connected) = 0;
};

} // namespace kvt::gsm
