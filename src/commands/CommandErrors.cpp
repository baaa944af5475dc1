#include "commands/CommandErrors.h"

namespace kvt::commands {

CommandConfigError CommandConfigError::ofFormControl(const QString& control, const QString& setting,
                                                     const QString& problem)
{
    return CommandConfigError(
        QStringLiteral("Элемент формы объекта «%1», параметр «%2»: %3.").arg(control, setting, problem));
}

CommandConfigError CommandConfigError::ofSettingsField(const QString& field, const QString& problem)
{
    return CommandConfigError(QStringLiteral("Настройки программы, поле «%1»: %2.").arg(field, problem));
}

} // namespace kvt::commands
