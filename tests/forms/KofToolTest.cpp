#include "support/SampleForms.h"
#include "support/TestRegistry.h"

#include "forms/ComponentStream.h"
#include "forms/FormText.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

namespace {

// A sanitized kvt-tool cannot start under a data limit: its shadow memory alone is terabytes of
// reserved address space.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

// Runs kvt-tool kof text on a file, stdout into `out`, the process's data limited when asked.
int PrintText(const QString& file, const QString& out, rlim_t dataLimit = RLIM_INFINITY)
{
    QProcess process;
    process.setChildProcessModifier([dataLimit] {
        const rlimit limit{dataLimit, dataLimit};
        ::setrlimit(RLIMIT_DATA, &limit);
    });
    process.setStandardOutputFile(out);
    process.start(qEnvironmentVariable("KVT_TOOLS_DIR") + QStringLiteral("/kvt-tool"), {"kof", "text", file});
    process.waitForFinished(120000);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

// kvt-tool kof text prints the bytes after the form as it reads them: the text is the one of the
// whole stream at every line and chunk boundary, and a huge trailing block needs little memory.
class KofToolTest : public QObject {
    Q_OBJECT
private slots:
    void trailingBlockPrintedAsItIsRead_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {0, 16, 17, 64 * 1024 + 5, 200000})
            QTest::addRow("%d bytes", size) << size;
    }
    void trailingBlockPrintedAsItIsRead()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        QFile sample(kvt::test::SampleForm(QStringLiteral("pumping-station")));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        QByteArray bytes = sample.readAll();
        for (int i = 0; i < size; ++i)
            bytes.append(char(i * 7 + i / 256));
        QFile in(dir.filePath(QStringLiteral("in.kof")));
        QVERIFY(in.open(QIODevice::WriteOnly) && in.write(bytes) == bytes.size());
        in.close();

        QCOMPARE(PrintText(in.fileName(), dir.filePath(QStringLiteral("in.txt"))), 0);
        QFile text(dir.filePath(QStringLiteral("in.txt")));
        QVERIFY(text.open(QIODevice::ReadOnly));
        const QString printed = QString::fromUtf8(text.readAll());
        QCOMPARE(printed, kvt::FormToText(kvt::ReadComponentStream(bytes)));
        QCOMPARE(kvt::WriteComponentStream(kvt::FormFromText(printed)), bytes);
    }

    void hugeTrailingBlockNeedsLittleMemory()
    {
        if (kAddressSanitizer)
            QSKIP("AddressSanitizer reserves its shadow memory at start-up, which any data limit refuses");
        QTemporaryDir dir;
        QVERIFY(QFile::copy(kvt::test::SampleForm(QStringLiteral("pumping-station")),
                            dir.filePath(QStringLiteral("huge.kof"))));
        QFile huge(dir.filePath(QStringLiteral("huge.kof")));
        QVERIFY(huge.resize(huge.size() + (64LL << 20)));  // 64 MB of zeros, a sparse file
        QCOMPARE(PrintText(huge.fileName(), QProcess::nullDevice(), 32 << 20), 0);
    }
};

KVT_TEST(KofToolTest)
#include "KofToolTest.moc"
