// kvt-tool book-records: the records a packet leaves in the monthly books, written by the
// console's own book writer into an instance folder, so they can be compared with another
// rendering of the same packet.
#include "Command.h"
#include "StillClock.h"
#include "ToolTimers.h"

#include "common/Clock.h"
#include "common/ErrorHandler.h"
#include "forms/ObjectForm.h"
#include "packets/ApplyStatePacket.h"
#include "packets/closing/BookWriter.h"

#include <QDir>

#include <memory>
#include <optional>

namespace {

constexpr int kUsageError = 2;
constexpr const char* kUsage =
    "usage: kvt-tool book-records DIR FORM.kof PACKET_HEX [--name NAME] [--phone PHONE] [--stamp STAMP] "
    "[--month YYYY-MM]\n";

struct BookArguments {
    QStringList positional;
    QString name;
    QString phone;
    QString stamp;
    std::optional<QDate> month;
};

std::optional<BookArguments> ParseBookArguments(const QStringList& args)
{
    BookArguments parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--name") && hasValue)
            parsed.name = args[++i];
        else if (arg == QLatin1String("--phone") && hasValue)
            parsed.phone = args[++i];
        else if (arg == QLatin1String("--stamp") && hasValue)
            parsed.stamp = args[++i];
        else if (arg == QLatin1String("--month") && hasValue) {
            parsed.month = QDate::fromString(args[++i] + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
            if (!parsed.month->isValid())
                return std::nullopt;
        } else if (arg.startsWith(QLatin1String("--")))
            return std::nullopt;
        else
            parsed.positional << arg;
    }
    if (parsed.positional.size() != 3)
        return std::nullopt;
    return parsed;
}

int RunBookRecords(const QStringList& args, kvt::tool::Streams& io)
{
    const std::optional<BookArguments> parsed = ParseBookArguments(args);
    if (!parsed) {
        io.err << kUsage;
        return kUsageError;
    }
    const QString home = QDir(parsed->positional[0]).absolutePath() + QLatin1Char('/');
    try {
        const std::unique_ptr<kvt::ObjectForm> form = kvt::ObjectForm::FromFile(parsed->positional[1]);
        kvt::tool::ToolTimers timers;
        kvt::StatePacketDecoder decoder(timers);
        const std::optional<kvt::StatePacketResult> packet = decoder.ApplyStatePacket(
            form.get(), parsed->positional[2], true, parsed->stamp, parsed->name, parsed->phone, nullptr);

        // A month given on the command line holds still; otherwise the books of this month.
        kvt::SystemClock systemClock;
        std::optional<kvt::tool::StillClock> monthClock;
        if (parsed->month)
            monthClock.emplace(QDateTime(*parsed->month, QTime(12, 0)));
        const kvt::Clock& clock = monthClock ? static_cast<const kvt::Clock&>(*monthClock) : systemClock;

        const kvt::MonthlyBookWriter books(home, clock);
        io.out << books.append(kvt::MonthlyBook::States, *packet) << '\n';
        if (packet->summaries.alarm())
            io.out << books.append(kvt::MonthlyBook::Alarms, *packet) << '\n';
    } catch (...) {
        io.err << "kvt-tool book-records: " << kvt::GlobalErrorHandler::textOf(std::current_exception()) << '\n';
        return 1;
    }
    return 0;
}

} // namespace

KVT_TOOL_COMMAND("book-records", "DIR FORM.kof PACKET_HEX [--name NAME] [--phone PHONE] [--stamp STAMP] [--month YYYY-MM]",
                 "decode a packet in full processing and append its records to the monthly books of DIR "
                 "(SmsBook/, and AvariBook/ on alarm); prints the books written",
                 RunBookRecords)
