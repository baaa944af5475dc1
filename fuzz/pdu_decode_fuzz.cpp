// The modem's reply to a read-message command comes from outside: any bytes may arrive. The
// SMS-DELIVER walker must never read outside the reply, and what it returns must come from the
// PDU line it found. The same input also drives the 7-bit encoder and a build-and-read round trip.
#include "common/Win1251.h"
#include "gsm/DeliverPduBuilder.h"
#include "gsm/PduConv.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kStampMaxChars = 15;
constexpr int kMaxDigits = 15;
constexpr qsizetype kMaxUserDataOctets = 140;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool HasNoControlCharacters(const QString& text)
{
    for (QChar ch : text)
        if (ch.unicode() < 32)
            return false;
    return true;
}

void CheckWalk(const QString& reply)
{
    const kvt::DeliverPdu pdu = kvt::DecodeDeliverPdu(reply);
    const QString window = reply.left(kvt::kDeliverReplyMaxChars);
    Require(pdu.found == window.contains(QLatin1String("0791")));
    if (!pdu.found) {
        Require(pdu.sender.isEmpty() && pdu.stamp.isEmpty() && pdu.coding.isEmpty() && pdu.udLengthText.isEmpty()
                && pdu.userData.isEmpty());
        return;
    }
    Require(pdu.coding.size() <= 1 && pdu.udLengthText.size() <= 2 && pdu.stamp.size() <= kStampMaxChars);
    Require(pdu.sender.size() <= 255);
    for (const QString* field : {&pdu.sender, &pdu.stamp, &pdu.coding, &pdu.udLengthText, &pdu.userData})
        Require(HasNoControlCharacters(*field));
    Require(pdu.userData.isEmpty() || window.contains(pdu.userData));
}

void CheckEncoder(const QByteArray& bytes)
{
    const QByteArray codes = kvt::ToGsmAlphabet(bytes);
    Require(codes.size() >= bytes.size() && codes.size() <= 2 * bytes.size());
    for (char code : codes)
        Require(static_cast<unsigned char>(code) <= 127);
    Require(kvt::PackSeptets(codes).size() == 2 * ((7 * codes.size() + 7) / 8));
}

// A message built from the input reads back with the same sender and data.
void CheckRoundTrip(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    const int digits = static_cast<unsigned char>(bytes[0]) % (kMaxDigits + 1);
    kvt::DeliverMessage message;
    for (int i = 0; i < digits; ++i)
        message.sender += QChar(u'0' + (i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) % 10 : 0));
    message.stamp = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5));
    const QByteArray data = bytes.mid(1, kMaxUserDataOctets);
    const kvt::DeliverPdu pdu = kvt::DecodeDeliverPdu(
        QStringLiteral("\r\n+CMGR: 0,,99\r\n") + kvt::BuildDeliverDataPdu(message, data) + QStringLiteral("\r\nOK\r\n"));
    Require(pdu.found && pdu.sender == message.sender && pdu.coding == QLatin1String("4"));
    Require(pdu.stamp == QLatin1String("02.01.24  03:04"));
    Require(pdu.userData == kvt::BytesToHex(data));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CheckWalk(kvt::FromWin1251(bytes));
    CheckEncoder(bytes);
    CheckRoundTrip(bytes);
    return 0;
}
