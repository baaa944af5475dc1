#pragma once

#include "app/ConsoleCore.h"
#include "app/ProgramLauncher.h"
#include "app/GeneralForm.h"
#include "support/VirtualClock.h"
#include "store/DataAlias.h"
#include "support/RecordingSinks.h"
#include "support/ScriptedAnswers.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace kvt::test {

class RecordingLauncher : public ProgramLauncher {
public:
    QStringList programs;
    bool startProgram(const QString& path) override
    {
        programs << path;
        return true;
    }
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
        core = std::make_unique<ConsoleCore>(home, clock, player, notices);
        window = std::make_unique<Window>(
            GeneralServices{*core, notices, confirmation, shell, launcher, commandLineForm});
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
    RecordingNotices notices;
    ScriptedConfirmation confirmation;
    RecordingShell shell;
    RecordingLauncher launcher;
    RecordingPlayer player;
    std::unique_ptr<ConsoleCore> core;
    std::unique_ptr<Window> window;
};


} // namespace kvt::test
