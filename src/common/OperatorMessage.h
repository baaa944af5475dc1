#pragma once

#include <QString>

namespace kvt {

// Shows the operator a short notice with an OK button. Windows show a message box; tests
// record the text, so code that refuses an action stays free of widgets.
class OperatorMessage {
public:
    virtual ~OperatorMessage() = default;
    virtual void showMessage(const QString& text) = 0;
};

} // namespace kvt
