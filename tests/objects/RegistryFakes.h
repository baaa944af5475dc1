#pragma once

#include "common/Confirmation.h"
#include "common/EventSink.h"
#include "objects/RegistryPorts.h"

#include <QStringList>

namespace kvt::test {

// Records what the registry asks of the main window, the object view and the message boxes.
class RecordingConsole : public registry::RegistryHost, public registry::ObjectFormDisplay, public registry::OperatorMessages {
public:
    QString label10 = QStringLiteral("(unset)");
    QString label17 = QStringLiteral("(unset)");
    int historyHeightRules = 0;
    QStringList loadedForms;
    QStringList tabCaptions;
    QStringList shownPackets;
    QStringList messages;
    bool formShown = false;

    void setLabel10(const QString& text) override { label10 = text; }
    void setLabel17(const QString& text) override { label17 = text; }
    void applyHistoryHeightRule() override { ++historyHeightRules; }
    void LoadObjectForm(const QString& path) override
    {
        loadedForms << path;
        formShown = true;
    }
    bool hasObjectForm() const override { return formShown; }
    void setSecondTabCaption(const QString& caption) override { tabCaptions << caption; }
    void showStoredPacket(const QString& packet) override { shownPackets << packet; }
    void information(const QString& text) override { messages << text; }
    void notice(const QString& text) override { messages << text; }
};

class ScriptedConfirmation : public Confirmation {
public:
    bool answer = true;
    QStringList questions;
    bool confirm(const QString& question) override
    {
        questions << question;
        return answer;
    }
};

class RecordingEvents : public EventSink {
public:
    QStringList lines; // "title|text|colour"
    void LogEvent(const QString& title, const QString& text, EventColour colour) override
    {
        lines << QStringLiteral("%1|%2|%3").arg(title, text).arg(quint32(colour));
    }
    bool IsActionPending() const override { return false; }
};

} // namespace kvt::test
