#pragma once

#include "common/EventColour.h"

#include <QObject>
#include <QString>

namespace kvt {

// The status line of the console: one log line on a background of an event colour. The event
// log and the event journal window write it; the main window's label only shows it, and other
// parts read its text (for instance to learn that the modem was last reported silent).
class StatusLine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const QString& text() const { return text_; }
    EventColour colour() const { return colour_; }

    // Text and background together.
    void show(const QString& text, EventColour colour);
    // Text only; the background stays.
    void setText(const QString& text);

signals:
    void changed();

private:
    QString text_;
    EventColour colour_ = EventColour::White;
};

} // namespace kvt
