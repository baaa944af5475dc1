#include "Command.h"

#include "common/Clock.h"
#include "common/Hex.h"
#include "common/Win1251.h"
#include "gsm/DeliverPduBuilder.h"
#include "gsm/PduConv.h"

#include <QDateTime>
#include <QFile>

#include <cstdio>

// SMS PDU codec on the command line. Arguments arrive as UTF-8 and are held as the console
// holds text (characters of the Windows-1251 code page; others become '?'); the modem's reply
// on stdin is raw bytes, read as Windows-1251 as they come from the port. Output is UTF-8.
namespace {

using kvt::tool::Streams;

constexpr int kUsageError = 2;
constexpr int kWrongArgumentCount = -1;  // the caller prints the usage

// The text as the console would hold it: one Windows-1251 character per character.
QString AsConsoleText(const QString& argument)
{
    return kvt::FromWin1251(kvt::ToWin1251(argument));
}

int Usage(Streams& io, const char* usage)
{
    io.err << "usage: kvt-tool " << usage << '\n';
    return kUsageError;
}

// User data is given as upper-case hexadecimal, two digits per byte.
bool IsHexPairs(const QString& data)
{
    return kvt::IsHexText(data) && data.size() % 2 == 0;
}

int RefuseData(Streams& io, const char* action)
{
    io.err << "kvt-tool pdu " << action << ": the data must be upper-case hex pairs\n";
    return kUsageError;
}

int DecodeFromStdin(Streams& io)
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        io.err << "kvt-tool pdu decode: cannot read standard input\n";
        return 1;
    }
    const kvt::DeliverPdu pdu = kvt::DecodeDeliverPdu(kvt::FromWin1251(in.readAll()));
    io.out << "found=" << (pdu.found ? 1 : 0) << '\n'
           << "sender=" << pdu.sender << '\n'
           << "stamp=" << pdu.stamp << '\n'
           << "coding=" << pdu.coding << '\n'
           << "udl=" << pdu.udLengthText << '\n'
           << "ud=" << pdu.userData << '\n';
    return 0;
}

// An SMS-DELIVER as a modem shows it, stamped now or at --stamp=YYYY-MM-DDTHH:MM:SS.
int BuildDeliver(QStringList args, bool text, Streams& io)
{
    kvt::DeliverMessage message;
    message.stamp = kvt::SystemClock().now();
    const QString stampOption = QStringLiteral("--stamp=");
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (!args[i].startsWith(stampOption))
            continue;
        message.stamp = QDateTime::fromString(args.takeAt(i).mid(stampOption.size()), Qt::ISODate);
        if (!message.stamp.isValid()) {
            io.err << "kvt-tool pdu: the stamp is not YYYY-MM-DDTHH:MM:SS\n";
            return kUsageError;
        }
        break;
    }
    if (args.size() != 2)
        return kWrongArgumentCount;
    message.sender = AsConsoleText(args[0]);
    if (text) {
        io.out << kvt::BuildDeliverTextPdu(message, AsConsoleText(args[1])) << '\n';
        return 0;
    }
    if (!IsHexPairs(args[1]))
        return RefuseData(io, "deliver-data");
    io.out << kvt::BuildDeliverDataPdu(message, kvt::HexToBytes(args[1])) << '\n';
    return 0;
}

constexpr const char* kPduUsage =
    "pdu encode-text PHONE TEXT | pdu encode-data PHONE HEX | pdu decode < REPLY\n"
    "     | pdu deliver-text PHONE TEXT [--stamp=ISO] | pdu deliver-data PHONE HEX [--stamp=ISO]";

int RunPdu(const QStringList& args, Streams& io)
{
    const QString action = args.value(0);
    if (action == QLatin1String("encode-text") && args.size() == 3) {
        io.out << kvt::EncodeSubmitPdu(AsConsoleText(args[2]), AsConsoleText(args[1])) << '\n';
        return 0;
    }
    if (action == QLatin1String("encode-data") && args.size() == 3) {
        if (!IsHexPairs(args[2]))
            return RefuseData(io, "encode-data");
        io.out << kvt::EncodeDataSubmitPdu(args[2], AsConsoleText(args[1])) << '\n';
        return 0;
    }
    if (action == QLatin1String("decode") && args.size() == 1)
        return DecodeFromStdin(io);
    if (action == QLatin1String("deliver-text") || action == QLatin1String("deliver-data")) {
        const int result = BuildDeliver(args.mid(1), action == QLatin1String("deliver-text"), io);
        if (result != kWrongArgumentCount)
            return result;
    }
    return Usage(io, kPduUsage);
}

int RunTranslit(const QStringList& args, Streams& io)
{
    if (args.size() != 1)
        return Usage(io, "translit TEXT");
    io.out << kvt::Transliterate(AsConsoleText(args[0])) << '\n';
    return 0;
}

} // namespace

KVT_TOOL_COMMAND("pdu",
                 "encode-text PHONE TEXT | encode-data PHONE HEX | decode < REPLY | deliver-text PHONE TEXT "
                 "[--stamp=ISO] | deliver-data PHONE HEX [--stamp=ISO]",
                 "SMS-SUBMIT PDU of a 7-bit text or of 8-bit data; fields of the SMS-DELIVER in a modem's "
                 "read-message reply (bytes on stdin, Windows-1251); an SMS-DELIVER as a modem shows it",
                 RunPdu)
KVT_TOOL_COMMAND("translit", "TEXT", "Cyrillic to Latin as for SMS texts (at most 140 characters)", RunTranslit)
