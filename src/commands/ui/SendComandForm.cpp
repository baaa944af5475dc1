#include "commands/ui/SendComandForm.h"

#include "common/SupervisionPause.h"

#include <QAbstractItemModel>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kvt {

namespace {

const QSize kInitialSize(430, 380);
constexpr int kButtonWidth = 120;

// A terminal answer as the memo shows it: the object modem's CR LF and lone CR break lines; the
// line breaks at its end are left out.
QString DisplayedAnswer(QString line)
{
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (line.endsWith(QLatin1Char('\n')))
        line.chop(1);
    return line;
}

QLabel* wrappedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(name);
    pushButton->setMinimumWidth(kButtonWidth);
    pushButton->setAutoDefault(false);
    return pushButton;
}

// An explanation, a field and its button, one page of the window.
QWidget* page(QWidget* parent, const QString& name, const QString& explanation, QLineEdit*& field,
              const QString& fieldName, QPushButton* send)
{
    auto* sheet = new QWidget(parent);
    sheet->setObjectName(name);
    field = new QLineEdit(sheet);
    field->setObjectName(fieldName);
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    send->setParent(sheet);
    row->addWidget(send);
    auto* column = new QVBoxLayout(sheet);
    column->addWidget(wrappedLabel(explanation, sheet));
    column->addLayout(row);
    column->addStretch(1);
    return sheet;
}

} // namespace

const QString SendComandForm::kCaption = QStringLiteral("Передача команды");

SendComandForm::SendComandForm(commands::TerminalSender& sender, QAbstractItemModel& answers, SupervisionPause& pause,
                               QWidget* parent)
    : QDialog(parent, Qt::Tool), sender_(sender), answers_(answers), pause_(pause)
{
    setObjectName(QStringLiteral("Form_Send_Comand"));
    setWindowTitle(kCaption);
    resize(kInitialSize);

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->addTab(buildTopUpPage(), QStringLiteral("Пополнение счета"));
    pages_->addTab(buildCommandPage(), QStringLiteral("Специальные команды"));

    auto* terminalLabel = new QLabel(QStringLiteral("Терминал ( Ответы модема объекта ) :"), this);
    terminalLabel->setObjectName(QStringLiteral("Label3"));
    terminal_ = new QPlainTextEdit(this);
    terminal_->setObjectName(QStringLiteral("Term_list"));
    terminal_->setReadOnly(true);
    terminal_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    terminal_->setLineWrapMode(QPlainTextEdit::NoWrap);
    terminalLabel->setBuddy(terminal_);
    auto* clear = button(QStringLiteral("SpeedButton2"), QStringLiteral("Очистить терминал"), this);
    connect(clear, &QPushButton::clicked, this, &SendComandForm::SpeedButton2Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(terminalLabel);
    layout->addWidget(terminal_, 1);
    layout->addWidget(clear, 0, Qt::AlignRight);

    // The terminal follows the list of answers: new rows are appended, a reset shows it afresh.
    connect(&answers_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        for (int row = first; row <= last; ++row)
            terminal_->appendPlainText(DisplayedAnswer(answers_.index(row, 0).data().toString()));
    });
    connect(&answers_, &QAbstractItemModel::rowsRemoved, this, &SendComandForm::showAnswers);
    connect(&answers_, &QAbstractItemModel::modelReset, this, &SendComandForm::showAnswers);
    showAnswers();
}

QWidget* SendComandForm::buildTopUpPage()
{
    auto* send = button(QStringLiteral("SpeedButton4"), QStringLiteral("Пополнить счет"), this);
    connect(send, &QPushButton::clicked, this, &SendComandForm::SpeedButton4Click);
    return page(this, QStringLiteral("TabSheet1"),
                QStringLiteral("Следуя инструкции, указанной на карте оплаты введите строку, включающую в себя "
                               "секретный код карты."),
                cardEdit_, QStringLiteral("Edit1"), send);
}

QWidget* SendComandForm::buildCommandPage()
{
    auto* send = button(QStringLiteral("SpeedButton1"), QStringLiteral("Отправить"), this);
    connect(send, &QPushButton::clicked, this, &SendComandForm::SpeedButton1Click);
    return page(this, QStringLiteral("TabSheet2"),
                QStringLiteral("Введиде AT-команду, которая будет передана модему выбранного объекта."), commandEdit_,
                QStringLiteral("Edit2"), send);
}

void SendComandForm::showAnswers()
{
    QStringList lines;
    for (int row = 0; row < answers_.rowCount(); ++row)
        lines << DisplayedAnswer(answers_.index(row, 0).data().toString());
    terminal_->setPlainText(lines.join(u'\n'));
}

void SendComandForm::setPage(int page)
{
    pages_->setCurrentIndex(page);
}

void SendComandForm::SpeedButton4Click()
{
    sender_.topUpObject(cardEdit_->text());
}

void SendComandForm::SpeedButton1Click()
{
    sender_.sendCommand(commandEdit_->text());
}

void SendComandForm::SpeedButton2Click()
{
    // The list is the terminal's content: emptying it empties the terminal.
    answers_.removeRows(0, answers_.rowCount());
    terminal_->clear();
}

void SendComandForm::showEvent(QShowEvent* event)
{
    pause_.set(true);
    QDialog::showEvent(event);
}

void SendComandForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void SendComandForm::closeEvent(QCloseEvent* event)
{
    // A hidden dialog's close event does not reach done().
    FormClose();
    QDialog::closeEvent(event);
}

void SendComandForm::FormClose()
{
    pause_.set(false);
}

} // namespace kvt
