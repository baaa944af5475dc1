#include "journals/ui/IconLegend.h"

#include "journals/StatusIcons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kvt {

namespace {
constexpr int kIconColumnWidth = 3 * kStatusIconSize + 6;
}

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
    column->setContentsMargins(4, 3, 4, 3);
    column->setSpacing(1);
    for (const Row& row : rows()) {
        auto* line = new QHBoxLayout;
        line->setSpacing(2);
        auto* icons = new QWidget(this);
        icons->setFixedWidth(kIconColumnWidth);
        auto* iconLine = new QHBoxLayout(icons);
        iconLine->setContentsMargins(0, 0, 0, 0);
        iconLine->setSpacing(1);
        iconLine->addStretch();
        for (int index : row.icons) {
            auto* picture = new QLabel(icons);
            picture->setPixmap(StatusIconPixmap(index));
            picture->setFixedSize(kStatusIconSize, kStatusIconSize);
            iconLine->addWidget(picture);
        }
        line->addWidget(icons);
        auto* caption = new QLabel(row.caption, this);
        line->addWidget(caption, 1);
        column->addLayout(line);
    }
}

} // namespace kvt
