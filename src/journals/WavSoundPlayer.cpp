#include "journals/WavSoundPlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace kvt {

WavSoundPlayer::WavSoundPlayer(QString soundsFolder, QObject* parent)
    : QObject(parent), folder_(std::move(soundsFolder))
{
    if (!folder_.isEmpty() && !folder_.endsWith(QLatin1Char('/')))
        folder_ += QLatin1Char('/');
}

QString WavSoundPlayer::fileOf(const QString& name) const
{
    return folder_ + name + QStringLiteral(".wav");
}

QSoundEffect* WavSoundPlayer::effectFor(const QString& name)
{
    if (QSoundEffect* known = effects_.value(name))
        return known;
    const QString file = fileOf(name);
    if (!QFileInfo::exists(file))
        return nullptr;
    auto* effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(file));
    effects_.insert(name, effect);
    return effect;
}

void WavSoundPlayer::play(const QString& name)
{
    for (QSoundEffect* effect : std::as_const(effects_))
        effect->stop();
    if (QSoundEffect* effect = effectFor(name))
        effect->play();
}

} // namespace kvt
