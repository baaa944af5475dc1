#include "common/Errors.h"
#include "forms/ControlConfig.h"
#include "forms/ObjectForm.h"
#include "objects/ui/ObjectRowLinkCheckPeriod.h"
#include "packets/ApplyStatePacket.h"
#include "support/RecordingSinks.h"
#include "support/RegistryFixture.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::registry;
using namespace kvt::test;

namespace {
void AddSettingBox(ObjectForm& form, const QString& name, const QString& count, int helpContext)
{
    auto box = std::make_unique<FormControl>(QStringLiteral("TSpinEdit"), name);
    box->setHint(MakeConfigText({{QStringLiteral("С какого байта принимать"), QStringLiteral("2")},
                                 {QStringLiteral("Количество байт"), count},
                                 {QStringLiteral("Заголовок для журнала"), QStringLiteral("Проверка связи")}}));
    box->setHelpContext(helpContext);
    form.addControl(std::move(box));
}
} // namespace

// The link-check period of a fully processed packet reaches Proverca_S of the sender's row in the
// store, where link supervision reads it.
class LinkCheckPeriodTest : public QObject {
    Q_OBJECT
private slots:
    void storedInTheSendersRow_data()
    {
        QTest::addColumn<QString>("packet");
        QTest::addColumn<bool>("full");
        QTest::addColumn<bool>("laterControlFails");
        QTest::addColumn<QString>("stored");
        QTest::newRow("period of the marked box") << "001E" << true << false << "30";
        QTest::newRow("stored before a later control fails") << "001E" << true << true << "30";
        QTest::newRow("packet too short: none") << "00" << true << false << "0";
        QTest::newRow("display only leaves it") << "001E" << false << false << "45";
    }
    void storedInTheSendersRow()
    {
        QFETCH(QString, packet);
        QFETCH(bool, full);
        QFETCH(bool, laterControlFails);
        RegistryFixture store;
        ObjectTable& objects = store.registry().objects();
        store.addObject(1, QStringLiteral("Котельная"));
        store.addObject(2, QStringLiteral("Насосная"));
        objects.editCurrent([](ObjectRecord& row) { row.Proverca_S = QStringLiteral("45"); });
        ObjectForm form;
        AddSettingBox(form, QStringLiteral("SpinEdit1"), QStringLiteral("1"), kLinkCheckMarker);
        if (laterControlFails)
            AddSettingBox(form, QStringLiteral("SpinEdit2"), QStringLiteral("x"), 0);

        FakeMainTimers timers;
        StatePacketDecoder decoder(timers, QLatin1Char('.'));
        ObjectRowLinkCheckPeriod sink(objects);
        try {
            decoder.ApplyStatePacket(&form, packet, full, QString(), QString(), QString(), &sink);
            QVERIFY(!laterControlFails);
        } catch (const ConversionError&) {
            QVERIFY(laterControlFails);
        }

        store.reopen(); // what was posted survives a restart
        QVERIFY(store.registry().objects().locateByCode(2));
        QTEST(store.registry().objects().currentRow().Proverca_S, "stored");
        QVERIFY(store.registry().objects().locateByCode(1));
        QCOMPARE(store.registry().objects().currentRow().Proverca_S, QStringLiteral("0"));
    }
};

KVT_TEST(LinkCheckPeriodTest)
#include "LinkCheckPeriodTest.moc"
