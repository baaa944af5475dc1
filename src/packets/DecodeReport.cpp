#include "packets/DecodeReport.h"

#include "forms/ObjectForm.h"
#include "packets/ApplyStatePacket.h"

namespace kvt {

namespace {

// Builds a JSON object with its keys in the order they are added.
class JsonObjectWriter {
public:
    JsonObjectWriter& text(const char* key, const QString& value) { return raw(key, Quoted(value)); }
    JsonObjectWriter& boolean(const char* key, bool value) { return raw(key, value ? "true" : "false"); }
    JsonObjectWriter& number(const char* key, qint64 value) { return raw(key, QString::number(value)); }
    JsonObjectWriter& optionalText(const char* key, const std::optional<QString>& value)
    {
        return raw(key, value ? Quoted(*value) : QStringLiteral("null"));
    }
    JsonObjectWriter& raw(const char* key, const QString& json)
    {
        if (!body_.isEmpty())
            body_ += QLatin1String(", ");
        body_ += Quoted(QString::fromLatin1(key)) + QLatin1String(": ") + json;
        return *this;
    }
    QString json() const { return QLatin1Char('{') + body_ + QLatin1Char('}'); }

    static QString Quoted(const QString& value)
    {
        QString out;
        out.reserve(value.size() + 2);
        out += QLatin1Char('"');
        for (QChar ch : value) {
            switch (ch.unicode()) {
            case '"': out += QLatin1String("\\\""); break;
            case '\\': out += QLatin1String("\\\\"); break;
            case '\n': out += QLatin1String("\\n"); break;
            case '\r': out += QLatin1String("\\r"); break;
            case '\t': out += QLatin1String("\\t"); break;
            default:
                if (ch.unicode() < 0x20)
                    out += QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
                else
                    out += ch;
            }
        }
        out += QLatin1Char('"');
        return out;
    }

private:
    QString body_;
};

QString ControlJson(const FormControl& control)
{
    JsonObjectWriter writer;
    writer.text("name", control.name());
    switch (control.kind()) {
    case ControlKind::Led:
        writer.text("kind", QStringLiteral("led")).boolean("on", control.isOn()).boolean("blink", control.helpContext() == kBlinkingMarker);
        break;
    case ControlKind::TextPanel:
        writer.text("kind", QStringLiteral("text_panel")).text("caption", control.caption());
        break;
    case ControlKind::StatusPanel:
        writer.text("kind", QStringLiteral("status_panel")).text("caption", control.caption()).number("color", control.color());
        break;
    case ControlKind::DataField:
        writer.text("kind", QStringLiteral("data_field")).text("text", control.text());
        break;
    case ControlKind::ValueText:
        writer.text("kind", QStringLiteral("value_text")).text("caption", control.caption());
        break;
    case ControlKind::SettingBox:
        writer.text("kind", QStringLiteral("setting_box")).number("value", control.value()).text("text", control.text());
        break;
    default:
        break;
    }
    return writer.json();
}

} // namespace

QString DecodeReportJson(const StatePacketDecoder& decoder, const std::optional<QString>& error)
{
    QStringList controls;
    for (const FormControl* control : decoder.handledControls())
        controls << ControlJson(*control);
    const StateSummaries& s = decoder.summaries();
    return JsonObjectWriter()
        .raw("controls", QLatin1Char('[') + controls.join(QLatin1String(", ")) + QLatin1Char(']'))
        .boolean("alarm", s.alarm())
        .text("state_summary", s.stateSummary())
        .text("alarm_summary", s.alarmSummary())
        .text("settings_summary", s.settingsSummary())
        .text("forward_summary", s.forwardSummary())
        .text("forward_alarms", s.forwardAlarms())
        .text("gk", s.gkText())
        .optionalText("link_check", s.linkCheck())
        .optionalText("error", error)
        .json();
}

} // namespace kvt
