#pragma once

#include "app/ConsoleCore.h"
#include "app/ProgramLauncher.h"
#include "common/DesktopShell.h"
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
    bool open(const QString& path) override
    {
        documents << path;
        return true;
    }
};

class RecordingLauncher : public ProgramLauncher {
public:
    QStringList programs;
    bool startProgram(const QString& path) override
    {
        programs << path;
        return true;
    }
};

class RecordingBoxes : public registry::OperatorMessages {
public:
    QStringList shown;
    void information(const QString& text) override { shown << text; }
    void notice(const QString& text) override { shown << text; }
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
        core = std::make_unique<ConsoleCore>(home, clock, player);
        window = std::make_unique<Window>(
            GeneralServices{*core, messages, boxes, confirmation, shell, launcher, commandLineForm});
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
    RecordingBoxes boxes;
    RecordingShell shell;
    RecordingLauncher launcher;
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
