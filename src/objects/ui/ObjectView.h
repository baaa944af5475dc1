#pragma once

#include "objects/ui/ControlWidget.h"

#include <QScrollArea>

namespace kvt {

class CurrentObject;

// The object view (ScrollBox2 of the main window): draws the form of the current object from its
// model, centred when it arrives; every control is redrawn when its model changes, blinking lamps
// included. The operator's clicks on the drawn controls go to the form's wiring.
class ObjectView : public QScrollArea {
    Q_OBJECT
public:
    explicit ObjectView(CurrentObject& current, QWidget* parent = nullptr);
    ~ObjectView() override;

    // The widget that hosts the form (named after the form), nullptr when there is none.
    QWidget* formWidget() const { return formWidget_; }

    // Centres the form in the view, using the outer sizes of both.
    void centreForm();
    // Puts the form at `topLeft` of the view (the main window re-centres it after a drag of its
    // splitter).
    void placeForm(const QPoint& topLeft);

signals:
    // The operator asked for the view's menu (a right click on the view or on the form, or the
    // menu key) at `globalPos`.
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The scroll area takes the viewport's context menu requests (the viewport itself never
    // sees them): they arrive here, also those the form's controls leave unanswered.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void showCurrentForm();
    void fitCanvas();

    CurrentObject& current_;
    FormViewState state_;
    QWidget* canvas_ = nullptr;
    QWidget* formWidget_ = nullptr;
};

} // namespace kvt
