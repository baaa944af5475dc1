#pragma once

#include "forms/ControlConfig.h"

#include <QObject>
#include <QString>

#include <memory>

namespace kvt {

class FormWiring;
class ObjectForm;
class ObjectFormHandlers;
class OperatorNotices;

// The object the console shows: the object form last loaded (LoadObjectForm) with its controls
// wired to the handlers, the control configuration parsed while they were wired
// (ValueListEditor1), the blink phase of its lamps marked as blinking, and the two lines about
// the object around the form: its latest state above (Label17) and its last link check below
// (Label10). The registry's handlers, the decoder and the receive paths act on it directly; the
// object view and the two lines of the main window observe it and draw. There is no form before
// the first load and after a failed one.
class CurrentObject : public QObject {
    Q_OBJECT
public:
    static const QString kNoObjectChosen;
    static const QString kNoSettingsPage;

    CurrentObject(QString programDirectory, OperatorNotices& notices, QObject* parent = nullptr);
    ~CurrentObject() override;

    // The handlers the controls of every form loaded from now on are wired to.
    void setFormHandlers(ObjectFormHandlers& handlers) { handlers_ = &handlers; }

    ObjectForm* form() const { return form_.get(); }
    // The handlers wired to the controls of the form; null while there is no form.
    FormWiring* wiring() const { return wiring_.get(); }
    ControlConfig& controlConfig() { return controlConfig_; }
    const ControlConfig& controlConfig() const { return controlConfig_; }

    // Replaces the form by the one read from the file: the path is taken as given, else under the
    // program directory; when neither names a file the operator is told and no form is left. The
    // new form is shown, then its controls are wired (which selects each page switch's first
    // tab). A file that cannot be read leaves no form and throws (IoError, FormatError); a control
    // that cannot be wired throws with the form shown and the controls before it wired.
    void LoadObjectForm(const QString& path);

    // Gives the second tab of the first page switch among the form's direct controls the caption;
    // nothing without a form or a page switch; throws when the page switch has fewer than two tabs.
    void setSecondTabCaption(const QString& caption);

    // Shows the form's page `page` (0: the scheme, 1: the settings) through its first page switch,
    // as a click on that tab would. Without a form the operator is told to choose an object; a
    // form without a page switch has only the scheme (asking for the settings tells the
    // operator so). Throws when the page switch has no such tab.
    void showPage(int page);

    // Lit or dark: the phase of the lamps marked as blinking. A new form starts lit.
    bool blinkPhase() const { return blinkLit_; }
    // One tick of the blink timer: flips the phase while there is a form and lights or puts out
    // every lamp of the form that carries the blink marker (also one that its last packet did
    // not reach and so left out with the marker of an earlier one).
    void toggleBlinkPhase();

    const QString& stateLine() const { return stateLine_; }
    void showStateLine(const QString& text);
    const QString& linkCheckLine() const { return linkCheckLine_; }
    void showLinkCheckLine(const QString& text);

signals:
    // form() is another form now, or none.
    void formChanged();
    void blinkPhaseChanged(bool lit);
    void stateLineChanged(const QString& text);
    void linkCheckLineChanged(const QString& text);

private:
    void clear();

    QString programDirectory_;
    OperatorNotices& notices_;
    ObjectFormHandlers* handlers_ = nullptr;
    std::unique_ptr<ObjectForm> form_;
    std::unique_ptr<FormWiring> wiring_;
    ControlConfig controlConfig_;
    bool blinkLit_ = true;
    QString stateLine_;
    QString linkCheckLine_;
};

} // namespace kvt
