#include "journals/ui/AboutForm.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace kvt {

namespace {
const QSize kWindowSize(513, 154);
const QSize kBannerSize(499, 95);
constexpr int kMargin = 7;
constexpr int kTitlePixelSize = 29;
constexpr int kDescriptionPixelSize = 11;
} // namespace

const QString AboutForm::kTitle = QStringLiteral("КВТ 5.1 NVX");

QPixmap AboutForm::banner()
{
    QPixmap pixmap(kBannerSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, kBannerSize.width(), kBannerSize.height());
    sky.setColorAt(0, QColor(0x0B, 0x2A, 0x5C));
    sky.setColorAt(1, QColor(0x1E, 0x6E, 0xB4));
    p.fillRect(pixmap.rect(), sky);

    // A mast with radio waves on the right: the console talks to its sites over the air.
    const QPointF top(430, 22);
    p.setPen(QPen(QColor(0xE0, 0xE8, 0xF0), 2));
    p.drawLine(top, QPointF(410, 88));
    p.drawLine(top, QPointF(450, 88));
    p.drawLine(QPointF(416, 68), QPointF(444, 68));
    p.drawLine(QPointF(422, 48), QPointF(438, 48));
    p.setPen(QPen(QColor(0x8F, 0xE0, 0x8F), 2));
    p.setBrush(Qt::NoBrush);
    for (int r = 12; r <= 36; r += 12) {
        p.drawArc(QRectF(top.x() - r, top.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        p.drawArc(QRectF(top.x() - r, top.y() - r, 2 * r, 2 * r), 135 * 16, 90 * 16);
    }
    // A chain of sites along the bottom.
    p.setPen(QPen(QColor(0x8F, 0xC8, 0xF0), 1.5));
    QPainterPath line;
    line.moveTo(20, 75);
    for (int x = 20; x <= 340; x += 64)
        line.lineTo(x, x % 128 == 20 ? 75 : 62);
    p.drawPath(line);
    p.setBrush(QColor(0xFF, 0xC8, 0x3C));
    for (int x = 20; x <= 340; x += 64)
        p.drawEllipse(QPointF(x, x % 128 == 20 ? 75 : 62), 4, 4);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(18, 8, 360, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Телвикс"));
    return pixmap;
}

AboutForm::AboutForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    setFixedSize(kWindowSize);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(banner());
    picture->setGeometry(QRect(QPoint(kMargin, kMargin - 3), kBannerSize));

    auto* title = new QLabel(kTitle, this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setTextFormat(Qt::PlainText);
    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setPixelSize(kTitlePixelSize);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setGeometry(kMargin + 2, kBannerSize.height() + kMargin, 190, 44);

    auto* description = new QLabel(QStringLiteral("Консоль центрального диспетчерского пункта:\n"
                                                  "контроль объектов по GSM, радиоканалу и RS-485."),
                                   this);
    description->setObjectName(QStringLiteral("Label2"));
    description->setTextFormat(Qt::PlainText);
    QFont small = description->font();
    small.setPixelSize(kDescriptionPixelSize);
    description->setFont(small);
    description->setGeometry(200, kBannerSize.height() + kMargin + 4, kWindowSize.width() - 205, 40);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace kvt
