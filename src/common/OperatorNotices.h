#pragma once

#include <QString>

namespace kvt {

// Tells the operator something in a box with an OK button and waits until it is closed.
// Windows show message boxes; tests record the texts, so code that refuses an action or
// reports a failure stays free of widgets.
class OperatorNotices {
public:
    virtual ~OperatorNotices() = default;

    // A plain box (short notices and failures).
    virtual void notice(const QString& text) = 0;
    // An information box (refusals of an operator action).
    virtual void information(const QString& text) = 0;
};

} // namespace kvt
