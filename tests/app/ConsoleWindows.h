#pragma once

#include "app/GeneralFixture.h"
#include "journals/ui/AboutForm.h"
#include "journals/ui/GurSoobForm.h"
#include "journals/ui/MessageForm.h"
#include "objects/ui/ObjOptEditor.h"
#include "settings/ui/OptionsForm.h"

namespace kvt::test {

// The main window and the windows the start-up creates after it, on one console core.
struct ConsoleWindows {
    GeneralFixture f;
    OptionsForm options{f.home, {&f.core->settings, &f.core->connections, &f.core->sounds, f.window.get(), &f.notices,
                                 nullptr, nullptr},
                        f.window.get()};
    GurSoobForm journal{f.core->log, f.core->supervisionPause, f.confirmation, f.shell, f.window.get()};
    AboutForm about{f.window.get()};
    MessageForm message{f.window.get()};
    ObjOptEditor editor{f.window.get()};

    QWidget* byName(const QString& name)
    {
        for (QWidget* window : {static_cast<QWidget*>(f.window.get()), static_cast<QWidget*>(&options),
                                static_cast<QWidget*>(&journal), static_cast<QWidget*>(&about),
                                static_cast<QWidget*>(&message), static_cast<QWidget*>(&editor)}) {
            if (window->objectName() == name)
                return window;
        }
        return nullptr;
    }
};

} // namespace kvt::test
