#include "commands/SettingsPayload.h"

#include "commands/CommandErrors.h"
#include "common/Hex.h"
#include "common/IntegerText.h"
#include "common/TextPos.h"
#include "forms/ControlConfig.h"
#include "forms/ObjectForm.h"
#include "packets/ConfigKeys.h"

namespace kvt::commands {

bool IsHexDigits(QStringView text)
{
    for (QChar ch : text) {
        if (HexDigitValue(ch) < 0)
            return false;
    }
    return true;
}

namespace {

constexpr int kHexDigitsPerByte = 2;
constexpr int kHexBase = 16;
const QString kConfigurationSetting = QStringLiteral("Hint");
const QString kFieldTextSetting = QStringLiteral("Text");
const QString kBoxValueSetting = QStringLiteral("Value");

const QString kOddDigits = QStringLiteral("нечётное число шестнадцатеричных цифр");

QString NotHex(const QString& text)
{
    return QStringLiteral("«%1» не является шестнадцатеричным числом").arg(text);
}

void ParseConfig(const FormControl& control, ControlConfig& config)
{
    try {
        ParseControlConfig(control, config);
    } catch (const ConversionError& error) {
        throw CommandConfigError::ofFormControl(control.name(), kConfigurationSetting,
                                 QStringLiteral("число параметров не прочитано (%1)").arg(error.message()));
    }
}

int RequiredInteger(const FormControl& control, const ControlConfig& config, QStringView key)
{
    const QString text = config.value(key);
    if (text.isEmpty())
        throw CommandConfigError::ofFormControl(control.name(), key.toString(), QStringLiteral("не задан"));
    int value = 0;
    if (!TryStrToInt(text, value))
        throw CommandConfigError::ofFormControl(control.name(), key.toString(),
                                 QStringLiteral("«%1» не является целым числом").arg(text));
    return value;
}

// The byte position P = 2k - 1 of the value in the payload text.
int PayloadPosition(const FormControl& control, const ControlConfig& config)
{
    const int byte = RequiredInteger(control, config, keys::kSendByte);
    if (byte < 1)
        throw CommandConfigError::ofFormControl(control.name(), keys::kSendByte.toString(),
                                 QStringLiteral("номер байта %1 меньше 1").arg(byte));
    return kHexDigitsPerByte * byte - 1;
}

void Overwrite(QString& payload, int position, const QString& text)
{
    Delete(payload, position, int(text.size()));
    Insert(text, payload, position);
}

// A setting box: its value, divided by the divisor when one is given, as the last 2n hex digits
// of its two's complement, for n = 1, 2 or 4 bytes; other byte counts write nothing.
void WriteSettingBox(const FormControl& box, const ControlConfig& config, QString& payload)
{
    const QString divisorText = config.value(keys::kMultiple);
    const int position = PayloadPosition(box, config);
    const int bytes = RequiredInteger(box, config, keys::kByteCount);
    int value = 0;
    if (!TryStrToInt(box.text(), value))
        throw CommandConfigError::ofFormControl(box.name(), kBoxValueSetting,
                                 QStringLiteral("«%1» не является целым числом").arg(box.text()));
    qint64 sent = value;
    if (!divisorText.isEmpty()) {
        const int divisor = RequiredInteger(box, config, keys::kMultiple);
        if (divisor == 0)
            throw CommandConfigError::ofFormControl(box.name(), keys::kMultiple.toString(), QStringLiteral("делитель равен 0"));
        sent /= divisor; // truncates toward zero
    }
    if (bytes != 1 && bytes != 2 && bytes != 4)
        return;
    const int digits = kHexDigitsPerByte * bytes;
    const QString hex = QString::number(quint32(qint32(sent)), kHexBase).toUpper().rightJustified(digits, u'0');
    Overwrite(payload, position, hex.right(digits));
}

// A data field: its text as hex digits (help context 0) or its characters' codes (help context
// 1), padded with "0" to the byte count; the whole text is written even when it is longer.
void WriteDataField(const FormControl& field, const ControlConfig& config, QString& payload)
{
    const int position = PayloadPosition(field, config);
    const int bytes = RequiredInteger(field, config, keys::kByteCount);
    QString text;
    if (field.helpContext() == kHexFieldMarker) {
        if (!IsHexDigits(field.text()))
            throw CommandConfigError::ofFormControl(field.name(), kFieldTextSetting, NotHex(field.text()));
        text = field.text().toUpper();
    } else {
        text = BytesToHex(field.text());
    }
    text = text.leftJustified(kHexDigitsPerByte * bytes, u'0');
    // Half a byte would shift every byte after it.
    if (text.size() % kHexDigitsPerByte != 0)
        throw CommandConfigError::ofFormControl(field.name(), kFieldTextSetting, kOddDigits);
    Overwrite(payload, position, text);
}

bool IsSettingDataField(const FormControl& control)
{
    return control.kind() == ControlKind::DataField
        && (control.helpContext() == kHexFieldMarker || control.helpContext() == kCharFieldMarker);
}

} // namespace

QString ButtonData(const FormControl& button, ControlConfig& config)
{
    ParseConfig(button, config);
    const QString data = config.value(keys::kSentData);
    if (!IsHexDigits(data))
        throw CommandConfigError::ofFormControl(button.name(), keys::kSentData.toString(), NotHex(data));
    if (data.size() % kHexDigitsPerByte != 0)
        throw CommandConfigError::ofFormControl(button.name(), keys::kSentData.toString(), kOddDigits);
    return data.toUpper();
}

QString BuildSettingsPayload(const ObjectForm& form, ControlConfig& config)
{
    QString payload(kHexDigitsPerByte * kPayloadBytes, kUnfilled);
    for (const FormControl* control : form.controls()) {
        if (control->kind() == ControlKind::SettingBox) {
            ParseConfig(*control, config);
            WriteSettingBox(*control, config, payload);
        } else if (IsSettingDataField(*control)) {
            ParseConfig(*control, config);
            WriteDataField(*control, config, payload);
        }
    }
    const qsizetype unfilled = payload.indexOf(kUnfilled);
    if (unfilled >= 0)
        payload.truncate(unfilled);
    return payload;
}

} // namespace kvt::commands
