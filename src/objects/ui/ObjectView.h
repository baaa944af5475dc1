#pragma once

#include "forms/FormWiring.h"
#include "objects/ui/ControlWidget.h"

#include <QScrollArea>

#include <functional>
#include <memory>

namespace kvt {

class ControlConfig;
class ObjectForm;
class ObjectFormHandlers;
class OperatorNotices;

// The object view (ScrollBox2 of the main window): shows the current object form, drawn from its
// model. There is no current form before the first load and after a failed one.
class ObjectView : public QScrollArea {
    Q_OBJECT
public:
    explicit ObjectView(QWidget* parent = nullptr);
    ~ObjectView() override;

    ObjectForm* currentForm() const { return form_.get(); }
    // The widget that hosts the current form (named after the form), nullptr when none.
    QWidget* formWidget() const { return formWidget_; }
    FormWiring* wiring() const { return wiring_.get(); }

    // Destroys the current form and its widgets.
    void clearForm();
    // Makes `form` the current form and draws it at the top left of the view.
    void showForm(std::unique_ptr<ObjectForm> form);
    // Wires the current form's controls to `handlers` (see FormWiring::wire).
    void wireForm(ObjectFormHandlers& handlers, ControlConfig& config);
    // Centres the current form in the view, using the outer sizes of both.
    void centreForm();
    // Puts the current form at `topLeft` of the view (the main window re-centres it after a
    // drag of its splitter).
    void placeForm(const QPoint& topLeft);

    // The blink phase of lamps marked as blinking: lit or dark. The main window's blink timer
    // toggles it.
    void setBlinkPhase(bool lit);
    bool blinkPhase() const { return state_.blinkLit; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitCanvas();

    std::unique_ptr<ObjectForm> form_;
    std::unique_ptr<FormWiring> wiring_;
    FormViewState state_;
    QWidget* canvas_ = nullptr;
    QWidget* formWidget_ = nullptr;
};

// Loads object form files into the object view.
class ObjectFormLoader {
public:
    // `config` is the main window's control configuration list (ValueListEditor1), filled while
    // setting boxes are wired; `notices` tells the operator of a missing file.
    ObjectFormLoader(QString programDirectory, ObjectFormHandlers& handlers, ControlConfig& config,
                     OperatorNotices& notices);

    // Replaces the content of the view by the form read from the file: resolves the path (as
    // given, else in the program directory; else shows the not-found message and stops), reads
    // and shows the form, wires its controls and centres it. A file that cannot be read leaves
    // the view empty and throws (IoError, FormatError); a control that cannot be wired throws
    // with the form shown and the controls before it wired.
    void LoadObjectForm(const QString& path, ObjectView& view);

private:
    QString programDirectory_;
    ObjectFormHandlers& handlers_;
    ControlConfig& config_;
    OperatorNotices& notices_;
};

} // namespace kvt
