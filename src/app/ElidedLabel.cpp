#include "app/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace kvt {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::setText(const QString& text)
{
    QLabel::setText(text);
    setToolTip(text.isEmpty() ? QString() : PlainToolTip(text));
}

QString ElidedLabel::shownText() const
{
    const int width = contentsRect().width() - 2 * margin();
    return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, width));
}

QSize ElidedLabel::sizeHint() const
{
    return minimumSizeHint();
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(0, QLabel::minimumSizeHint().height());
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

QString PlainToolTip(const QString& text)
{
    // Qt takes a tooltip for markup when its first line holds something like a tag or an
    // entity: a zero-width space after each '<' and '&' keeps it plain text (its spaces kept,
    // wrapped only when wider than the screen) and shows the same characters.
    if (!Qt::mightBeRichText(text))
        return text;
    QString plain;
    plain.reserve(text.size() * 2);
    for (const QChar c : text) {
        plain += c;
        if (c == u'<' || c == u'&')
            plain += QChar(kZeroWidthSpace);
    }
    return plain;
}

} // namespace kvt
