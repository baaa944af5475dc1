#include "app/DemoConsole.h"
#include "common/IniFile.h"
#include "store/DataAlias.h"
#include "store/RegistryFields.h"
#include "support/ConsoleProcess.h"
#include "support/SimulatorProcess.h"
#include "support/TestRegistry.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace kvt;
using namespace kvt::test;
using namespace kvt::test::demo;

namespace {

// The yellow line of a changed state: the title (ending in a space), a space, the name.
const QString kChangedLine = QStringLiteral(" - В работе системы произошли изменения для объекта  ");

// A 140-byte report whose first line is `line`, padded with spaces.
QByteArray Report(const QByteArray& line)
{
    return (line + "\r\n").leftJustified(140, ' ');
}

QString Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

// The radio modem's API frame around `data`: start byte, big-endian length, checksum.
QByteArray ApiFrame(const QByteArray& data)
{
    quint8 sum = 0;
    for (const char byte : data)
        sum = quint8(sum + quint8(byte));
    return QByteArray("\x7E") + char(data.size() >> 8) + char(data.size() & 0xFF) + data + char(0xFF - sum);
}

// A Modbus RTU frame: `pdu` after the slave address, then the CRC, low byte first.
QByteArray RtuFrame(int slave, const QByteArray& pdu)
{
    const QByteArray frame = char(slave) + pdu;
    quint16 crc = 0xFFFF;
    for (const char byte : frame) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return frame + char(crc & 0xFF) + char(crc >> 8);
}

// The hexadecimal frame at the end of a simulator's event line ("... FRAME 7E00...").
QString FrameOf(const QString& event)
{
    return event.section(QStringLiteral(" FRAME "), 1);
}

// Reads the console's store beside the running console, on a connection of its own.
class StoreReader {
public:
    explicit StoreReader(const QString& home)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        db.setDatabaseName(home + registry::kDataFolder + QLatin1Char('/') + registry::kStoreFileName);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    }
    ~StoreReader() { QSqlDatabase::removeDatabase(kConnection); }

    QString value(const QString& sql, const QVariant& bound) const
    {
        QSqlDatabase db = QSqlDatabase::database(kConnection);
        QSqlQuery query(db);
        query.prepare(sql);
        query.addBindValue(bound);
        const QString result = query.exec() && query.next() ? query.value(0).toString() : QString();
        query.finish();
        db.close();
        return result;
    }
    int code(const QString& name) const
    {
        return value(QStringLiteral("SELECT Kod_O FROM Object_ND WHERE Name_O = ?"), name).toInt();
    }
    QString latestPacket(int code) const
    {
        return value(QStringLiteral("SELECT Text_SMS FROM SMS_ND WHERE Kod_O = ? ORDER BY Kod_SMS DESC LIMIT 1"), code);
    }
    QString latestState(int code) const
    {
        return value(QStringLiteral("SELECT Time_SMS FROM Object_ND WHERE Kod_O = ?"), code);
    }

private:
    inline static const QString kConnection = QStringLiteral("links-e2e");
};

QString Key(const QString& home, const QString& file, int code, const QString& key)
{
    return IniFile(home + file).readString(QString::number(code), key);
}

} // namespace

// The built console on a demo instance, driven over pseudo-terminals by the radio modem
// simulator and the Modbus RTU slave simulator in real time: the frames it sends, and what a
// report leaves in the store, the channel files and the event log.
class LinksEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void reportsOverBothLinksReachTheStoreFilesAndLog()
    {
        SimulatorProcess radio(QStringLiteral("kvt-sim-radio"), {QStringLiteral("--object"), kRadioAddress});
        QVERIFY2(radio.started(), qPrintable(radio.failure()));
        SimulatorProcess rs485(QStringLiteral("kvt-sim-rs485"),
                               {QStringLiteral("--slave"), QString::number(kRs485Slave)});
        QVERIFY2(rs485.started(), qPrintable(rs485.failure()));
        const QByteArray rs485Report = Report("TSP02 T71.5 P5.6 OK");
        QVERIFY(rs485.control(QStringLiteral("packet %1 %2").arg(kRs485Slave).arg(Hex(rs485Report))).startsWith("OK"));

        // The instance as an operator makes one; only the links' Port and AutoStart are set.
        DemoInstance demo;
        QVERIFY2(demo.made(), qPrintable(demo.failure()));
        for (const auto& [section, device] : {std::pair{QStringLiteral("Radio_Svyaz"), radio.devicePath()},
                                              std::pair{QStringLiteral("RS485_Svyaz"), rs485.devicePath()}}) {
            demo.setKey(section, QStringLiteral("Port"), device);
            demo.setKey(section, QStringLiteral("AutoStart"), QStringLiteral("1"));
        }
        const QString& home = demo.home();
        StoreReader store(home);
        const int radioCode = store.code(kRadioObject);
        const int rs485Code = store.code(kRs485Object);
        QVERIFY(radioCode > 0 && rs485Code > 0);

        QTemporaryDir temp;
        ConsoleProcess console(home, temp.path());
        console.process.start();
        QVERIFY(console.process.waitForStarted());

        // RS-485: input registers 0..69 of the slave, read with the request the wire format fixes.
        const QString read = rs485.waitForLine(QStringLiteral("READ %1 FRAME").arg(kRs485Slave), kLinkMs);
        QCOMPARE(FrameOf(read), Hex(RtuFrame(kRs485Slave, QByteArray::fromHex("0400000046"))));
        QVERIFY(WaitFor([&] { return store.latestState(rs485Code) == Hex(rs485Report); }, kLinkMs));
        QCOMPARE(store.latestPacket(rs485Code), Hex(rs485Report));
        QCOMPARE(Key(home, "RS485.ini", rs485Code, "STATE"), QStringLiteral("TSP02 OK"));

        // Radio: a poll to the object's 64-bit address, then the object's report in two parts.
        const QString poll = FrameOf(radio.waitForLine(QStringLiteral("POLL ") + kRadioAddress, kLinkMs));
        const QByteArray frameId = QByteArray::fromHex(poll.mid(8, 2).toLatin1());
        QCOMPARE(poll, Hex(ApiFrame("\x10" + frameId + QByteArray::fromHex("0013A20040A1B2C3FFFE0000") + "P")));
        const QByteArray radioReport = Report("KNS05 H2.40 P3.0 LOW");
        QVERIFY(radio.control(QStringLiteral("send %1 %2").arg(kRadioAddress, Hex(radioReport))).startsWith("OK"));
        // Both storage steps: the history row, then the object's latest state.
        QVERIFY(WaitFor([&] { return store.latestState(radioCode) == Hex(radioReport); }, kLinkMs));
        QCOMPARE(store.latestPacket(radioCode), Hex(radioReport));
        QCOMPARE(Key(home, "ZigBee.ini", radioCode, "STATE"), QStringLiteral("KNS05 LOW"));

        // The link of last contact in both files, the error counters at rest, the changes logged.
        for (const QString& file : {QStringLiteral("ZigBee.ini"), QStringLiteral("RS485.ini")}) {
            QCOMPARE(Key(home, file, radioCode, "SVYAZ"), QStringLiteral("ZigBee"));
            QCOMPARE(Key(home, file, rs485Code, "SVYAZ"), QStringLiteral("RS485"));
        }
        QCOMPARE(Key(home, "ZigBee.ini", radioCode, "ErrCnt").toInt(), 0);
        QCOMPARE(Key(home, "RS485.ini", rs485Code, "ErrCnt").toInt(), 0);
        const QString log = demo.reportLog();
        QVERIFY2(log.contains(kChangedLine + kRadioObject) && log.contains(kChangedLine + kRs485Object),
                 qPrintable(log));

        // A slave that stops answering is counted up round by round, and back to 0 when it answers.
        QVERIFY(rs485.control(QStringLiteral("unreachable %1").arg(kRs485Slave)).startsWith("OK"));
        QVERIFY(WaitFor([&] { return Key(home, "RS485.ini", rs485Code, "ErrCnt").toInt() >= 3; }, kLinkMs));
        QVERIFY(rs485.control(QStringLiteral("reachable %1").arg(kRs485Slave)).startsWith("OK"));
        QVERIFY(WaitFor([&] { return Key(home, "RS485.ini", rs485Code, "ErrCnt").toInt() == 0; }, kLinkMs));
        QCOMPARE(console.process.state(), QProcess::Running);
    }
};

KVT_TEST(LinksEndToEndTest)
#include "LinksEndToEndTest.moc"
