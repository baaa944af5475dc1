// kvt-tool trend: the values of an object's form over its stored history, as the trend window
// shows and exports them, for scripted reports.
#include "Command.h"

#include "common/ErrorHandler.h"
#include "common/Errors.h"
#include "store/StoreReader.h"
#include "trends/TrendCsv.h"
#include "trends/TrendObject.h"

#include <QDir>

#include <atomic>
#include <optional>

namespace {

const QString kUsage = QStringLiteral(
    "usage: kvt-tool trend --home DIR --object NAME [--control INDEX|TITLE]... [--from DATE] [--to DATE] [--csv FILE]\n"
    "  without --control: lists the values of the object's form (INDEX, title, control)\n"
    "  DATE: YYYY-MM-DD (the whole day) or YYYY-MM-DDTHH:MM[:SS]; DD.MM.YYYY also reads\n"
    "  without --csv the table is printed in UTF-8; with it, saved in Windows-1251\n");

struct TrendOptions {
    QString home;
    QString object;
    QStringList controls;
    QString from;
    QString to;
    QString csv;
};

std::optional<TrendOptions> ReadOptions(const QStringList& args)
{
    TrendOptions options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& name = args[i];
        if (i + 1 >= args.size())
            return std::nullopt;
        const QString& value = args[++i];
        if (name == QLatin1String("--home"))
            options.home = value;
        else if (name == QLatin1String("--object"))
            options.object = value;
        else if (name == QLatin1String("--control"))
            options.controls << value;
        else if (name == QLatin1String("--from"))
            options.from = value;
        else if (name == QLatin1String("--to"))
            options.to = value;
        else if (name == QLatin1String("--csv"))
            options.csv = value;
        else
            return std::nullopt;
    }
    if (options.home.isEmpty() || options.object.isEmpty())
        return std::nullopt;
    return options;
}

// A date names a whole day: its start for --from, its end for --to.
enum class DayEnd { Start, End };

std::optional<QDateTime> ReadMoment(const QString& text, DayEnd end)
{
    for (const QString& format : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd.MM.yyyy")}) {
        const QDate date = QDate::fromString(text, format);
        if (date.isValid())
            return end == DayEnd::Start ? date.startOfDay() : date.endOfDay();
    }
    const QDateTime moment = QDateTime::fromString(text, Qt::ISODate);
    if (moment.isValid())
        return moment;
    return std::nullopt;
}

// The candidate named by its number in the form's visiting order, else by its title (letter
// case ignored), else by its component name.
std::optional<int> FindControl(const kvt::TrendCatalog& catalog, const QString& key)
{
    const auto& candidates = catalog.candidates;
    bool isNumber = false;
    const int number = key.toInt(&isNumber);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (isNumber ? candidates[i].number == number
                     : candidates[i].title.compare(key.trimmed(), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].name.compare(key.trimmed(), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return std::nullopt;
}

int RunTrendCommand(const QStringList& args, kvt::tool::Streams& io)
{
    const std::optional<TrendOptions> options = ReadOptions(args);
    if (!options) {
        io.err << kUsage;
        return 2;
    }
    try {
        const QString home = QDir(options->home).absolutePath() + QLatin1Char('/');
        const QString storeFile = kvt::StoreFileOf(home);
        std::optional<kvt::registry::ObjectRecord> record = kvt::registry::StoreReader(storeFile).objectByName(options->object);
        if (!record) {
            io.err << "kvt-tool trend: no object named '" << options->object << "' in " << storeFile << '\n';
            return 1;
        }
        const kvt::TrendObject object = kvt::TrendObjectOf(*record, storeFile, home);
        const kvt::TrendCatalog catalog = kvt::ReadTrendCatalog(object);
        if (options->controls.isEmpty()) {
            for (const int index : catalog.offered) {
                const kvt::TrendControl& control = catalog.candidates[index];
                io.out << control.number << '\t' << control.title << '\t' << control.name << '\n';
            }
            return 0;
        }
        kvt::TrendRequest request{object, {}, kvt::TrendRange::All()};
        for (const QString& key : options->controls) {
            const std::optional<int> index = FindControl(catalog, key);
            if (!index) {
                io.err << "kvt-tool trend: the form of '" << object.name << "' has no value '" << key
                       << "'; run without --control for the list\n";
                return 1;
            }
            request.chosen.push_back(*index);
        }
        std::optional<QDateTime> from;
        std::optional<QDateTime> to;
        if (!options->from.isEmpty() && !(from = ReadMoment(options->from, DayEnd::Start))) {
            io.err << "kvt-tool trend: cannot read the date '" << options->from << "'\n";
            return 2;
        }
        if (!options->to.isEmpty() && !(to = ReadMoment(options->to, DayEnd::End))) {
            io.err << "kvt-tool trend: cannot read the date '" << options->to << "'\n";
            return 2;
        }
        if (from || to)
            request.range = kvt::TrendRange::Between(from, to);
        const std::atomic<bool> never{false};
        const kvt::TrendTable table = kvt::RunTrend(request, never, {});
        if (options->csv.isEmpty()) {
            io.out << kvt::TrendCsvText(table);
            io.err << kvt::TrendSummary(table) << '\n';
        } else {
            kvt::WriteTrendCsv(options->csv, table);
            io.out << kvt::TrendSummary(table) << ' ' << QDir::toNativeSeparators(options->csv) << '\n';
        }
    } catch (...) {
        io.err << "kvt-tool trend: " << kvt::GlobalErrorHandler::textOf(std::current_exception()) << '\n';
        return 1;
    }
    return 0;
}

} // namespace

KVT_TOOL_COMMAND(QStringLiteral("trend"),
                 QStringLiteral("--home DIR --object NAME [--control INDEX|TITLE]... [--from DATE] [--to DATE] [--csv FILE]"),
                 QStringLiteral("prints or saves as CSV the values of an object's form over its stored history "
                                "(without --control: lists the values)"),
                 RunTrendCommand)
