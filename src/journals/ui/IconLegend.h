#pragma once

#include <QFrame>
#include <QList>
#include <QString>

namespace kvt {

// The icon legend at the top of the main window's left panel (Panel1): which tree icons an
// object can show and what they mean.
class IconLegend : public QFrame {
    Q_OBJECT
public:
    struct Row {
        QList<int> icons;
        QString caption;
    };
    static const QList<Row>& rows();

    static constexpr int kHeight = 105;

    explicit IconLegend(QWidget* parent = nullptr);

private:
    // Six rows of 16-pixel icons fill the legend's height with one pixel between them.
    static constexpr int kRowSpacing = 1;
    static constexpr int kSideMargin = 3;
    static constexpr int kIconSpacing = 1;
    static constexpr int kCaptionGap = 4;
};

} // namespace kvt
