#include "links/LinkEvents.h"

#include <QMetaObject>
#include <QMutexLocker>

namespace kvt::links {

LinkEventQueue::LinkEventQueue(LinkEventSink& sink, QObject* parent) : QObject(parent), sink_(sink) {}

void LinkEventQueue::post(Event event)
{
    QMutexLocker lock(&mutex_);
    events_.push_back(std::move(event));
    if (!scheduled_) {
        scheduled_ = true;
        scheduleDelivery();
    }
}

void LinkEventQueue::scheduleDelivery()
{
    QMetaObject::invokeMethod(this, &LinkEventQueue::deliver, Qt::QueuedConnection);
}

void LinkEventQueue::deliver()
{
    for (;;) {
        Event next;
        {
            QMutexLocker lock(&mutex_);
            if (events_.empty()) {
                scheduled_ = false;
                return;
            }
            next = std::move(events_.front());
            events_.pop_front();
        }
        try {
            next(sink_);
        } catch (...) {
            QMutexLocker lock(&mutex_);
            if (!events_.empty())
                scheduleDelivery();
            else
                scheduled_ = false;
            throw;
        }
    }
}

} // namespace kvt::links
