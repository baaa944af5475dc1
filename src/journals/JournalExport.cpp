#include "journals/JournalExport.h"

#include "common/AtomicFile.h"
#include "common/Errors.h"
#include "common/Win1251.h"
#include "journals/JournalListModel.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileInfo>

namespace kvt {

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString colourAttribute(int category)
{
    static const char* const names[] = {"Red", "Green", "Yellow", "White"};
    if (category < 1 || category > 4)
        return {};
    return QStringLiteral(" bgcolor=\"%1\"").arg(QLatin1String(names[category - 1]));
}

QString cellText(const QAbstractItemModel& list, int row, int column)
{
    return list.data(list.index(row, column), Qt::DisplayRole).toString();
}
} // namespace

QString JournalHtml(const QAbstractItemModel& list, const QString& listName)
{
    QString html;
    html += QStringLiteral("<html>") + kCrLf + QStringLiteral("<head>") + kCrLf;
    html += QStringLiteral("<title>HTML-Ansicht: ") + listName.toHtmlEscaped() + QStringLiteral("</title>") + kCrLf;
    html += QStringLiteral("</head>") + kCrLf;
    html += QStringLiteral("<table border=\"1\" bordercolor=\"#000000\" width=\"100%\">") + kCrLf;
    html += QStringLiteral("<tr>") + kCrLf;
    const int columns = list.columnCount();
    for (int c = 0; c < columns; ++c) {
        const QString caption = list.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        html += QStringLiteral("<td width=\"200px\"><b><center>") + caption.toHtmlEscaped()
            + QStringLiteral("</center></b></td>") + kCrLf;
    }
    html += QStringLiteral("</tr>") + kCrLf;
    const int rows = list.rowCount();
    for (int r = 0; r < rows; ++r) {
        // Each row in the colour of its own line, whether or not it was ever on screen.
        const QString attribute = colourAttribute(
            list.data(list.index(r, 0), JournalListModel::ColourCategoryRole).toInt());
        html += QStringLiteral("<tr>") + kCrLf;
        html += QStringLiteral("<td>") + cellText(list, r, 0).toHtmlEscaped() + QStringLiteral("</td>") + kCrLf;
        for (int c = 1; c < columns; ++c) {
            const QString text = cellText(list, r, c);
            if (text.isEmpty())
                html += QStringLiteral("<td>-</td>");
            else
                html += QStringLiteral("<td") + attribute + QLatin1Char('>') + text.toHtmlEscaped() + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>") + kCrLf + QStringLiteral("</html>") + kCrLf;
    return html;
}

bool ExportListToHtml(const QAbstractItemModel& list, const QString& listName, const QString& path)
{
    try {
        const QString folder = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(folder))
            return false;
        AtomicFileWriter().save(path, ToWin1251(JournalHtml(list, listName)));
        return true;
    } catch (const IoError&) {
        return false;
    }
}

} // namespace kvt
