#include "objects/MessageBoxMessages.h"

#include <QApplication>
#include <QMessageBox>

namespace kvt::registry {

void MessageBoxMessages::information(const QString& text)
{
    QMessageBox::information(parent_, QApplication::applicationName(), text, QMessageBox::Ok);
}

void MessageBoxMessages::notice(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok, parent_);
    box.exec();
}

} // namespace kvt::registry
