#include "commands/ui/PopolnenSchetaForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvt {

namespace {

const QSize kInitialSize(380, 150);
constexpr int kProgressDots = 48;
constexpr int kGlyphSize = 24;

// The send button's glyph: a green arrow pointing right.
QPixmap sendGlyph()
{
    QPixmap pixmap(kGlyphSize, kGlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(3, 9);
    arrow.lineTo(12, 9);
    arrow.lineTo(12, 3);
    arrow.lineTo(22, 12);
    arrow.lineTo(12, 21);
    arrow.lineTo(12, 15);
    arrow.lineTo(3, 15);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x0A, 0x5A, 0x0A), 1.2));
    p.setBrush(QColor(0x2C, 0xB4, 0x2C));
    p.drawPath(arrow);
    return pixmap;
}

} // namespace

const QString PopolnenSchetaForm::kCaption = QStringLiteral("Пополнение баланса");
const QString PopolnenSchetaForm::kInitialProgress = QString(kProgressDots, QLatin1Char('.'));

PopolnenSchetaForm::PopolnenSchetaForm(commands::TopUpSender& sender, QWidget* parent)
    : QDialog(parent, Qt::Tool), sender_(sender)
{
    setObjectName(QStringLiteral("Form_popoln_schet"));
    setWindowTitle(kCaption);
    resize(kInitialSize);
    setSizeGripEnabled(true);

    auto* instruction = new QLabel(QStringLiteral("Введите в соответствии с указаниями на карте экспресс оплаты "
                                                  "секретный код карты  и служебные символы. "),
                                   this);
    instruction->setObjectName(QStringLiteral("Label1"));
    instruction->setWordWrap(true);
    code_ = new QLineEdit(this);
    code_->setObjectName(QStringLiteral("Edit1"));
    send_ = new QToolButton(this);
    send_->setObjectName(QStringLiteral("SpeedButton4"));
    send_->setIcon(QIcon(sendGlyph()));
    send_->setIconSize(QSize(kGlyphSize, kGlyphSize));
    send_->setToolTip(QStringLiteral("Отправить"));
    connect(send_, &QToolButton::clicked, this, &PopolnenSchetaForm::SpeedButton4Click);
    progress_ = new QLabel(kInitialProgress, this);
    progress_->setObjectName(QStringLiteral("Label2"));

    auto* row = new QHBoxLayout;
    row->addWidget(code_, 1);
    row->addWidget(send_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instruction);
    layout->addLayout(row);
    layout->addWidget(progress_);
    layout->addStretch(1);
}

void PopolnenSchetaForm::clearProgress()
{
    progress_->clear();
}

void PopolnenSchetaForm::SpeedButton4Click()
{
    // The dialogue's waits let clicks through: one card code at a time.
    struct Reenable {
        QToolButton* button;
        ~Reenable() { button->setEnabled(true); }
    } reenable{send_};
    send_->setEnabled(false);
    sender_.send(code_->text(), [this](const QString& text) { progress_->setText(text); });
}

} // namespace kvt
