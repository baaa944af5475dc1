#include "settings/OperatorDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace kvt {

QString WidgetDialogs::askText(const QString& caption, const QString& prompt, const QString& initial)
{
    QString shownPrompt = prompt;
    shownPrompt.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, caption, shownPrompt, QLineEdit::Normal, initial, &ok);
    return ok ? text : QString();
}

void WidgetDialogs::showMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent_);
    box.exec();
}

} // namespace kvt
