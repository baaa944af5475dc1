#pragma once

#include "common/Errors.h"

#include <QString>

namespace kvt::commands {

// A command or settings button whose configuration, or the configuration of a setting control
// of the form or a link address of the settings, cannot make a frame: a byte position, byte
// count or divisor that is missing or no number, a divisor of 0, data that is not whole
// hexadecimal bytes. Names the control and the setting, so the operator can mend it; nothing is
// sent.
class CommandConfigError : public KvtError {
public:
    // A control of the object form, e.g. ("SpinEdit1", "Каким байтом отправлять", "не задан").
    static CommandConfigError ofFormControl(const QString& control, const QString& setting, const QString& problem);
    // A field of the settings window, e.g. ("SH", "«0000000G» не является шестнадцатеричным числом").
    static CommandConfigError ofSettingsField(const QString& field, const QString& problem);

private:
    using KvtError::KvtError;
};

} // namespace kvt::commands
