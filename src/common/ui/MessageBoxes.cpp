#include "common/ui/MessageBoxes.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace kvt {

namespace {
// Notices carry outside texts (device paths, the system's and the modem's words): shown as
// they stand, never as markup.
int showPlain(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}
} // namespace

void MessageBoxes::notice(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent_);
    showPlain(box);
}

void MessageBoxes::information(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent_);
    showPlain(box);
}

bool MessageBoxes::confirm(const QString& question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Подтверждение"), question,
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Ok);
    return showPlain(box) == QMessageBox::Ok;
}

QString MessageBoxes::askText(const QString& caption, const QString& prompt, const QString& initial)
{
    QString shownPrompt = prompt;
    shownPrompt.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, caption, shownPrompt, QLineEdit::Normal, initial, &ok);
    return ok ? text : QString();
}

} // namespace kvt
