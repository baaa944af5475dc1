#include "common/ui/OuterGeometry.h"

#include <QEvent>
#include <QWidget>

namespace kvt {

OuterGeometry::OuterGeometry(QWidget& window) : QObject(&window), window_(window)
{
    window_.installEventFilter(this);
}

void OuterGeometry::place(const QRect& outer)
{
    topLeft_ = outer.topLeft();
    size_ = outer.size();
    apply();
}

void OuterGeometry::resize(const QSize& outer, Sizing sizing)
{
    topLeft_.reset();
    size_ = outer;
    sizing_ = sizing;
    apply();
}

QMargins OuterGeometry::frame() const
{
    const QRect inner = window_.geometry();
    const QRect outer = window_.frameGeometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

void OuterGeometry::apply()
{
    appliedFrame_ = frame();
    // Without a frame yet, the window manager may still frame the window: apply again then.
    framePending_ = appliedFrame_.isNull();
    const QSize inner(size_.width() - appliedFrame_.left() - appliedFrame_.right(),
                      size_.height() - appliedFrame_.top() - appliedFrame_.bottom());
    if (sizing_ == Sizing::Fixed)
        window_.setFixedSize(inner);
    if (topLeft_)
        window_.setGeometry(QRect(*topLeft_ + QPoint(appliedFrame_.left(), appliedFrame_.top()), inner));
    else
        window_.resize(inner);
}

bool OuterGeometry::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::WindowActivate:
        if (framePending_ && !size_.isEmpty() && frame() != appliedFrame_)
            apply();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kvt
