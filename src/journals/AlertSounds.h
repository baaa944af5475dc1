#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class QSoundEffect;

namespace kvt {

// The three sounds of the console, by the names passed to the player.
enum class AlertSound { Alarm, ReciveData, SendData };

QString AlertSoundName(AlertSound sound);

// The platform's asynchronous sound player: plays a sound by name; a new sound cuts off the one
// still playing. A player that cannot play (no file, no audio device) stays silent.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& name) = 0;
};

// Plays `<folder>/<name>.wav`; silent when the file is missing or the machine has no audio.
class WavSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit WavSoundPlayer(QString soundsFolder, QObject* parent = nullptr);

    void play(const QString& name) override;

    QString fileOf(const QString& name) const;

private:
    QSoundEffect* effectFor(const QString& name);

    QString folder_;
    QHash<QString, QSoundEffect*> effects_;
};

// The three sound buttons: each plays its sound only while its switch is on.
class AlertSounds {
public:
    using Switch = std::function<bool(AlertSound)>;

    AlertSounds(SoundPlayer& player, Switch isOn);

    void press(AlertSound sound);

private:
    SoundPlayer& player_;
    Switch isOn_;
};

} // namespace kvt
