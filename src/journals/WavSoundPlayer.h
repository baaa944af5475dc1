#pragma once

#include "common/SoundPlayer.h"

#include <QHash>
#include <QObject>
#include <QString>

class QSoundEffect;

namespace kvt {

// Plays `<folder>/<name>.wav` asynchronously; a new sound cuts off the one still playing.
// A sound the folder does not hold is played from the sounds shipped with the console, so a new
// instance folder is never silent. Silent when neither has the sound or the machine has no
// audio device.
class WavSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    // The folder of the sounds compiled into the console.
    static const QString kShippedSounds;

    explicit WavSoundPlayer(QString soundsFolder, QObject* parent = nullptr);

    void play(const QString& name) override;

    // The instance folder's file of a sound, whether it exists or not.
    QString fileOf(const QString& name) const;
    // The file played for a sound: the instance folder's, else the shipped one; empty when
    // neither exists.
    QString sourceOf(const QString& name) const;

private:
    QSoundEffect* effectFor(const QString& name);

    QString folder_;
    QHash<QString, QSoundEffect*> effects_;
};

} // namespace kvt
