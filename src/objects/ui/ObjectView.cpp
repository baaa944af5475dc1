#include "objects/ui/ObjectView.h"

#include "forms/CurrentObject.h"
#include "forms/FormWiring.h"
#include "forms/ObjectForm.h"
#include "objects/ui/FormPainting.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QPainter>

namespace kvt {
namespace {

const QString kViewName = QStringLiteral("ScrollBox2");
const QString kViewHint = QStringLiteral("Окно формы объекта");

// The widget that hosts a form: its background and font are the form's own.
class FormWidget : public QWidget {
public:
    FormWidget(ObjectForm& form, FormViewState& state, QWidget* parent) : QWidget(parent), form_(form)
    {
        setObjectName(uniqueFormName(form.name()));
        resize(form.clientSize());
        QColor fontColor = Qt::black;
        QFont font = DefaultFormFont();
        if (form.record())
            font = FontOf(*form.record(), font, fontColor, fontColor);
        setFont(font);
        if (form.record()) {
            BuildChildWidgets(*form.record(), this, state, font, fontColor, ScreenColor(form.color()));
        } else {
            for (FormControl* control : form.controls())
                new ControlWidget(*control, state, font, fontColor, ScreenColor(form.color()), this);
        }
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), ScreenColor(form_.color()));
    }

private:
    // The form's name made unique among the application's windows: a clash gets "_1", "_2" ...
    static QString uniqueFormName(const QString& name)
    {
        auto taken = [](const QString& candidate) {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == candidate)
                    return true;
            }
            return false;
        };
        QString candidate = name;
        for (int i = 1; taken(candidate); ++i)
            candidate = name + u'_' + QString::number(i);
        return candidate;
    }

    ObjectForm& form_;
};

} // namespace

ObjectView::ObjectView(CurrentObject& current, QWidget* parent) : QScrollArea(parent), current_(current)
{
    setObjectName(kViewName);
    setToolTip(kViewHint);
    setWidgetResizable(false);
    canvas_ = new QWidget;
    setWidget(canvas_);
    connect(&current_, &CurrentObject::formChanged, this, &ObjectView::showCurrentForm);
    showCurrentForm();
}

ObjectView::~ObjectView() = default;

void ObjectView::showCurrentForm()
{
    delete formWidget_;
    formWidget_ = nullptr;
    state_ = FormViewState{current_.form(), current_.wiring()};
    if (ObjectForm* form = current_.form()) {
        formWidget_ = new FormWidget(*form, state_, canvas_);
        formWidget_->show();
        centreForm();
    }
    fitCanvas();
}

void ObjectView::centreForm()
{
    if (!formWidget_)
        return;
    formWidget_->move(CentreOffset(width(), formWidget_->width()), CentreOffset(height(), formWidget_->height()));
    fitCanvas();
}

void ObjectView::placeForm(const QPoint& topLeft)
{
    if (!formWidget_)
        return;
    formWidget_->move(topLeft);
    fitCanvas();
}

void ObjectView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    fitCanvas();
}

void ObjectView::contextMenuEvent(QContextMenuEvent* event)
{
    emit contextMenuRequested(event->globalPos());
    event->accept();
}

void ObjectView::fitCanvas()
{
    QSize size = viewport()->size();
    if (formWidget_)
        size = size.expandedTo(QSize(formWidget_->x() + formWidget_->width(), formWidget_->y() + formWidget_->height()));
    canvas_->resize(size);
}

} // namespace kvt
