#include "journals/ui/IconLegend.h"

#include "journals/StatusIcons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kvt {

const QList<IconLegend::Row>& IconLegend::rows()
{
    static const QList<Row> legend = {
        {{3}, QStringLiteral("Новые данные объекта")},
        {{4}, QStringLiteral("Авария на объекте")},
        {{7}, QStringLiteral("Проблемы с передачей СМС")},
        {{1, 9, 11}, QStringLiteral("Связь установлена")},
        {{6, 10, 12}, QStringLiteral("Нет связи ")},
        {{8}, QStringLiteral("Откл. проверка связи")},
    };
    return legend;
}

IconLegend::IconLegend(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    setToolTip(QStringLiteral("На панели показаны возможные иконки списка объектов"));
    setFrameShape(QFrame::StyledPanel);
    setFixedHeight(kHeight);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kSideMargin, kRowSpacing, kSideMargin, kRowSpacing);
    column->setSpacing(kRowSpacing);
    // Each caption follows its own icons: the long captions stand beside a single icon, so
    // they keep the room that the rows of three icons need.
    for (const Row& row : rows()) {
        auto* line = new QHBoxLayout;
        line->setSpacing(kIconSpacing);
        for (int index : row.icons) {
            auto* picture = new QLabel(this);
            picture->setPixmap(StatusIconPixmap(index));
            picture->setFixedSize(kStatusIconSize, kStatusIconSize);
            line->addWidget(picture);
        }
        line->addSpacing(kCaptionGap - kIconSpacing);
        auto* caption = new QLabel(row.caption, this);
        caption->setTextFormat(Qt::PlainText);
        line->addWidget(caption, 1);
        column->addLayout(line);
    }
}

} // namespace kvt
