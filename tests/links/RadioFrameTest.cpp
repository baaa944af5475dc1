#include "links/LinkKind.h"
#include "links/RadioApiFrame.h"
#include "links/RadioPayload.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt::links;
using namespace kvt::links::radio;

namespace {

constexpr quint64 kObject = 0x0013A20040A1B2C3ULL;

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QList<QByteArray> ReadAll(ApiFrameReader& reader)
{
    QList<QByteArray> frames;
    while (auto frame = reader.next())
        frames << *frame;
    return frames;
}

} // namespace

class RadioFrameTest : public QObject {
    Q_OBJECT
private slots:
    void framesAreBuiltByteForByte_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("expected");
        // The modem maker's own example: AT command NH, frame id 0x52.
        QTest::newRow("AT NH") << AtCommandFrame(0x52, "NH") << Hex("7E000408524E480F");
        QTest::newRow("AT AI") << AtCommandFrame(1, "AI") << Hex("7E0004080141496C");
        QTest::newRow("poll") << TransmitRequestFrame(2, kObject, PollPayload())
                              << Hex("7E000F10020013A20040A1B2C3FFFE00005095");
        QTest::newRow("command") << TransmitRequestFrame(2, kObject, CommandPayload(Hex("030102")))
                                 << Hex("7E001210020013A20040A1B2C3FFFE0000430301029C");
        QTest::newRow("settings")
            << TransmitRequestFrame(3, kObject, SettingsPayload(Hex("0C0A01020000000100000002")))
            << Hex("7E001B10030013A20040A1B2C3FFFE0000530C0A0102000000010000000275");
    }
    void framesAreBuiltByteForByte()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, expected);
        QCOMPARE(frame.toHex().toUpper(), expected.toHex().toUpper());
    }

    void answersAreRead()
    {
        ApiFrameReader reader;
        reader.feed(Hex("7E0006880141490000EC" "7E00078B02FFFE03210051"
                        "7E001B900013A20040A1B2C30001015201024F424A3031205432332E350D88"));
        const QList<QByteArray> frames = ReadAll(reader);
        QCOMPARE(frames.size(), 3);
        const auto at = ParseAtResponse(frames[0]);
        QVERIFY(at);
        QCOMPARE(at->frameId, quint8(1));
        QCOMPARE(at->command, QByteArray("AI"));
        QCOMPARE(at->status, kAtCommandOk);
        const auto status = ParseTransmitStatus(frames[1]);
        QVERIFY(status);
        QCOMPARE(status->frameId, quint8(2));
        QCOMPARE(status->deliveryStatus, quint8(0x21));
        const auto packet = ParseReceivePacket(frames[2]);
        QVERIFY(packet);
        QCOMPARE(packet->source, kObject);
        const auto part = ParseReportPart(packet->rfData);
        QVERIFY(part);
        QCOMPARE(part->number, 1);
        QCOMPARE(part->count, 2);
        QCOMPARE(part->bytes, QByteArray("OBJ01 T23.5\r"));
        QVERIFY(!ParseTransmitStatus(frames[0]));
    }

    // Whatever comes before a good frame, and however the bytes are cut, the good frame is read.
    void corruptionDoesNotCostTheNextFrame_data()
    {
        QTest::addColumn<QByteArray>("stream");
        const QByteArray good = Hex("7E00078B02000100000071");
        QTest::newRow("bad checksum") << Hex("7E00078B02000100000072") + good;
        QTest::newRow("zero length") << Hex("7E0000") + good;
        QTest::newRow("length beyond any frame") << Hex("7EFFFF0102") + good;
        QTest::newRow("length swallowing the next frame") << Hex("7E00408B0200") + good;
        QTest::newRow("noise and a cut frame") << Hex("00FF7E0007") + good;
        QTest::newRow("delimiter inside the data") << Hex("7E00037E7E7E") + good;
    }
    void corruptionDoesNotCostTheNextFrame()
    {
        QFETCH(QByteArray, stream);
        for (int chunk : {1, 3, int(stream.size())}) {
            ApiFrameReader reader;
            QList<QByteArray> frames;
            for (qsizetype at = 0; at < stream.size(); at += chunk) {
                reader.feed(stream.mid(at, chunk));
                frames += ReadAll(reader);
            }
            QCOMPARE(frames.size(), 1);
            QCOMPARE(frames[0], Hex("8B020001000000"));
        }
    }

    void reportParts_data()
    {
        QTest::addColumn<QList<int>>("numbers"); // parts in arrival order, each of two
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QList<int>>("arrivals"); // ms
        QTest::addColumn<bool>("handedOver");
        QTest::newRow("two parts of 70") << QList<int>{1, 2} << QList<int>{70, 70} << QList<int>{0, 100} << true;
        QTest::newRow("second part missing") << QList<int>{1} << QList<int>{70} << QList<int>{0} << false;
        QTest::newRow("part one again") << QList<int>{1, 1} << QList<int>{70, 70} << QList<int>{0, 100} << false;
        QTest::newRow("second part alone") << QList<int>{2} << QList<int>{70} << QList<int>{0} << false;
        QTest::newRow("within the window") << QList<int>{1, 2} << QList<int>{70, 70} << QList<int>{0, 10000} << true;
        QTest::newRow("after the window") << QList<int>{1, 2} << QList<int>{70, 70} << QList<int>{0, 10001} << false;
        QTest::newRow("139 bytes") << QList<int>{1, 2} << QList<int>{70, 69} << QList<int>{0, 1} << false;
        QTest::newRow("141 bytes") << QList<int>{1, 2} << QList<int>{71, 70} << QList<int>{0, 1} << false;
    }
    void reportParts()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(QList<int>, sizes);
        QFETCH(QList<int>, arrivals);
        QFETCH(bool, handedOver);
        ReportAssembler assembler(10000);
        std::optional<QByteArray> report;
        QByteArray sent;
        for (int i = 0; i < numbers.size(); ++i) {
            const QByteArray bytes(sizes[i], char('a' + i));
            sent += bytes;
            report = assembler.add(kObject, ReportPart{numbers[i], 2, bytes}, arrivals[i]);
        }
        QCOMPARE(report.has_value(), handedOver);
        if (handedOver)
            QCOMPARE(*report, sent);
    }

    void partsOfTwoSourcesDoNotMix()
    {
        ReportAssembler assembler(10000);
        const QByteArray a(70, 'a');
        const QByteArray b(70, 'b');
        QVERIFY(!assembler.add(1, ReportPart{1, 2, a}, 0));
        QVERIFY(!assembler.add(2, ReportPart{1, 2, b}, 0));
        QCOMPARE(assembler.add(1, ReportPart{2, 2, a}, 5), a + a);
        QCOMPARE(assembler.add(2, ReportPart{2, 2, b}, 5), b + b);
        QCOMPARE(assembler.pendingSources(), 0);
    }

    void impossiblePartNumbers()
    {
        QVERIFY(!ParseReportPart(Hex("520302")));  // part 3 of 2
        QVERIFY(!ParseReportPart(Hex("520000")));  // part 0
        QVERIFY(!ParseReportPart(Hex("5001")));    // a poll, not a report
        QVERIFY(ParseReportPart(Hex("520101")));   // one empty part
    }
};

KVT_TEST(RadioFrameTest)
#include "RadioFrameTest.moc"
