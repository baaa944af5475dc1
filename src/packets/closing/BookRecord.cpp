#include "packets/closing/BookRecord.h"

#include "packets/StateSummaries.h"

namespace kvt {

namespace {

const QString kHeadStates = QStringLiteral(
    R"html(<html><head><meta http-equiv="Content-Type" content=" text/html; charset=windows-1251"><meta name="language" content=" russian"><title>Телвикс. Архив состояний.</title>)html");
const QString kHeadAlarms = QStringLiteral(
    R"html(<html><head><meta http-equiv="Content-Type" content=" text/html; charset=windows-1251"><meta name="language" content=" russian"><title>Телвикс. Журнал аварий.</title>)html");
const QString kStyleBody = QStringLiteral(
    R"html(<style type="text/css"><!--body{background-color: #778899 ;color: #000159;}table{width: 100%;border-bottom-style: groove;}.tdN {width: 90px; text-align: right; font-size: 13px;font-variant: small-caps; font-weight: bold; background-color: Silver;)html"
    R"html(border: groove;border-bottom-style: none;}.tdO { text-align: left; font-size: 13px;background-color: ButtonFace; border: groove; font-variant: small-caps;border-left-style: none; padding-left: 7px; border-bottom-style: none; })html"
    R"html(.tdT{text-align: center;background-color: Background;color: White;border: thin;border-left: groove;border-top: groove;border-right: groove; font-size: 16; font-weight: bold; font-variant: small-caps; }--></style></head><body>)html");

const QString kTableOpen = QStringLiteral(
    R"html(<table cellpadding="0px" cellspacing="0px"><tr><td class="tdT" colspan="2">Получена от )html");
const QString kPhoneOpen = QStringLiteral(" (");
const QString kPhoneClose = QStringLiteral(") ");
const QString kStateRow = QStringLiteral(
    R"html(&nbsp;</td></tr><tr><td class="tdN">Состояние системы</td><td class="tdO">)html");
const QString kSettingsRow = QStringLiteral(
    R"html(&nbsp;</td></tr><tr><td class="tdN">Установки объекта</td><td class="tdO">)html");
const QString kAlarmsRow = QStringLiteral(
    R"html(&nbsp;</td></tr><tr><td class="tdN">Аварии</td><td class="tdO">)html");
const QString kTableClose = QStringLiteral(R"html(&nbsp;</td></tr></table><p>)html");
// The alarm book opens each of its three rows with a space of its own.
const QString kAlarmBookCellLead = QStringLiteral("&nbsp;");
const QString kLineEnd = QStringLiteral("\r\n");

// `<`, `>`, `&` and `"` as entities: the object name and the summaries carry characters taken
// from packets.
QString Escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

QString BookHead(MonthlyBook book)
{
    return (book == MonthlyBook::Alarms ? kHeadAlarms : kHeadStates) + kStyleBody;
}

QString BookRecordLine(MonthlyBook book, const StatePacketResult& packet)
{
    const QString cellLead = book == MonthlyBook::Alarms ? kAlarmBookCellLead : QString();
    const StateSummaries& summaries = packet.summaries;
    return kTableOpen + Escaped(packet.objectName) + kPhoneOpen + Escaped(packet.phone) + kPhoneClose
        + Escaped(packet.stamp)
        + kStateRow + cellLead + Escaped(summaries.stateSummary())
        + kSettingsRow + cellLead + Escaped(summaries.settingsSummary())
        + kAlarmsRow + cellLead + Escaped(summaries.alarmSummary())
        + kTableClose + kLineEnd;
}

} // namespace kvt
