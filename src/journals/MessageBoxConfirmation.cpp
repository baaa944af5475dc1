#include "journals/MessageBoxConfirmation.h"

#include <QMessageBox>

namespace kvt {

bool MessageBoxConfirmation::confirm(const QString& question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Подтверждение"), question,
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

} // namespace kvt
