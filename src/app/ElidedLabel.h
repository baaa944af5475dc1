#pragma once

#include <QLabel>

namespace kvt {

// A one-line label whose text never widens the layout it stands in: a text longer than the
// label is cut with an ellipsis, and the whole text is its tooltip. The text shows as it stands
// (leading spaces included), never as markup, whatever it holds: the status line and the object
// lines show log lines, object names and the texts of modems and packets.
class ElidedLabel : public QLabel {
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // Hides QLabel::setText, so that the tooltip follows the text.
    void setText(const QString& text);
    // The part of the text that fits the label.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A tooltip that shows `text` as it stands: markup-like parts and runs of spaces included. Where
// the text looks like markup, a zero-width space follows each '<' and '&'.
inline constexpr char16_t kZeroWidthSpace = u'\u200B';
QString PlainToolTip(const QString& text);

} // namespace kvt
