#include "journals/ui/MessageForm.h"

#include "common/ui/OuterGeometry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kvt {

namespace {

const QSize kOuterSize(307, 107);
const QSize kButtonSize(95, 25);
const QString kOkCaption = QStringLiteral("Ok");

// The picture at the top left: an information sign.
QPixmap informationPicture()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x10, 0x40, 0xA0), 1.5));
    p.setBrush(QColor(0x30, 0x70, 0xE0));
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(14, 6, 4, 4));
    p.drawRoundedRect(QRectF(14, 12.5, 4, 13), 1.5, 1.5);
    return pixmap;
}

} // namespace

MessageForm::MessageForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_MSG"));
    setWindowTitle(QStringLiteral("Уведомление пользователя"));
    (new OuterGeometry(*this))->resize(kOuterSize, OuterGeometry::Sizing::Fixed);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(informationPicture());
    auto* text = new QLabel(QStringLiteral("Дождитесь завершения предидущего действия"), this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    button_ = new QPushButton(kOkCaption, this);
    button_->setObjectName(QStringLiteral("Button1"));
    button_->setFixedSize(kButtonSize);
    button_->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(button_, 0, Qt::AlignHCenter);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &MessageForm::Timer1Timer);
    connect(button_, &QPushButton::clicked, this, &QDialog::accept);
}

void MessageForm::showEvent(QShowEvent* event)
{
    counter_ = kCountdownStart;
    timer_->start();
    QDialog::showEvent(event);
}

void MessageForm::Timer1Timer()
{
    if (counter_ != 0) {
        button_->setText(kOkCaption + QStringLiteral(" (") + QString::number(counter_) + QStringLiteral(")"));
        --counter_;
        return;
    }
    accept();
}

void MessageForm::done(int result)
{
    button_->setText(kOkCaption);
    timer_->stop();
    QDialog::done(result);
}

} // namespace kvt
