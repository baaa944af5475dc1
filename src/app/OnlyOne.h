#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace kvt {

// The single-instance guard (unit Only_One): a lock file named after the guard's name, held
// until the program ends. One instance per user, whatever its instance folder: the lock lies in
// a folder of the user's own (the session's runtime folder, else the user's cache folder), so
// no other user's lock or file can block the start. A lock left behind by an instance that has
// died does not block the next start.
class OnlyOneInstance {
public:
    OnlyOneInstance();
    ~OnlyOneInstance();
    OnlyOneInstance(const OnlyOneInstance&) = delete;
    OnlyOneInstance& operator=(const OnlyOneInstance&) = delete;

    // Takes the guard; true when no other running instance holds it. Each "\" in the name
    // becomes "_".
    bool acquire(const QString& name);

    // The lock file used for a guard name.
    static QString lockFileFor(const QString& name);

private:
    std::unique_ptr<QLockFile> lock_;
};

inline const QString kInstanceGuardName = QStringLiteral("KVT_Mutex");
inline const QString kSecondInstanceMessage = QStringLiteral("Уже запущен один экземпляр программы KVT");

} // namespace kvt
