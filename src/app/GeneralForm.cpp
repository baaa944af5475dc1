#include "app/GeneralForm.h"

#include <QLabel>

namespace kvt {

const QString GeneralForm::kCaption = QStringLiteral("КВТ 5.1 NVX - Телвикс");

GeneralForm::GeneralForm(QString programDirectory, QWidget* parent)
    : QMainWindow(parent), programDirectory_(std::move(programDirectory))
{
    setObjectName(QStringLiteral("General"));
    setWindowTitle(kCaption);
    resize(1024, 700);
}

} // namespace kvt
