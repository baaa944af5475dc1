#pragma once

#include <QString>

namespace kvt {

// Asks the operator for a line of text. Windows show an input box; tests answer from a script.
class TextQuestion {
public:
    virtual ~TextQuestion() = default;

    // An input box with a caption, a prompt ("\r" breaks the line) and a default text.
    // Cancel gives the empty text.
    virtual QString askText(const QString& caption, const QString& prompt, const QString& initial) = 0;
};

} // namespace kvt
