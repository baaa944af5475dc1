#pragma once

#include <QString>
#include <QStringList>

namespace kvt {

// Opening documents and programs through the desktop, as the operator would by double-clicking.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // Opens a document with its viewer; false when there is none or it could not be started.
    virtual bool openDocument(const QString& path) = 0;
    // Starts a program in a window of its own.
    virtual bool startProgram(const QString& path) = 0;
};

class SystemDesktopShell final : public DesktopShell {
public:
    bool openDocument(const QString& path) override;
    bool startProgram(const QString& path) override;
};

// The companion object form editor ("Менеджер объектов"): the program `kvt-form-editor` in the
// program directory, else on the search path. Empty when it is found in neither place.
QString FindObjectManager(const QString& programDirectory, const QString& searchPath);

inline const QString kObjectManagerProgram = QStringLiteral("kvt-form-editor");
inline const QString kManualFile = QStringLiteral("program_help.doc");

} // namespace kvt
