#pragma once

#include <QString>

namespace kvt {

// Asks the operator an OK/Cancel question. Windows answer with a message box; tests answer
// with a scripted reply, so domain code that needs a confirmation stays free of widgets.
class Confirmation {
public:
    virtual ~Confirmation() = default;

    // True only when the operator chose OK.
    virtual bool confirm(const QString& question) = 0;
};

} // namespace kvt
