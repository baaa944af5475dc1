// Log files come from disk and may have been edited by hand or cut short: any bytes may arrive.
// Splitting them into lines, judging each line's colour, splitting it into the journal's date
// and message and exporting the list as HTML must never fail, and no text may break the page.
#include "journals/EventLine.h"
#include "journals/JournalExport.h"
#include "journals/JournalListModel.h"
#include "journals/LogFile.h"

#include <cstdint>
#include <cstdlib>

namespace {
void Require(bool condition)
{
    if (!condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    kvt::LogLines lines(bytes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i);
        Require(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        (void)kvt::LineColour(line);
        const kvt::JournalRow row = kvt::SplitJournalLine(line);
        Require(row.date.size() + row.message.size() <= line.size());
    }
    kvt::JournalListModel model;
    const qsizetype count = lines.size();
    model.setLines(std::move(lines));
    const QString html = kvt::JournalHtml(model, QStringLiteral("ListView1"));
    // Two header cells and two cells per row: escaped texts cannot open cells of their own.
    Require(html.count(QStringLiteral("<td")) == 2 + 2 * count);
    Require(html.count(QStringLiteral("<tr>")) == 1 + count);
    return 0;
}
