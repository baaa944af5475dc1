#pragma once

#include <QString>

namespace kvt {

// Plays a sound by name ("Alarm", "ReciveData", "SendData") without waiting for it to end;
// a new sound cuts off one still playing. A machine without sound plays nothing, silently.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& name) = 0;
};

} // namespace kvt
