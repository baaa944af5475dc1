#pragma once

#include "app/ConsoleCore.h"
#include "app/DesktopShell.h"
#include "app/GeneralForm.h"
#include "common/Clock.h"
#include "common/Confirmation.h"
#include "common/SoundPlayer.h"
#include "objects/DataAlias.h"
#include "support/RecordingSinks.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace kvt::test {

class RecordingShell : public DesktopShell {
public:
    QStringList documents;
    QStringList programs;
    bool openDocument(const QString& path) override
    {
        documents << path;
        return true;
    }
    bool startProgram(const QString& path) override
    {
        programs << path;
        return true;
    }
};

class RecordingPlayer : public SoundPlayer {
public:
    QStringList played;
    void play(const QString& name) override { played << name; }
};

class ScriptedConfirmation : public Confirmation {
public:
    bool answer = true;
    bool confirm(const QString&) override { return answer; }
};

// A main window on a fresh instance folder, with recording stand-ins for the desktop.
template <typename Window = GeneralForm>
class GeneralFixture {
public:
    explicit GeneralFixture(const QString& commandLineForm = {})
    {
        home = dir.path() + QLatin1Char('/');
        EnsureInstanceFolders(home);
        registry::CreateDataAlias(home, registry::kDataFolder, registry::kDataAlias);
        core = std::make_unique<ConsoleCore>(home, clock);
        window = std::make_unique<Window>(GeneralServices{*core, messages, confirmation, shell, player, commandLineForm});
    }
    ~GeneralFixture()
    {
        window.reset();
        core.reset();
    }

    QStringList loggedTitles() const
    {
        QStringList titles;
        for (const QString& line : core->log.events())
            titles << line.section(QStringLiteral(" - "), 1).trimmed();
        return titles;
    }

    QTemporaryDir dir;
    QString home;
    VirtualClock clock;
    RecordingMessages messages;
    ScriptedConfirmation confirmation;
    RecordingShell shell;
    RecordingPlayer player;
    std::unique_ptr<ConsoleCore> core;
    std::unique_ptr<Window> window;
};

// The path of a sample object form built from examples/forms.
inline QString SampleForm(const QString& name)
{
    return qEnvironmentVariable("KVT_BINARY_DIR") + QStringLiteral("/examples/forms/") + name;
}

} // namespace kvt::test
