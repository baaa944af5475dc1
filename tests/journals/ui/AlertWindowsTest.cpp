#include "journals/ui/AboutForm.h"
#include "journals/WavSoundPlayer.h"
#include "journals/ui/MessageForm.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kvt;

namespace {
// A short silent PCM WAV file.
QByteArray silentWav()
{
    const quint32 samples = 800;
    QByteArray data;
    auto put32 = [&](quint32 v) { for (int i = 0; i < 4; ++i) data.append(char((v >> (8 * i)) & 0xFF)); };
    auto put16 = [&](quint16 v) { data.append(char(v & 0xFF)); data.append(char(v >> 8)); };
    data.append("RIFF");
    put32(36 + samples * 2);
    data.append("WAVEfmt ");
    put32(16); put16(1); put16(1); put32(8000); put32(16000); put16(2); put16(16);
    data.append("data");
    put32(samples * 2);
    data.append(QByteArray(int(samples * 2), '\0'));
    return data;
}
} // namespace

class AlertWindowsTest : public QObject {
    Q_OBJECT
private slots:
    // A new instance folder has no sounds: the console's own are played. A file of the
    // instance folder wins; a name neither has stays silent.
    void soundsComeFromTheInstanceElseFromTheConsole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("inInstance");
        for (const char* name : {"Alarm", "ReciveData", "SendData"})
            QTest::addRow("%s shipped", name) << name << false;
        QTest::newRow("instance file wins") << "Alarm" << true;
        QTest::newRow("unknown name") << "NoSuchSound" << false;
    }
    void soundsComeFromTheInstanceElseFromTheConsole()
    {
        QFETCH(QString, name);
        QFETCH(bool, inInstance);
        QTemporaryDir dir;
        WavSoundPlayer player(dir.path());
        QFile own(dir.path() + u'/' + name + QStringLiteral(".wav"));
        if (inInstance) {
            QVERIFY(own.open(QIODevice::WriteOnly) && own.write(silentWav()) > 0);
            own.close();
        }
        const QString shipped = WavSoundPlayer::kShippedSounds + name + QStringLiteral(".wav");
        const QString expected = inInstance ? own.fileName() : name == u"NoSuchSound" ? QString() : shipped;
        QCOMPARE(player.sourceOf(name), expected);
        if (!expected.isEmpty()) {
            QFile wav(expected);
            QVERIFY(wav.open(QIODevice::ReadOnly) && wav.read(4) == "RIFF");
        }
        // On a machine that may have no audio device: plays or stays silent, never fails.
        player.play(name);
        player.play(name);
        QTest::qWait(20);
    }

    void notificationCountsDownAndClosesItself()
    {
        MessageForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Уведомление пользователя"));
        QCOMPARE(form.size(), QSize(307, 107));
        QCOMPARE(form.okButton()->size(), QSize(95, 25));
        QVERIFY(form.findChild<QLabel*>(QStringLiteral("Label1"))->text() == QStringLiteral("Дождитесь завершения предидущего действия"));
        QCOMPARE(form.countdownTimer()->interval(), 1000);

        for (int round = 0; round < 2; ++round) {
            form.show();
            QCOMPARE(form.counter(), 10);
            QVERIFY(form.countdownTimer()->isActive());
            QCOMPARE(form.okButton()->text(), QStringLiteral("Ok"));
            for (int expected = 10; expected >= 1; --expected) {
                form.Timer1Timer();
                QCOMPARE(form.okButton()->text(), QStringLiteral("Ok (%1)").arg(expected));
                QVERIFY(form.isVisible());
            }
            form.Timer1Timer(); // eleventh second: closes
            QVERIFY(!form.isVisible());
            QCOMPARE(form.okButton()->text(), QStringLiteral("Ok"));
            QVERIFY(!form.countdownTimer()->isActive());
        }
    }

    void notificationButtonClosesAtOnce()
    {
        MessageForm form;
        form.show();
        form.Timer1Timer();
        form.Timer1Timer();
        QCOMPARE(form.okButton()->text(), QStringLiteral("Ok (9)"));
        QTest::mouseClick(form.okButton(), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.okButton()->text(), QStringLiteral("Ok"));
        QVERIFY(!form.countdownTimer()->isActive());
        form.show();
        QCOMPARE(form.counter(), 10);
        form.close(); // closing by the window's own button restores the caption too
        QVERIFY(!form.countdownTimer()->isActive());
    }

    void aboutWindow()
    {
        AboutForm about;
        QCOMPARE(about.windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(about.size(), QSize(513, 154));
        QCOMPARE(AboutForm::banner().size(), QSize(499, 95));
        auto* title = about.findChild<QLabel*>(QStringLiteral("Label1"));
        QCOMPARE(title->text(), QStringLiteral("КВТ 5.1 NVX"));
        QVERIFY(title->font().bold());
        QCOMPARE(title->font().pixelSize(), 29);
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label2"))->text().count(QLatin1Char('\n')), 1);
    }
};

KVT_TEST(AlertWindowsTest)
#include "AlertWindowsTest.moc"
