#include "Bench.h"

#include "settings/Settings.h"
#include "settings/SettingsFile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

// kvt-bench settings: closing the console saves Settings.ini, the subscriber list included, over
// the file written at the previous close.
namespace {

constexpr int kLargeSubscribers = 10000;
constexpr int kSmallSubscribers = 10;
constexpr qint64 kFirstSubscriber = 79000000000;

kvt::SettingsData withSubscribers(int count)
{
    kvt::SettingsData data;
    for (int i = 0; i < count; ++i)
        data.subscribers.append(QString::number(kFirstSubscriber + i));
    return data;
}

// The save at a close, over the file of the close before; milliseconds.
qint64 timeSave(int subscribers)
{
    QTemporaryDir home;
    const QString folder = home.path() + QLatin1Char('/');
    const kvt::SettingsData data = withSubscribers(subscribers);
    kvt::SaveSettings(data, folder);
    QElapsedTimer timer;
    timer.start();
    kvt::SaveSettings(data, folder);
    return timer.elapsed();
}

int runSettings(const QStringList&, QTextStream& out)
{
    out << "settings_save_" << kLargeSubscribers << " " << timeSave(kLargeSubscribers) << " ms\n";
    out << "settings_save_" << kSmallSubscribers << " " << timeSave(kSmallSubscribers) << " ms\n";
    return 0;
}

} // namespace

KVT_BENCH("settings", "save Settings.ini with 10,000 subscribers (and a 10-subscriber baseline)", runSettings)
