#pragma once

#include "commands/CommandHost.h"

#include <QStringList>

namespace kvt::test {

// The main window and the two windows as the operator's commands see them: the selection is
// set by the test, and what the commands ask of the windows is recorded in `steps`.
class RecordingCommandHost final : public commands::CommandHost, public commands::CommandWindow,
                                   public commands::TopUpWindow {
public:
    std::optional<QString> selected;
    QStringList steps;
    int busyNotices = 0;
    QString caption;
    int page = 0;
    bool shown = false;

    void focusObjectTree() override {}
    std::optional<QString> selectedObjectName() const override { return selected; }
    void showBusyNotice() override
    {
        ++busyNotices;
        steps << QStringLiteral("busy notice");
    }

    void setCaption(const QString& text) override { caption = text; }
    void setPage(int index) override { page = index; }
    void showModal() override { steps << QStringLiteral("show %1 page %2").arg(caption).arg(page); }
    bool isShown() const override { return shown; }

    void clearProgress() override { steps << QStringLiteral("progress cleared"); }
};

// What the two windows' sending buttons ask for, recorded; the top-up reports `progress`.
class RecordingSenders final : public commands::TerminalSender, public commands::TopUpSender {
public:
    QStringList sent;
    QStringList progress;

    void topUpObject(const QString& cardString) override { sent << QStringLiteral("top-up ") + cardString; }
    void sendCommand(const QString& command) override { sent << QStringLiteral("command ") + command; }
    void send(const QString& cardCode, const Progress& report) override
    {
        sent << QStringLiteral("dispatch top-up ") + cardCode;
        for (const QString& text : progress)
            report(text);
    }
};

} // namespace kvt::test
