#pragma once

#include <QString>

namespace kvt {

// Starts a program in a window of its own (the companion object form editor).
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    virtual bool startProgram(const QString& path) = 0;
};

class DetachedProgramLauncher final : public ProgramLauncher {
public:
    bool startProgram(const QString& path) override;
};

// The companion object form editor ("Менеджер объектов"): the program `kvt-form-editor` in the
// program directory, else on the search path. Empty when it is found in neither place.
QString FindObjectManager(const QString& programDirectory, const QString& searchPath);

inline const QString kObjectManagerProgram = QStringLiteral("kvt-form-editor");
inline const QString kManualFile = QStringLiteral("program_help.doc");

} // namespace kvt
