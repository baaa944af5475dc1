#pragma once

#include "objects/ui/RegistryPorts.h"
#include "support/RecordingSinks.h"
#include "support/ScriptedAnswers.h"

#include <QStringList>

namespace kvt::test {

// Records what the registry asks of the main window and the object view.
class RecordingConsole : public registry::RegistryHost, public registry::ObjectFormDisplay {
public:
    QString linkCheckLine = QStringLiteral("(unset)");
    QString stateLine = QStringLiteral("(unset)");
    int historyHeightRules = 0;
    QStringList loadedForms;
    QStringList tabCaptions;
    QStringList shownPackets;
    bool formShown = false;

    void showLinkCheckLine(const QString& text) override { linkCheckLine = text; }
    void showStateLine(const QString& text) override { stateLine = text; }
    void applyHistoryHeightRule() override { ++historyHeightRules; }
    void LoadObjectForm(const QString& path) override
    {
        loadedForms << path;
        formShown = true;
    }
    bool hasObjectForm() const override { return formShown; }
    void setSecondTabCaption(const QString& caption) override { tabCaptions << caption; }
    void showStoredPacket(const QString& packet) override { shownPackets << packet; }
};

} // namespace kvt::test
