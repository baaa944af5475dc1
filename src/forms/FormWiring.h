#pragma once

#include <QHash>
#include <QString>

#include <optional>

// Wiring of a loaded object form to the main window's handlers, and the placement of the form in
// the object view. Qt Core only; the form view forwards the operator's clicks here.
namespace kvt {

class ControlConfig;
class FormControl;
class ObjectForm;
class ObjectFormHandlers;

enum class FormHandler {
    SpeedButton3Click,
    Send_Pusk_ButtonClick,
    TabSet1Change,
    SpinEdit2DblClick,
    SpinEdit3DblClick,
};

// The handlers assigned to the direct controls of one form, and the dispatch of their events.
class FormWiring {
public:
    explicit FormWiring(ObjectFormHandlers& handlers) : handlers_(handlers) {}

    // Visits the direct controls in order and wires them: command buttons by HelpContext (123:
    // SpeedButton3Click, else Send_Pusk_ButtonClick); page switches to TabSet1Change, then the
    // first tab is selected (running the handler when the stored index was another); setting
    // boxes get their configuration parsed into `config` and, by the title, SpinEdit2DblClick for
    // "(H:M)" and SpinEdit3DblClick for "(G:M)" (the latter wins). Throws at the first control that
    // cannot be wired (a setting box without a valid count, a page switch without tabs); the
    // controls before it stay wired, those after it unwired.
    void wire(ObjectForm& form, ControlConfig& config);

    std::optional<FormHandler> clickHandler(const FormControl& control) const;
    std::optional<FormHandler> doubleClickHandler(const FormControl& control) const;
    bool hasChangeHandler(const FormControl& control) const;

    // The operator's actions on a control; each runs the handler wired to it, if any (a
    // disabled control takes no click).
    void click(FormControl& control);
    void doubleClick(FormControl& control);
    // A page switch asked to show `newTab`: the change handler may refuse; otherwise the tab index
    // changes. Selecting the tab already shown changes nothing.
    void selectTab(FormControl& pageSwitch, int newTab);

private:
    ObjectFormHandlers& handlers_;
    QHash<const FormControl*, FormHandler> click_;
    QHash<const FormControl*, FormHandler> doubleClick_;
    QHash<const FormControl*, bool> change_;
};

// The offset that centres an inner extent in an outer one: half the difference, rounded up when
// it is odd, and 0 when the inner extent is the larger.
int CentreOffset(int outerExtent, int innerExtent);

// The file an object form path names: the path as given when that file exists, else the program
// directory followed by the path when that file exists, else nothing.
std::optional<QString> ResolveObjectFormPath(const QString& path, const QString& programDirectory);

// The message shown when neither rule finds the file.
inline const QString kFormFileNotFoundMessage =
    QStringLiteral("Не удаётся найти файл объекта. Проверьте правильность указанного к нему пути.");

} // namespace kvt
