#include "app/MessageBoxMessage.h"

#include <QApplication>
#include <QMessageBox>

namespace kvt {

void MessageBoxMessage::showMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent_);
    box.exec();
}

void MessageBoxMessage::information(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent_);
    box.exec();
}

} // namespace kvt
