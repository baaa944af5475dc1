#include "common/Win1251.h"
#include "gsm/PduConv.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;

namespace {

QByteArray Codes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

const QString kReadReplyHead = QStringLiteral("\r\n+CMGR: 0,,21\r\n");
const QString kDeliver11 = QStringLiteral("07919700000000F0040B919721436587F9000401800221543000020102");
// The same message from a 10-digit sender: every field after the address two characters earlier.
const QString kDeliver10 = QStringLiteral("07919700000000F0040A919721436587000401800221543000020102");

} // namespace

class PduConvTest : public QObject {
    Q_OBJECT
private slots:
    // Whole SMS-SUBMIT PDUs: the values the console must send. The "Test" and "hellohello" user
    // data are the packing examples known from TS 23.038 walk-throughs.
    void encodeSubmit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("pdu");
        QTest::newRow("abc") << "abc" << "79123456789" << "0035000B919721436587F90000AA0361F118";
        QTest::newRow("escape [") << "[" << "79123456789" << "0035000B919721436587F90000AA021B1E";
        QTest::newRow("even phone") << "abc" << "7912" << "003500049197210000AA0361F118";
        QTest::newRow("Test") << "Test" << "79123456789" << "0035000B919721436587F90000AA04D4F29C0E";
        QTest::newRow("hellohello") << "hellohello" << "79123456789"
                                    << "0035000B919721436587F90000AA0AE8329BFD4697D9EC37";
        QTest::newRow("empty text") << "" << "79123456789" << "0035000B919721436587F90000AA00";
        QTest::newRow("empty phone") << "abc" << "" << "00350000910000AA0361F118";
        // Ж is byte 0xC6 (Æ, code 28); у 0xF3 -> 'o'; к 0xEA -> 'e'.
        QTest::newRow("cyrillic by byte") << "Жук" << "7912" << "003500049197210000AA039C7719";
    }
    void encodeSubmit()
    {
        QFETCH(QString, text);
        QFETCH(QString, phone);
        QFETCH(QString, pdu);
        QCOMPARE(EncodeSubmitPdu(text, phone), pdu);
    }

    void encodeSubmitLengthCountsEscapes()
    {
        // 160 characters each needing an escape: 320 septets; the length octet keeps its low byte.
        const QString text(160, QLatin1Char('{'));
        const QString pdu = EncodeSubmitPdu(text, QStringLiteral("79123456789"));
        const int udlAt = QStringLiteral("0035000B919721436587F90000AA").size();
        QCOMPARE(pdu.mid(udlAt, 2), QStringLiteral("40"));
        QCOMPARE(pdu.size() - udlAt - 2, 2 * 280);
    }

    void encodeDataSubmit_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("pdu");
        QTest::newRow("one octet") << "41" << "79123456789" << "0011000B919721436587F90004AA0141";
        QTest::newRow("even phone") << "0102FF" << "7912" << "00110004919721" "0004AA03" "0102FF";
        QTest::newRow("empty") << "" << "79123456789" << "0011000B919721436587F90004AA00";
        QTest::newRow("odd hex kept") << "414" << "79123456789" << "0011000B919721436587F90004AA01414";
        QTest::newRow("140 octets") << QString(280, QLatin1Char('A')) << "79123456789"
                                    << "0011000B919721436587F90004AA8C" + QString(280, QLatin1Char('A'));
    }
    void encodeDataSubmit()
    {
        QFETCH(QString, data);
        QFETCH(QString, phone);
        QFETCH(QString, pdu);
        QCOMPARE(EncodeDataSubmitPdu(data, phone), pdu);
    }

    void phoneSemiOctets_data()
    {
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("semiOctets");
        QTest::newRow("11 digits") << "79123456789" << "9721436587F9";
        QTest::newRow("4 digits") << "7912" << "9721";
        QTest::newRow("1 digit") << "7" << "F7";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("not digits") << "+7912" << "7+19F2";
    }
    void phoneSemiOctets()
    {
        QFETCH(QString, phone);
        QFETCH(QString, semiOctets);
        QCOMPARE(PhoneToSemiOctets(phone), semiOctets);
    }

    void packSeptets_data()
    {
        QTest::addColumn<QByteArray>("codes");
        QTest::addColumn<QString>("hex");
        QTest::newRow("none") << QByteArray() << "";
        QTest::newRow("1 code") << QByteArray("a") << "61";
        QTest::newRow("7 codes") << QByteArray("abcdefg") << "61F1985C369F01";
        QTest::newRow("8 codes") << QByteArray("abcdefgh") << "61F1985C369FD1";
        QTest::newRow("9 codes") << QByteArray("abcdefghi") << "61F1985C369FD169";
        QTest::newRow("all ones") << Codes({127, 127, 127, 127, 127, 127, 127, 127}) << "FFFFFFFFFFFFFF";
        // Only the low 7 bits take part.
        QTest::newRow("high bit ignored") << Codes({0xE1, 0xE2, 0xE3}) << "61F118";
    }
    void packSeptets()
    {
        QFETCH(QByteArray, codes);
        QFETCH(QString, hex);
        QCOMPARE(PackSeptets(codes), hex);
        QCOMPARE(hex.size(), 2 * ((7 * codes.size() + 7) / 8));
    }

    void gsmAlphabet_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QByteArray>("codes");
        QTest::newRow("letter") << int('A') << Codes({65});
        QTest::newRow("digit") << int('7') << Codes({55});
        QTest::newRow("space") << 0x20 << Codes({32});
        QTest::newRow("at") << int('@') << Codes({0});
        QTest::newRow("dollar") << int('$') << Codes({2});
        QTest::newRow("underscore") << int('_') << Codes({17});
        QTest::newRow("line feed") << 0x0A << Codes({10});
        QTest::newRow("carriage return") << 0x0D << Codes({13});
        QTest::newRow("form feed") << 0x0C << Codes({27, 10});
        QTest::newRow("caret") << int('^') << Codes({27, 20});
        QTest::newRow("brace") << int('}') << Codes({27, 41});
        QTest::newRow("backslash") << int('\\') << Codes({27, 47});
        QTest::newRow("bar") << int('|') << Codes({27, 64});
        QTest::newRow("tilde") << int('~') << Codes({27, 61});
        QTest::newRow("grave") << 0x60 << Codes({39});
        QTest::newRow("pound") << 0xA3 << Codes({1});
        QTest::newRow("a grave") << 0xE0 << Codes({127});
        QTest::newRow("i acute as i grave") << 0xED << Codes({7});
        QTest::newRow("E grave as E acute") << 0xC8 << Codes({31});
        QTest::newRow("c cedilla as C cedilla") << 0xE7 << Codes({9});
        QTest::newRow("quote 0x84") << 0x84 << Codes({34});
        QTest::newRow("dash 0x97") << 0x97 << Codes({45});
        QTest::newRow("nbsp") << 0xA0 << Codes({32});
        QTest::newRow("0xB9") << 0xB9 << Codes({49});
        QTest::newRow("0x9F") << 0x9F << Codes({89});
        QTest::newRow("0x83") << 0x83 << Codes({102});
        QTest::newRow("0xFF") << 0xFF << Codes({121});
        QTest::newRow("0x8C chosen") << 0x8C << Codes({63});
        QTest::newRow("euro sign 0x80") << 0x80 << Codes({63});
        QTest::newRow("NUL") << 0x00 << Codes({63});
        QTest::newRow("DEL") << 0x7F << Codes({63});
    }
    void gsmAlphabet()
    {
        QFETCH(int, byte);
        QFETCH(QByteArray, codes);
        QCOMPARE(ToGsmAlphabet(QByteArray(1, char(byte))), codes);
        QCOMPARE(ToGsmAlphabet(QString(Win1251Char(uchar(byte)))), codes);
    }

    // The bytes without a character map to '?', and no others (the list is the table's own,
    // transcribed apart from the code).
    void gsmAlphabetUnknownBytes()
    {
        QList<int> unknown;
        auto range = [&](int from, int to) {
            for (int b = from; b <= to; ++b)
                unknown << b;
        };
        range(0x00, 0x09);
        range(0x0E, 0x1F);
        range(0x85, 0x89);
        range(0x8D, 0x90);
        range(0xBC, 0xBE);
        unknown << 0x0B << 0x7F << 0x80 << 0x81 << 0x99 << 0x9D << 0x9E << 0xA9 << 0xAA << 0xAC << 0xAE
                << 0xAF << 0xB0 << 0xB1 << 0xB6 << 0xB7 << 0xB8 << 0xBA << 0xDE << 0xF0 << 0xFE
                << 0x8C << int('?');
        for (int b = 0; b < 256; ++b) {
            const QByteArray codes = ToGsmAlphabet(QByteArray(1, char(b)));
            QVERIFY2(codes.size() == 1 || (codes.size() == 2 && codes[0] == 27), qPrintable(QString::number(b, 16)));
            QVERIFY2(uchar(codes.back()) <= 127, qPrintable(QString::number(b, 16)));
            QCOMPARE(codes == QByteArray(1, '?'), unknown.contains(b));
        }
    }

    void decode_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<QString>("coding");
        QTest::addColumn<QString>("udl");
        QTest::addColumn<QString>("ud");
        const QString stamp = QStringLiteral("20.08.10  12:45");
        QTest::newRow("read reply") << kReadReplyHead + kDeliver11 + "\r\n\r\nOK\r\n" << true << "79123456789"
                                    << stamp << "4" << "02" << "0102";
        QTest::newRow("10-digit sender") << kReadReplyHead + kDeliver10 + "\r\n" << true << "7912345678" << stamp
                                         << "4" << "02" << "0102";
        QTest::newRow("no 0791") << "\r\nOK\r\n" << false << "" << "" << "" << "" << "";
        QTest::newRow("empty reply") << "" << false << "" << "" << "" << "" << "";
        QTest::newRow("ends at end of reply") << kDeliver11 << true << "79123456789" << stamp << "4" << "02" << "0102";
        QTest::newRow("ends at NUL tail") << kDeliver11 + QString(40, QChar(0)) << true << "79123456789" << stamp
                                          << "4" << "02" << "0102";
        QTest::newRow("ends at TAB") << kDeliver11 + "\t99" << true << "79123456789" << stamp << "4" << "02"
                                     << "0102";
        QTest::newRow("first 0791 wins") << "0791\r\n" + kDeliver11 << true << "" << "..  :" << "" << "" << "";
        // The user-data length does not cut the user data.
        QTest::newRow("ud longer than udl") << kDeliver11 + "AABB OK" << true << "79123456789" << stamp << "4"
                                            << "02" << "0102AABB OK";
        QTest::newRow("7-bit coding")
            << "07919700000000F0040B919721436587F9000001800221543000121122" << true << "79123456789" << stamp
            << "0" << "12" << "1122";
        // Cut short: the fields that are there, partial ones as far as they go.
        // Digits are read pair by pair, second character first: a pair cut in half gives its
        // first character only.
        QTest::newRow("cut in sender") << kDeliver11.left(27) << true << "79124" << "..  :" << "" << "" << "";
        QTest::newRow("cut before last digit") << kDeliver11.left(33) << true << "7912345678" << "..  :" << ""
                                                 << "" << "";
        QTest::newRow("cut in stamp") << kDeliver11.left(43) << true << "79123456789" << "0.08.10  :" << "4" << ""
                                      << "";
        QTest::newRow("cut in udl") << kDeliver11.left(53) << true << "79123456789" << stamp << "4" << "0" << "";
        QTest::newRow("cut after udl") << kDeliver11.left(54) << true << "79123456789" << stamp << "4" << "02" << "";
        QTest::newRow("marker only") << "0791" << true << "" << "..  :" << "" << "" << "";
        // An address length that is not hex counts as 0 digits.
        QTest::newRow("bad address length")
            << "07919700000000F004ZZ91" << true << "" << "..  :" << "" << "" << "";
        QTest::newRow("lower-case hex") << kDeliver11.toLower() << true << "79123456789" << stamp << "4" << "02"
                                        << "0102";
    }
    void decode()
    {
        QFETCH(QString, reply);
        const DeliverPdu pdu = DecodeDeliverPdu(reply);
        QTEST(pdu.found, "found");
        QTEST(pdu.sender, "sender");
        QTEST(pdu.stamp, "stamp");
        QTEST(pdu.coding, "coding");
        QTEST(pdu.udLengthText, "udl");
        QTEST(pdu.userData, "ud");
    }

    // Only the first 512 characters of a reply are the modem's read buffer.
    void decodeLooksAtFirst512Characters()
    {
        const QString filler(512 - 4, QLatin1Char('x'));
        QVERIFY(DecodeDeliverPdu(filler + "0791" + kDeliver11).found);
        QCOMPARE(DecodeDeliverPdu(filler + "0791" + kDeliver11).sender, QString());
        QVERIFY(!DecodeDeliverPdu(filler + "x0791").found);

        const QString head(100, QLatin1Char(' '));
        const QString longUd = kDeliver11 + QString(600, QLatin1Char('A'));
        const DeliverPdu pdu = DecodeDeliverPdu(head + longUd);
        QCOMPARE(pdu.userData.size(), 512 - 100 - (kDeliver11.size() - 4));
    }
};

KVT_TEST(PduConvTest)
#include "PduConvTest.moc"
