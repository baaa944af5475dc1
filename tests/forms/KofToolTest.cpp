#include "support/TestRegistry.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

// kvt-tool kof: binary -> text -> binary through the tool gives the same bytes, and a file with a
// huge trailing block is printed within little memory.
namespace {

constexpr int kRunTimeoutMs = 120000;

QString Tool()
{
    return qEnvironmentVariable("KVT_TOOLS_DIR") + QStringLiteral("/kvt-tool");
}

QByteArray SampleForm()
{
    QFile file(qEnvironmentVariable("KVT_BINARY_DIR") + QStringLiteral("/examples/forms/pumping-station.kof"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class KofToolTest : public QObject {
    Q_OBJECT
private slots:
    void roundTripThroughTheTool_data()
    {
        QTest::addColumn<int>("trailing");
        for (int size : {0, 5, 40, 70000})
            QTest::addRow("%d trailing bytes", size) << size;
    }
    void roundTripThroughTheTool()
    {
        QFETCH(int, trailing);
        QTemporaryDir dir;
        QByteArray bytes = SampleForm();
        QVERIFY(!bytes.isEmpty());
        for (int i = 0; i < trailing; ++i)
            bytes.append(char(i % 251));
        QVERIFY(WriteFile(dir.filePath(QStringLiteral("in.kof")), bytes));

        QProcess text;
        text.setStandardOutputFile(dir.filePath(QStringLiteral("form.kof.txt")));
        text.start(Tool(), {QStringLiteral("kof"), QStringLiteral("text"), dir.filePath(QStringLiteral("in.kof"))});
        QVERIFY(text.waitForFinished(kRunTimeoutMs));
        QCOMPARE(text.exitCode(), 0);
        QProcess binary;
        binary.start(Tool(), {QStringLiteral("kof"), QStringLiteral("binary"), dir.filePath(QStringLiteral("form.kof.txt")),
                              dir.filePath(QStringLiteral("out.kof"))});
        QVERIFY(binary.waitForFinished(kRunTimeoutMs));
        QCOMPARE(binary.exitCode(), 0);
        QFile out(dir.filePath(QStringLiteral("out.kof")));
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), bytes);
    }

    // 64 MB of trailing bytes printed with the process's data limited to 32 MB: the block is
    // converted as it is read, never held whole.
    void hugeTrailingBlockNeedsLittleMemory()
    {
        constexpr qint64 kTrailing = 64LL << 20;
        constexpr rlim_t kDataLimit = 32 << 20;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("huge.kof"));
        QVERIFY(WriteFile(path, SampleForm()));
        QFile file(path);
        QVERIFY(file.resize(file.size() + kTrailing));  // zeros, without using the disk

        QProcess process;
        process.setChildProcessModifier([] {
            const rlimit limit{kDataLimit, kDataLimit};
            ::setrlimit(RLIMIT_DATA, &limit);
        });
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(Tool(), {QStringLiteral("kof"), QStringLiteral("text"), path});
        QVERIFY(process.waitForFinished(kRunTimeoutMs));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }
};

KVT_TEST(KofToolTest)
#include "KofToolTest.moc"
