#pragma once

#include "common/SoundPlayer.h"

#include <QHash>
#include <QObject>
#include <QString>

class QSoundEffect;

namespace kvt {

// Plays `<folder>/<name>.wav` asynchronously; a new sound cuts off the one still playing.
// Silent when the file is missing or the machine has no audio device.
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

} // namespace kvt
