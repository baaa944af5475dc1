#pragma once

#include <QString>
#include <QStringView>

namespace kvt {
class ControlConfig;
class FormControl;
class ObjectForm;
} // namespace kvt

// What the command and settings buttons of an object form send: the button's own data and the
// settings payload made of the values the operator has set on the form.
namespace kvt::commands {

// The settings payload holds up to 70 bytes, two hexadecimal characters each; a byte no setting
// control has filled is "-" "-".
inline constexpr int kPayloadBytes = 70;
inline constexpr QChar kUnfilled = QLatin1Char('-');

// True when every character is a hexadecimal digit (either case); the empty text is.
bool IsHexDigits(QStringView text);

// "Посылаемые данные" of the button, parsed into `config` (the control configuration list).
// Upper case; empty when the button has none. Throws CommandConfigError when the button's
// configuration cannot be read or the data is not whole hexadecimal bytes.
QString ButtonData(const FormControl& button, ControlConfig& config);

// The settings payload S of the form: every setting box and every data field with help context
// 0 (hexadecimal text) or 1 (characters), on either page, writes its value at its byte
// ("Каким байтом отправлять") over its byte count ("Количество байт"), in the form's control
// order, so a later control wins a byte; setting boxes divide their value by "Передавать кратно"
// when it is given and fill 1, 2 or 4 bytes in two's complement. The payload ends before the
// first byte that no control filled. Each control's configuration is parsed into `config`.
// Throws CommandConfigError, naming the control and the setting, for a byte position, byte count
// or divisor that is missing or no integer, a byte position below 1, a divisor of 0, or a hex data
// field that is not whole hexadecimal bytes; no payload is made then.
QString BuildSettingsPayload(const ObjectForm& form, ControlConfig& config);

} // namespace kvt::commands
