#include "RegistryConsole.h"

#include "support/TestRegistry.h"

#include <QPushButton>
#include <QToolButton>
#include <QTest>

using namespace kvt;
using namespace kvt::registry;
using namespace kvt::test;

namespace {
struct WindowInput {
    QString name, phone, path, dh, dl, rs485;
};

void fill(AddNewObjectForm& w, const WindowInput& in)
{
    w.setName(in.name);
    w.setPhone(in.phone);
    w.setPath(in.path);
    w.setDh(in.dh);
    w.setDl(in.dl);
    w.setRs485Address(in.rs485);
}

// Fills the window while it is "shown" and presses its visible apply button; records what
// the window showed first.
struct Operator {
    explicit Operator(WindowInput in) : input(std::move(in)) {}
    WindowInput input;
    bool cancel = false;
    int presses = 1;
    WindowInput seen;
    QString caption;
    bool addVisible = false, editVisible = false, pausedWhileShown = false;

    void operator()(AddNewObjectForm& w, SupervisionPause& pause)
    {
        caption = w.windowTitle();
        seen = {w.name(), w.phone(), w.path(), w.dh(), w.dl(), w.rs485Address()};
        addVisible = !w.findChild<QPushButton*>(QStringLiteral("Apply_New_Object_Button"))->isHidden();
        editVisible = !w.findChild<QPushButton*>(QStringLiteral("Destruction_Object_Button"))->isHidden();
        pausedWhileShown = pause.isSet();
        fill(w, input);
        if (cancel) {
            w.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            return;
        }
        const char* button = addVisible ? "Apply_New_Object_Button" : "Destruction_Object_Button";
        for (int i = 0; i < presses; ++i)
            w.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }
};

void drive(Console& c, Operator& op)
{
    c.commands().setModalRunner([&](AddNewObjectForm& w) { op(w, c.pause); });
}

const WindowInput kPump{QStringLiteral("Насосная \"Юг\""), QStringLiteral("79001112233"), QStringLiteral("form.kof"),
                        QStringLiteral("13A200"), QStringLiteral("40B5"), QStringLiteral("7")};
} // namespace

class RegistryCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void addingAnObjectPostsItsRowAddressesAndTree()
    {
        Console c;
        c.addObject(1, QStringLiteral("Alpha"));
        c.addObject(2, QStringLiteral("Beta"));
        c.addObject(4, QStringLiteral("Delta"));
        Operator op{kPump};
        drive(c, op);
        c.commands().Add_New_Object_ButtonClick();

        QCOMPARE(op.caption, QStringLiteral("Добавление нового объекта"));
        QVERIFY(op.addVisible && !op.editVisible);
        QVERIFY(op.pausedWhileShown);
        QVERIFY(!c.pause.isSet());
        QCOMPARE(c.events.entries(), QStringList{QStringLiteral("Добавление объекта|Насосная \"Юг\"|16777215")});
        ObjectTable& t = c.registry().objects();
        QVERIFY(t.locateByCode(3));
        const ObjectRecord row = t.currentRow();
        QCOMPARE(row.Name_O, kPump.name);
        QCOMPARE(row.Phone_O, kPump.phone);
        QCOMPARE(row.Adres_O, kPump.path);
        QCOMPARE(row.Time_Ring, QStringLiteral("00.00.00  00:00"));
        QCOMPARE(row.Date_SMS, QStringLiteral("00.00.00  00:00"));
        QCOMPARE(row.Proverca_S, QStringLiteral("0"));
        QCOMPARE(c.addresses.ReadRadioAddress(QStringLiteral("3")).DH, kPump.dh);
        QCOMPARE(c.addresses.ReadRadioAddress(QStringLiteral("3")).DL, kPump.dl);
        QCOMPARE(c.addresses.ReadRs485Address(QStringLiteral("3")), kPump.rs485);
        QCOMPARE(c.objectNodes(), (QStringList{"Alpha", "Beta", "Delta", kPump.name}));
        QCOMPARE(c.loadedForms, QStringList{kObjectForm});
        QCOMPARE(c.host.historyHeightRules, 1);
        QVERIFY(c.notices.shown.isEmpty());
    }

    void addRefusesEmptyAndOverlongFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        const QString fillAll = QStringLiteral("Необходимо заполнить все поля.");
        QTest::newRow("empty name") << "name" << "" << fillAll;
        QTest::newRow("empty phone") << "phone" << "" << fillAll;
        QTest::newRow("empty path") << "path" << "" << fillAll;
        QTest::newRow("name of 31") << "name" << QString(31, QChar(0x042F))
                                   << "Поле \"Название объекта\" не может быть длиннее 30 символов.";
        QTest::newRow("phone of 21") << "phone" << QString(21, QLatin1Char('7'))
                                    << "Поле \"Номер телефона\" не может быть длиннее 20 символов.";
        QTest::newRow("path of 256") << "path" << QString(256, QLatin1Char('p'))
                                    << "Поле \"Путь к файлу\" не может быть длиннее 255 символов.";
    }
    void addRefusesEmptyAndOverlongFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        Console c;
        Operator op{kPump};
        (field == QLatin1String("name") ? op.input.name : field == QLatin1String("phone") ? op.input.phone : op.input.path) = value;
        bool stillShown = false;
        c.commands().setModalRunner([&](AddNewObjectForm& w) {
            op(w, c.pause);
            stillShown = c.pause.isSet(); // the window stays after a refusal
            w.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        });
        c.commands().Add_New_Object_ButtonClick();
        QCOMPARE(c.notices.shown, QStringList{message});
        QVERIFY(stillShown);
        QVERIFY(!c.pause.isSet());
        QCOMPARE(c.registry().objects().recordCount(), 0);
        QVERIFY(c.events.entries().isEmpty());
    }

    void longestFieldsAndOddNamesAreStoredAndFound()
    {
        Console c;
        Operator op{kPump};
        op.input.name = QStringLiteral("  'Ёж' \"№1\" ") + QString(18, QChar(0x0449));
        QCOMPARE(op.input.name.size(), 30);
        op.input.phone = QString(20, QLatin1Char('9'));
        op.input.path = QStringLiteral("form.kof");
        drive(c, op);
        c.commands().Add_New_Object_ButtonClick();
        QVERIFY(c.notices.shown.isEmpty());
        c.store.reopen();
        QVERIFY(c.registry().objects().locateByName(op.input.name.toUpper()));
        QCOMPARE(c.registry().objects().currentRow().Name_O, op.input.name);
        QVERIFY(c.registry().objects().locateByPhone(op.input.phone));
    }

    void cancellingPostsNothing()
    {
        Console c;
        Operator op{kPump};
        op.cancel = true;
        drive(c, op);
        c.commands().Add_New_Object_ButtonClick();
        QCOMPARE(c.registry().objects().recordCount(), 0);
        QVERIFY(!c.pause.isSet());
        QVERIFY(!c.addresses.zigBee().sectionExists(QStringLiteral("1")));
        // Pressing twice would add twice without the draft: the second press finds none.
        Operator twice{kPump};
        twice.presses = 2;
        drive(c, twice);
        c.commands().Add_New_Object_ButtonClick();
        QCOMPARE(c.registry().objects().recordCount(), 1);
    }

    void emptyRadioHalfWritesNoRadioKeys_data()
    {
        QTest::addColumn<QString>("dh");
        QTest::addColumn<QString>("dl");
        QTest::newRow("no DH") << "" << "40B5";
        QTest::newRow("no DL") << "13A200" << "";
    }
    void emptyRadioHalfWritesNoRadioKeys()
    {
        QFETCH(QString, dh);
        QFETCH(QString, dl);
        Console c;
        Operator op{kPump};
        op.input.dh = dh;
        op.input.dl = dl;
        op.input.rs485.clear();
        drive(c, op);
        c.commands().Add_New_Object_ButtonClick();
        QVERIFY(!c.addresses.zigBee().valueExists(QStringLiteral("1"), QStringLiteral("DH")));
        QVERIFY(!c.addresses.zigBee().valueExists(QStringLiteral("1"), QStringLiteral("DL")));
        QVERIFY(!c.addresses.rs485().valueExists(QStringLiteral("1"), QStringLiteral("Adr")));
    }

    void editingShowsTheRowAndRewritesIt()
    {
        Console c;
        c.addObject(1, QStringLiteral("Alpha"));
        c.addresses.WriteRadioAddress(QStringLiteral("1"), QStringLiteral("11"), QStringLiteral("22"));
        c.addresses.WriteRs485Address(QStringLiteral("1"), QStringLiteral("5"));
        c.addresses.zigBee().writeString(QStringLiteral("1"), QStringLiteral("SVYAZ"), QStringLiteral("ZigBee"));
        c.trees().BuildObjectTree();
        c.trees().selectObjectNode(c.node(QStringLiteral("Alpha")));
        Operator op{WindowInput{QStringLiteral("Alpha-2"), QStringLiteral("79005556677"), QStringLiteral("form.kof"),
                                QString(), QStringLiteral("33"), QString()}};
        drive(c, op);
        c.commands().Destruction_Object_ButtonClick();

        QCOMPARE(op.caption, QStringLiteral("Изменение параметров объекта"));
        QVERIFY(op.editVisible && !op.addVisible);
        QCOMPARE(op.seen.name, QStringLiteral("Alpha"));
        QCOMPARE(op.seen.dh, QStringLiteral("11"));
        QCOMPARE(op.seen.dl, QStringLiteral("22"));
        QCOMPARE(op.seen.rs485, QStringLiteral("5"));
        QVERIFY(op.pausedWhileShown && !c.pause.isSet());
        QCOMPARE(c.events.entries(), QStringList{QStringLiteral("Изменение объекта|Alpha-2|16777215")});
        QVERIFY(c.registry().objects().locateByCode(1));
        QCOMPARE(c.registry().objects().currentRow().Name_O, QStringLiteral("Alpha-2"));
        QCOMPARE(c.registry().objects().currentRow().Phone_O, QStringLiteral("79005556677"));
        // Both address keys go; half an address is not written back; other keys stay.
        QVERIFY(!c.addresses.zigBee().valueExists(QStringLiteral("1"), QStringLiteral("DH")));
        QVERIFY(!c.addresses.zigBee().valueExists(QStringLiteral("1"), QStringLiteral("DL")));
        QVERIFY(!c.addresses.rs485().valueExists(QStringLiteral("1"), QStringLiteral("Adr")));
        QCOMPARE(c.addresses.zigBee().readString(QStringLiteral("1"), QStringLiteral("SVYAZ")), QStringLiteral("ZigBee"));
        QCOMPARE(c.objectNodes(), QStringList{QStringLiteral("Alpha-2")});
        QCOMPARE(c.trees().historyModel().root().text, QStringLiteral("Alpha-2"));
        QCOMPARE(c.loadedForms.last(), kObjectForm); // the edited row's form is shown again
    }

    void editingNeedsAnObjectNode()
    {
        Console c;
        c.addObject(1, QStringLiteral("Alpha"));
        c.trees().BuildObjectTree();
        int shown = 0;
        c.commands().setModalRunner([&](AddNewObjectForm&) { ++shown; });
        c.trees().selectObjectNode(c.trees().objectModel().rootIndex());
        c.commands().Destruction_Object_ButtonClick();
        QCOMPARE(shown, 0);
        // A node whose row has gone cannot be edited.
        c.trees().objectModel().appendChild({QStringLiteral("Ghost"), 9, -1});
        c.trees().rebuildQuietly(c.trees().objectTree(), [&] { c.trees().selectObjectNode(c.node(QStringLiteral("Ghost"))); });
        c.commands().Destruction_Object_ButtonClick();
        QCOMPARE(shown, 0);
        QCOMPARE(c.notices.shown,
                 QStringList{QStringLiteral("Не верно указаны параметры объекта. Попробуйте перезапустить программу.")});
    }

    void removingAnObjectAsksAndTakesItsHistory()
    {
        Console c;
        c.addObject(1, QStringLiteral("Alpha"));
        c.addObject(2, QStringLiteral("Beta \"B\""));
        c.addObject(3, QStringLiteral("Gamma"));
        c.storePacket(2, QStringLiteral("01"), kStamp1);
        c.storePacket(1, QStringLiteral("02"), kStamp1);
        c.storePacket(2, QStringLiteral("03"), kStamp2);
        c.addresses.WriteRadioAddress(QStringLiteral("2"), QStringLiteral("11"), QStringLiteral("22"));
        c.addresses.WriteRs485Address(QStringLiteral("2"), QStringLiteral("5"));
        c.trees().BuildObjectTree();
        c.trees().selectObjectNode(c.node(QStringLiteral("Beta \"B\"")));

        c.confirmation.answer = false;
        c.commands().Remove_Object_ButtonClick();
        QCOMPARE(c.confirmation.questions, QStringList{QStringLiteral("Вы подтверждаете удаление \"Beta \"B\"\"")});
        QCOMPARE(c.registry().objects().recordCount(), 3);
        QCOMPARE(c.trees().historyModel().childCount(), 0); // cleared in every case
        QCOMPARE(c.trees().historyModel().root().text, QString());

        c.confirmation.answer = true;
        c.commands().Remove_Object_ButtonClick();
        QCOMPARE(c.events.entries(), QStringList{QStringLiteral("Удаление объекта|Beta \"B\"|16777215")});
        QCOMPARE(c.registry().objects().recordCount(), 2);
        QCOMPARE(c.registry().packets().historyCount(2), 0);
        QCOMPARE(c.registry().packets().historyCount(1), 1);
        QCOMPARE(c.objectNodes(), (QStringList{"Alpha", "Gamma"}));
        QVERIFY(!c.addresses.zigBee().valueExists(QStringLiteral("2"), QStringLiteral("DH")));
        QCOMPARE(c.addresses.ReadRs485Address(QStringLiteral("2")), QStringLiteral("5"));
        QCOMPARE(c.host.historyHeightRules, 2);

        // The next object takes the freed code and finds the RS-485 address left in its section.
        Operator op{kPump};
        op.input.rs485.clear();
        drive(c, op);
        c.commands().Add_New_Object_ButtonClick();
        QVERIFY(c.registry().objects().locateByName(kPump.name));
        QCOMPARE(c.registry().objects().currentRow().Kod_O, ObjectCode(2));
        QCOMPARE(c.addresses.ReadRs485Address(QStringLiteral("2")), QStringLiteral("5"));
    }

    void twoObjectsOfOneNameActOnTheFirstRow()
    {
        Console c;
        c.addObject(1, QStringLiteral("Twin"));
        c.addObject(2, QStringLiteral("Twin"));
        c.registry().objects().editCurrent([](ObjectRecord& r) { r.Time_Ring = QStringLiteral("second"); });
        c.trees().BuildObjectTree();
        // Selecting the second node shows the first row.
        c.trees().selectObjectNode(c.trees().objectModel().childIndex(1));
        QVERIFY(c.current.linkCheckLine().endsWith(QStringLiteral("00.00.00  00:00")));
        c.commands().Remove_Object_ButtonClick();
        QVERIFY(!c.registry().objects().locateByCode(1));
        QVERIFY(c.registry().objects().locateByCode(2));
    }

    void deletingTheHistoryAsksAndEmptiesTheTable()
    {
        Console c;
        c.addObject(1, QStringLiteral("Alpha"));
        c.addObject(2, QStringLiteral("Beta"));
        c.storePacket(1, QStringLiteral("01"), kStamp1);
        c.storePacket(2, QStringLiteral("02"), kStamp1);
        c.trees().BuildObjectTree();
        c.trees().selectObjectNode(c.node(QStringLiteral("Alpha")));
        QCOMPARE(c.trees().historyModel().childCount(), 1);

        c.confirmation.answer = false;
        c.commands().SpeedButton_Arhive_DBClick();
        QCOMPARE(c.registry().packets().recordCount(), 2);
        QVERIFY(c.events.entries().isEmpty());

        c.confirmation.answer = true;
        c.commands().SpeedButton_Arhive_DBClick();
        QCOMPARE(c.confirmation.questions.last(), QStringLiteral("Вы подтверждаете удаление истории."));
        QCOMPARE(c.events.entries(), QStringList{QStringLiteral("Удаление истории||16777215")});
        QCOMPARE(c.registry().packets().recordCount(), 0);
        QCOMPARE(c.trees().historyModel().childCount(), 0);
        QVERIFY(!c.objectTree.isExpanded(c.trees().objectModel().rootIndex()));
    }

    void browsePutsTheChosenPathIntoTheWindow()
    {
        Console c;
        c.commands().setFileChooser([](AddNewObjectForm&) { return QStringLiteral("/srv/forms/pump.KOF"); });
        c.window().findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->click();
        QCOMPARE(c.window().path(), QStringLiteral("/srv/forms/pump.KOF"));
        c.commands().setFileChooser([](AddNewObjectForm&) { return QString(); });
        c.commands().SpeedButton1Click();
        QCOMPARE(c.window().path(), QStringLiteral("/srv/forms/pump.KOF"));
        QVERIFY(AddNewObjectForm::kFileFilter.contains(QStringLiteral("*.kof")));
        QVERIFY(AddNewObjectForm::kFileFilter.contains(QStringLiteral("*.KOF")));
    }
};

KVT_TEST(RegistryCommandsTest)
#include "RegistryCommandsTest.moc"
