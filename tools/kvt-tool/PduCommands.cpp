#include "Command.h"

#include "common/Win1251.h"
#include "gsm/PduConv.h"

#include <QFile>

#include <cstdio>

// SMS PDU codec on the command line. Arguments arrive as UTF-8 and are held as the console
// holds text (characters of the Windows-1251 code page; others become '?'); the modem's reply
// on stdin is raw bytes, read as Windows-1251 as they come from the port. Output is UTF-8.
namespace {

using kvt::tool::Streams;

constexpr int kUsageError = 2;

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

constexpr const char* kPduUsage = "pdu encode-text PHONE TEXT | pdu encode-data PHONE HEX | pdu decode < REPLY";

int RunPdu(const QStringList& args, Streams& io)
{
    const QString action = args.value(0);
    if (action == QLatin1String("encode-text") && args.size() == 3) {
        io.out << kvt::EncodeSubmitPdu(AsConsoleText(args[2]), AsConsoleText(args[1])) << '\n';
        return 0;
    }
    if (action == QLatin1String("encode-data") && args.size() == 3) {
        io.out << kvt::EncodeDataSubmitPdu(AsConsoleText(args[2]), AsConsoleText(args[1])) << '\n';
        return 0;
    }
    if (action == QLatin1String("decode") && args.size() == 1)
        return DecodeFromStdin(io);
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

KVT_TOOL_COMMAND("pdu", "encode-text PHONE TEXT | encode-data PHONE HEX | decode < REPLY",
                  "SMS-SUBMIT PDU of a 7-bit text or of 8-bit data; fields of the SMS-DELIVER in a modem's "
                  "read-message reply (bytes on stdin, Windows-1251)",
                  RunPdu)
KVT_TOOL_COMMAND("translit", "TEXT", "Cyrillic to Latin as for SMS texts (at most 140 characters)", RunTranslit)
