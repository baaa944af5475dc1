#pragma once

#include <QString>

namespace kvt::registry {

// What the registry's handlers and commands need of the main window. The main window
// implements it; tests record the calls.
class RegistryHost {
public:
    virtual ~RegistryHost() = default;

    // The line under the object view: object name and time of its last link check.
    virtual void showLinkCheckLine(const QString& text) = 0;
    // The object header above the object view: object name and time of its last state.
    virtual void showStateLine(const QString& text) = 0;
    // Resizes the history tree after the number of objects changed.
    virtual void applyHistoryHeightRule() = 0;
};

// The object view as the registry uses it: loading an object's form and showing a stored
// packet on it. The main window wires it to the form loader and to the packet decoder.
class ObjectFormDisplay {
public:
    virtual ~ObjectFormDisplay() = default;

    // Replaces the form in the object view by the one read from the file (LoadObjectForm).
    virtual void LoadObjectForm(const QString& path) = 0;
    // True while an object form is shown.
    virtual bool hasObjectForm() const = 0;
    // Gives the second tab of the first page switch among the form's direct controls the
    // caption; nothing when the form has no page switch; throws when it has fewer than two tabs.
    virtual void setSecondTabCaption(const QString& caption) = 0;
    // Draws a stored packet on the form, display only (ApplyStatePacket without processing).
    virtual void showStoredPacket(const QString& packet) = 0;
};

} // namespace kvt::registry
