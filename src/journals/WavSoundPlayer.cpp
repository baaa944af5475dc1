#include "journals/WavSoundPlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace kvt {

const QString WavSoundPlayer::kShippedSounds = QStringLiteral(":/sounds/");

namespace {
QString asFolder(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString wavIn(const QString& folder, const QString& name)
{
    return folder + name + QStringLiteral(".wav");
}

// A resource path (":/…") becomes a "qrc:" address, anything else a local file.
QUrl urlOf(const QString& file)
{
    if (file.startsWith(QLatin1String(":/")))
        return QUrl(QStringLiteral("qrc") + file);
    return QUrl::fromLocalFile(file);
}
} // namespace

WavSoundPlayer::WavSoundPlayer(QString soundsFolder, QObject* parent)
    : QObject(parent), folder_(asFolder(std::move(soundsFolder)))
{
}

QString WavSoundPlayer::fileOf(const QString& name) const
{
    return wavIn(folder_, name);
}

QString WavSoundPlayer::sourceOf(const QString& name) const
{
    for (const QString& file : {fileOf(name), wavIn(kShippedSounds, name)}) {
        if (QFileInfo::exists(file))
            return file;
    }
    return {};
}

QSoundEffect* WavSoundPlayer::effectFor(const QString& name)
{
    if (QSoundEffect* known = effects_.value(name))
        return known;
    const QString file = sourceOf(name);
    if (file.isEmpty())
        return nullptr;
    auto* effect = new QSoundEffect(this);
    effect->setSource(urlOf(file));
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
