#include "support/TestRegistry.h"

#include "forms/ControlConfig.h"

#include <QtTest>

using namespace kvt;

class ConfigTextTest : public QObject {
    Q_OBJECT
private slots:
    void writesTagsInAscendingOrder()
    {
        QCOMPARE(MakeConfigText({{"Номер байта", "3"}, {"Заголовок для журнала", "Насос"}}),
                 QStringLiteral("crc2endcrcname0Номер байтаendname0value03endvalue0"
                                "name1Заголовок для журналаendname1value1Насосendvalue1"));
        QCOMPARE(MakeConfigText({}), QStringLiteral("crc0endcrc"));
    }

    void parsesBackToTheSameRows()
    {
        const QList<QPair<QString, QString>> pairs{{"С какого байта", "1A"}, {"Заголовок для журнала", "Т=1,2"},
                                                   {"0a", "  Норма"}, {"", ""}, {"0a", "дубль"}};
        ControlConfig config;
        ParseConfigText(MakeConfigText(pairs), config, false);
        QCOMPARE(config.count(), int(pairs.size()));
        for (int i = 0; i < pairs.size(); ++i)
            QCOMPARE(config.rows().at(i), pairs[i].first + "=" + pairs[i].second);
    }
};

KVT_TEST(ConfigTextTest)
#include "ConfigTextTest.moc"
