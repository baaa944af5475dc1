#pragma once

#include "gsm/GsmEngineHost.h"

namespace kvt {

class EventLog;
class GeneralForm;
class LinkConnections;
class LinksController;
class Settings;
namespace registry {
class Registry;
}

// The objects table as the GSM engine looks objects up: every lookup moves the table to the
// row found (the receive steps that follow work on it).
class RegistryObjectDirectory final : public gsm::ObjectDirectory {
public:
    explicit RegistryObjectDirectory(registry::Registry& registry) : registry_(registry) {}

    std::optional<gsm::ObjectEntry> findByPhone(const QString& phone) override;
    std::optional<gsm::ObjectEntry> findByName(const QString& name) override;
    void setTimeRing(int objectCode, const QString& text) override;

private:
    std::optional<gsm::ObjectEntry> current() const;

    registry::Registry& registry_;
};

// The settings the GSM engine reads, from the settings model at the time it reads them.
class SettingsForEngine final : public gsm::EngineSettings {
public:
    explicit SettingsForEngine(const Settings& settings) : settings_(settings) {}

    QString dispatchPointPhone() const override;
    bool forwardingOn() const override;
    bool answerLinkCheckCalls() const override;
    QString smsMemory() const override;

private:
    const Settings& settings_;
};

// The event list's length and its archiving.
class EventListForEngine final : public gsm::EventLogArchive {
public:
    explicit EventListForEngine(EventLog& log) : log_(log) {}

    int eventLineCount() const override;
    void ArchiveEventLog(const QString& title) override;

private:
    EventLog& log_;
};

// The radio and RS-485 steps of every receive tick, run by the links.
class LinkStepsForEngine final : public gsm::LinkReportSteps {
public:
    explicit LinkStepsForEngine(LinksController& links) : links_(links) {}

    void radioStep() override;
    bool rs485Step() override;

private:
    LinksController& links_;
};

// The GSM link's connect and disconnect buttons and DTR/RTS boxes, switched through the links'
// connection state (the settings window shows it).
class GsmLinkButtons final : public gsm::ModemLinkView {
public:
    explicit GsmLinkButtons(LinkConnections& connections) : connections_(connections) {}

    void showModemConnected(bool connected) override;

private:
    LinkConnections& connections_;
};

// The main window as the GSM engine uses it: the trees, the add/edit object window, the poll
// button, the two object lines, the notification window and the data-sent sound.
class MainWindowForEngine final : public gsm::EngineView {
public:
    explicit MainWindowForEngine(GeneralForm& window) : window_(window) {}

    bool addObjectWindowShowing() const override;
    void selectObjectNode(int objectCode) override;
    QString selectedNodeText() const override;
    void focusObjectTree() override;
    int selectedNodeIcon() const override;
    void showSelectedNodeIcon(int icon) override;
    void setPollButtonEnabled(bool enabled) override;
    void pollSelectedObject() override;
    void showLastChangeLine(const QString& text) override;
    void showLinkCheckLine(const QString& text) override;
    void showBusyNotice() override;
    void playDataSentSound() override;

private:
    GeneralForm& window_;
};

} // namespace kvt

namespace kvt {

class GsmModemController;
class StatePacketArrivalHost;

// The core's GSM engine attached to the main window, for as long as the window lives.
class GsmEngineWiring {
public:
    GsmEngineWiring(GeneralForm& window, StatePacketArrivalHost& arrivals);
    ~GsmEngineWiring();
    GsmEngineWiring(const GsmEngineWiring&) = delete;
    GsmEngineWiring& operator=(const GsmEngineWiring&) = delete;

private:
    GsmModemController& controller_;
    RegistryObjectDirectory objects_;
    SettingsForEngine settings_;
    EventListForEngine eventList_;
    LinkStepsForEngine links_;
    GsmLinkButtons buttons_;
    MainWindowForEngine view_;
};

} // namespace kvt
