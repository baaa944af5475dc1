#pragma once

#include <QString>

namespace kvt {

// Hands a document (an HTML page, a book, the manual) to the desktop shell, which opens it in
// the program the operator's desktop uses for it.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;

    // Returns false when the shell could not start anything for the document.
    virtual bool open(const QString& path) = 0;
};

} // namespace kvt
