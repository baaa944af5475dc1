#include "journals/ui/IconLegend.h"
#include "support/TestRegistry.h"

#include <QLabel>
#include <QTest>

using namespace kvt;

class IconLegendTest : public QObject {
    Q_OBJECT
private slots:
    void legendShowsSixRows()
    {
        IconLegend legend;
        QCOMPARE(legend.objectName(), QStringLiteral("Panel1"));
        QCOMPARE(legend.toolTip(), QStringLiteral("На панели показаны возможные иконки списка объектов"));
        QCOMPARE(legend.height(), 105);
        const QList<IconLegend::Row>& rows = IconLegend::rows();
        QCOMPARE(rows.size(), 6);
        QCOMPARE(rows[3].icons, (QList<int>{1, 9, 11}));
        QCOMPARE(rows[4].icons, (QList<int>{6, 10, 12}));
        QCOMPARE(rows[4].caption, QStringLiteral("Нет связи "));
        QStringList captions;
        for (QLabel* label : legend.findChildren<QLabel*>()) {
            if (!label->text().isEmpty())
                captions << label->text();
        }
        QCOMPARE(captions, (QStringList{"Новые данные объекта", "Авария на объекте", "Проблемы с передачей СМС",
                                        "Связь установлена", "Нет связи ", "Откл. проверка связи"}));
    }
};

KVT_TEST(IconLegendTest)
#include "IconLegendTest.moc"
