#include "common/Errors.h"
#include "common/IniFile.h"
#include "common/Win1251.h"
#include "support/FailingWriter.h"
#include "support/Files.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace kvt;

namespace {
QByteArray cp(const QString& text)
{
    return ToWin1251(text);
}
} // namespace

class IniFileTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void keepsEverythingNotWritten()
    {
        const QByteArray original = cp(QStringLiteral(
            "; Настройки диспетчерской\r\n"
            "[Неизвестная]\r\n"
            "Ключ=Значение с пробелами\r\n"
            "\r\n"
            "[GSM_Svyaz]\r\n"
            "Port=COM1\r\n"
            "; comment inside\r\n"
            "Скорость=9600\r\n"
            "\r\n"
            "строка без равно\r\n"
            "[Хвост]\r\n"
            "a=1\r\n"));
        test::WriteFile(path("keep.ini"), original);
        IniFile ini(path("keep.ini"));
        QCOMPARE(ini.readString(QStringLiteral("Неизвестная"), QStringLiteral("Ключ")), QStringLiteral("Значение с пробелами"));
        ini.writeString(QStringLiteral("GSM_Svyaz"), QStringLiteral("Скорость"), QStringLiteral("115200"));
        QByteArray expected = original;
        expected.replace(cp(QStringLiteral("Скорость=9600")), cp(QStringLiteral("Скорость=115200")));
        QCOMPARE(test::ReadFile(path("keep.ini")), expected);

        // A new key goes after the last key of its section, before the blank line.
        ini.writeString(QStringLiteral("gsm_svyaz"), QStringLiteral("New"), QStringLiteral("x"));
        expected.replace(cp(QStringLiteral("Скорость=115200\r\n")), cp(QStringLiteral("Скорость=115200\r\nстрока без равно\r\n")));
        QVERIFY(test::ReadFile(path("keep.ini")).contains(cp(QStringLiteral("строка без равно\r\nNew=x\r\n[Хвост]"))));
    }

    void readsWithDefaults_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("asInteger");
        QTest::addColumn<bool>("asBool");
        QTest::newRow("zero") << "0" << 0 << false;
        QTest::newRow("one") << "1" << 1 << true;
        QTest::newRow("any non-zero is true") << "7" << 7 << true;
        QTest::newRow("negative") << "-1" << -1 << true;
        QTest::newRow("not a number reads default") << "abc" << 42 << true;
        QTest::newRow("empty reads default") << "" << 42 << true;
        QTest::newRow("hex dollar") << "$10" << 16 << true;
        QTest::newRow("spaces trimmed") << "  12  " << 12 << true;
        QTest::newRow("overflow reads default") << "99999999999" << 42 << true;
    }
    void readsWithDefaults()
    {
        QFETCH(QString, value);
        test::WriteFile(path("num.ini"), cp(QStringLiteral("[S]\r\nk=") + value + QStringLiteral("\r\n")));
        IniFile ini(path("num.ini"));
        QTEST(ini.readInteger(QStringLiteral("S"), QStringLiteral("k"), 42), "asInteger");
        QTEST(ini.readBool(QStringLiteral("S"), QStringLiteral("k"), true), "asBool");
        QCOMPARE(ini.readInteger(QStringLiteral("S"), QStringLiteral("missing"), 5), 5);
        QCOMPARE(ini.readBool(QStringLiteral("S"), QStringLiteral("missing"), false), false);
        QCOMPARE(ini.readString(QStringLiteral("Missing"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
    }

    void writesBooleansAsOneAndZero()
    {
        IniFile ini(path("bool.ini"));
        ini.writeBool(QStringLiteral("S"), QStringLiteral("on"), true);
        ini.writeBool(QStringLiteral("S"), QStringLiteral("off"), false);
        ini.writeInteger(QStringLiteral("S"), QStringLiteral("n"), -3);
        QCOMPARE(test::ReadFile(path("bool.ini")), QByteArray("[S]\r\non=1\r\noff=0\r\nn=-3\r\n"));
    }

    void firstOccurrenceWins()
    {
        test::WriteFile(path("dup.ini"), "[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
        IniFile ini(path("dup.ini"));
        QCOMPARE(ini.readString(QStringLiteral("A"), QStringLiteral("K")), QStringLiteral("1"));
        QCOMPARE(ini.readString(QStringLiteral("A"), QStringLiteral("j")), QString());
        QCOMPARE(ini.sections(), QStringList{QStringLiteral("A")});
        QCOMPARE(ini.keys(QStringLiteral("a")), QStringList{QStringLiteral("k")});
        ini.writeString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("9"));
        // Written to the first occurrence; line endings of the file are kept.
        QCOMPARE(test::ReadFile(path("dup.ini")), QByteArray("[A]\nk=9\nk=2\n[a]\nk=3\nj=4\n"));
    }

    void deleteKeyAndEraseSection()
    {
        test::WriteFile(path("del.ini"), "[GSM_Alarms]\nPhone0=1\nPhone1=2\n[Keep]\nx=1\n[gsm_alarms]\nPhone0=old\n");
        IniFile ini(path("del.ini"));
        ini.deleteKey(QStringLiteral("Keep"), QStringLiteral("x"));
        ini.deleteKey(QStringLiteral("Keep"), QStringLiteral("absent"));
        ini.eraseSection(QStringLiteral("GSM_Alarms"));
        QCOMPARE(test::ReadFile(path("del.ini")), QByteArray("[Keep]\n"));
        QVERIFY(!ini.sectionExists(QStringLiteral("GSM_Alarms")));
        QVERIFY(ini.sectionExists(QStringLiteral("keep")));
        QVERIFY(!ini.valueExists(QStringLiteral("Keep"), QStringLiteral("x")));
    }

    void malformedInputReadsWithoutCrash()
    {
        QByteArray junk;
        junk += "[unterminated\n=no key\n[]\n;=comment\nkey without equals\n";
        junk += "[Long]\nv=" + QByteArray(1 << 20, 'x') + "\n";
        junk += QByteArray("\x00\xff\x98\r\r\n[ok]\nk=v", 14);
        test::WriteFile(path("junk.ini"), junk);
        IniFile ini(path("junk.ini"));
        QCOMPARE(ini.readString(QStringLiteral("Long"), QStringLiteral("v")).size(), 1 << 20);
        QCOMPARE(ini.readString(QStringLiteral("ok"), QStringLiteral("k")), QStringLiteral("v"));
        ini.writeString(QStringLiteral("ok"), QStringLiteral("k"), QStringLiteral("w"));
        QByteArray expected = junk;
        expected.chop(1);
        expected += "w"; // a last line without a line break stays without one
        QCOMPARE(test::ReadFile(path("junk.ini")), expected);
    }

    void failedSaveLeavesOldFile()
    {
        const QByteArray original = "[S]\r\nk=" + QByteArray(200000, 'a') + "\r\n";
        test::WriteFile(path("fail.ini"), original);
        IniFile ini(path("fail.ini"), std::make_shared<test::FailingWriter>(5));
        QVERIFY_THROWS_EXCEPTION(IoError, ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("new")));
        QCOMPARE(test::ReadFile(path("fail.ini")), original);
        // Memory follows the disk: the failed write is not pretended to have happened.
        QCOMPARE(ini.readString(QStringLiteral("S"), QStringLiteral("k")).size(), 200000);
        // No temporary file is left behind.
        QCOMPARE(QDir(dir_.path()).entryList({QStringLiteral("fail.ini*.tmp")}, QDir::Files), QStringList());
    }

    void unwritableFolderRaisesIoError()
    {
        IniFile ini(dir_.filePath(QStringLiteral("no/such/folder/x.ini")));
        QVERIFY_THROWS_EXCEPTION(IoError, ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
    }

    // A Settings.ini kept elsewhere behind a symbolic link: saves reach the file behind the
    // link (made if missing) and the link stays a link; a loop of links is an error.
    void savesThroughSymbolicLinks_data()
    {
        QTest::addColumn<QStringList>("links");  // link, target, link, target, ...
        QTest::addColumn<QString>("target");
        QTest::newRow("relative") << QStringList{"home/Settings.ini", "../real/Settings.ini"} << "real/Settings.ini";
        QTest::newRow("link to a link") << QStringList{"home/Settings.ini", "../real/a.ini", "real/a.ini", "Settings.ini"}
                                        << "real/Settings.ini";
        QTest::newRow("target not made yet") << QStringList{"home/Settings.ini", "../real/new.ini"} << "real/new.ini";
        QTest::newRow("loop") << QStringList{"home/Settings.ini", "x.ini", "home/x.ini", "Settings.ini"} << "";
    }
    void savesThroughSymbolicLinks()
    {
        QFETCH(QStringList, links);
        QFETCH(QString, target);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("home")) && QDir(root.path()).mkpath(QStringLiteral("real")));
        test::WriteFile(root.filePath(QStringLiteral("real/Settings.ini")), "[S]\nk=old\n");
        for (int i = 0; i < links.size(); i += 2)
            QVERIFY(QFile::link(links[i + 1], root.filePath(links[i])));
        IniFile ini(root.filePath(links[0]));
        if (target.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(IoError, ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("new")));
        } else {
            ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("new"));
            QVERIFY(test::ReadFile(root.filePath(target)).contains("k=new"));
        }
        for (int i = 0; i < links.size(); i += 2)
            QVERIFY2(QFileInfo(root.filePath(links[i])).isSymLink(), qPrintable(links[i]));
        QCOMPARE(QDir(root.filePath(QStringLiteral("real"))).entryList({QStringLiteral("*.tmp")}, QDir::Files), QStringList());
    }

    // Closing the console erases the subscriber list and writes it again, then the sections
    // after it: the time grows with the list, not with its square.
    void rewritingALongSectionIsLinear()
    {
        constexpr int kSubscribers = 10000;
        constexpr qint64 kLinearBoundMs = 2000;  // tens of ms when linear, about a minute when quadratic
        QByteArray original = "[GSM_Alarms]\r\n";
        QByteArray expected = "[Window]\r\nLeft=2\r\n[GSM_Alarms]\r\n";
        for (int i = 0; i < kSubscribers; ++i) {
            original += "Phone" + QByteArray::number(i) + "=old\r\n";
            expected += "Phone" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\r\n";
        }
        test::WriteFile(path("long.ini"), original + "[Window]\r\nLeft=1\r\n");
        IniFile ini(path("long.ini"));
        QElapsedTimer timer;
        timer.start();
        {
            IniFile::Batch batch(ini);
            ini.eraseSection(QStringLiteral("GSM_Alarms"));
            for (int i = 0; i < kSubscribers; ++i)
                ini.writeString(QStringLiteral("GSM_Alarms"), QStringLiteral("Phone%1").arg(i), QString::number(i));
            ini.writeInteger(QStringLiteral("Window"), QStringLiteral("Left"), 2);
        }
        QVERIFY2(timer.elapsed() < kLinearBoundMs, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(test::ReadFile(path("long.ini")), expected);
    }

    void batchSavesOnceAndSeesChangesOnDisk()
    {
        IniFile ini(path("batch.ini"));
        {
            IniFile::Batch batch(ini);
            ini.writeString(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("1"));
            ini.writeString(QStringLiteral("S"), QStringLiteral("b"), QStringLiteral("2"));
            QVERIFY(!QFile::exists(path("batch.ini")));
        }
        QCOMPARE(test::ReadFile(path("batch.ini")), QByteArray("[S]\r\na=1\r\nb=2\r\n"));

        // Another writer changes the file: the next read sees it.
        QTest::qWait(5);
        test::WriteFile(path("batch.ini"), "[S]\r\na=changed elsewhere\r\n");
        QCOMPARE(ini.readString(QStringLiteral("S"), QStringLiteral("a")), QStringLiteral("changed elsewhere"));
    }
};

KVT_TEST(IniFileTest)
#include "IniFileTest.moc"
