#include "support/RecordingSinks.h"
#include "support/RegistryFixture.h"

#include "common/Errors.h"
#include "store/CodeAllocator.h"
#include "store/Registry.h"
#include "support/Files.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace kvt;
using namespace kvt::registry;
using kvt::test::RegistryFixture;

namespace {
QList<qint64> codesFrom(const QString& text)
{
    QList<qint64> codes;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        codes << part.trimmed().toLongLong();
    return codes;
}


} // namespace

class RegistryStoreTest : public QObject {
    Q_OBJECT
private slots:
    void nextFreeCodeIsTheSmallestFreePositiveCode_data()
    {
        QTest::addColumn<QString>("codes");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("no rows") << "" << qint64(1);
        QTest::newRow("1,2,4 -> 3") << "1,2,4" << qint64(3);
        QTest::newRow("2,3 -> 1") << "2,3" << qint64(1);
        QTest::newRow("0,1,2 -> 3") << "0,1,2" << qint64(3);
        QTest::newRow("0 -> 1") << "0" << qint64(1);
        QTest::newRow("0,2 -> 1") << "0,2" << qint64(1);
        QTest::newRow("1 -> 2") << "1" << qint64(2);
        QTest::newRow("dense run -> next") << "1,2,3,4,5" << qint64(6);
        QTest::newRow("first of two gaps") << "1,3,5,6" << qint64(2);
        QTest::newRow("unordered input") << "5,1,2,4" << qint64(3);
        QTest::newRow("negative codes ignored") << "-5,2" << qint64(1);
    }
    void nextFreeCodeIsTheSmallestFreePositiveCode()
    {
        QFETCH(QString, codes);
        QFETCH(qint64, expected);
        const QList<qint64> list = codesFrom(codes);

        RegistryFixture objectsStore;
        for (const qint64 code : list)
            objectsStore.addObject(static_cast<ObjectCode>(code), QStringLiteral("obj%1").arg(code));
        QCOMPARE(qint64(objectsStore.registry().objects().NextFreeCode()), expected);

        // The packets table follows the same rule; its rows are written as another program
        // would, so the codes are read at open.
        RegistryFixture packetsStore;
        {
            QSqlQuery q(QSqlDatabase::database(packetsStore.alias()));
            for (const qint64 code : list)
                QVERIFY(q.exec(QStringLiteral("INSERT INTO SMS_ND VALUES (%1, 1, 'x', 'AA')").arg(code)));
        }
        packetsStore.reopen();
        QCOMPARE(packetsStore.registry().packets().NextFreeCode(), expected);

        // And after a restart the objects table still agrees.
        objectsStore.reopen();
        QCOMPARE(qint64(objectsStore.registry().objects().NextFreeCode()), expected);
    }

    void allocatorFollowsUseAndRelease()
    {
        CodeAllocator a;
        a.rebuild({1, 2, 3, 4, 5});
        QCOMPARE(a.next(), 6);
        a.markFree(3);
        a.markFree(2);
        QCOMPARE(a.next(), 2);
        QCOMPARE(a.freeRunCount(), std::size_t(1));
        a.markUsed(2);
        QCOMPARE(a.next(), 3);
        a.markFree(5); // the top code: the ceiling comes down
        a.markFree(4);
        QCOMPARE(a.freeRunCount(), std::size_t(0));
        QCOMPARE(a.next(), 3);
        a.markUsed(10);
        QCOMPARE(a.next(), 3);
        a.markUsed(3);
        QCOMPARE(a.next(), 4);
        a.clear();
        QCOMPARE(a.next(), 1);
    }

    void codesOfRemovedRowsAreReused()
    {
        RegistryFixture f;
        Registry& reg = f.registry();
        for (int code = 1; code <= 4; ++code)
            f.addObject(static_cast<ObjectCode>(code), QStringLiteral("obj%1").arg(code));
        QVERIFY(reg.objects().locateByCode(3));
        reg.objects().locateByCode(3);
        for (int i = 0; i < 3; ++i)
            reg.StoreStatePacket(QStringLiteral("0%1").arg(i), kEmptyStamp);
        QCOMPARE(reg.packets().NextFreeCode(), 4);
        reg.removeCurrentObject();
        QCOMPARE(reg.objects().NextFreeCode(), ObjectCode(3));
        QCOMPARE(reg.packets().NextFreeCode(), 1);
        reg.DeleteAllHistory();
        QCOMPARE(reg.packets().NextFreeCode(), 1);
    }

    void packetCodesGoPastSixteenBits()
    {
        RegistryFixture f;
        f.addObject(1, QStringLiteral("A"));
        {
            QSqlDatabase db = QSqlDatabase::database(f.alias());
            QSqlQuery q(db);
            QVERIFY(db.transaction());
            QVERIFY(q.prepare(QStringLiteral("INSERT INTO SMS_ND VALUES (?, 1, 'x', 'AA')")));
            for (qint64 code = 1; code <= 32767; ++code) {
                q.addBindValue(code);
                QVERIFY(q.exec());
            }
            QVERIFY(db.commit());
        }
        f.reopen();
        Registry& reg = f.registry();
        QVERIFY(reg.objects().locateByCode(1));
        QCOMPARE(reg.StoreStatePacket(QStringLiteral("AB"), kEmptyStamp), PacketCode(32768));
        QCOMPARE(reg.StoreStatePacket(QStringLiteral("CD"), kEmptyStamp), PacketCode(32769));
        QCOMPARE(reg.packets().packet(32769)->Text_SMS, QStringLiteral("CD"));
        QCOMPARE(reg.packets().historyCount(1), qint64(32769));
    }

    void storingAPacketWritesHistoryThenTheObjectRow()
    {
        RegistryFixture f;
        Registry& reg = f.registry();
        f.addObject(1, QStringLiteral("One"));
        f.addObject(2, QStringLiteral("Two"));
        // A packet from the GSM path ends in NUL characters up to 512.
        QString packet = QStringLiteral("0A1B");
        packet.append(QString(508, QChar(0)));
        QVERIFY(reg.objects().locateByCode(2));
        const PacketCode code = reg.storePacketInHistory(packet, QStringLiteral("05.06.24  10:15"));
        QCOMPARE(reg.objects().currentRow().Time_SMS, QString()); // step 2 not yet run
        reg.storePacketInObjectRow(packet, QStringLiteral("05.06.24  10:15"));

        f.reopen();
        const auto stored = f.registry().packets().packet(code);
        QVERIFY(stored);
        QCOMPARE(stored->Kod_O, ObjectCode(2));
        QCOMPARE(stored->Date_Time_SMS, QStringLiteral("05.06.24  10:15"));
        QCOMPARE(stored->Text_SMS.size(), 512);
        QCOMPARE(stored->Text_SMS, packet);
        QVERIFY(f.registry().objects().locateByCode(2));
        QCOMPARE(f.registry().objects().currentRow().Time_SMS, packet);
        QCOMPARE(f.registry().objects().currentRow().Date_SMS, QStringLiteral("05.06.24  10:15"));
        QVERIFY(f.registry().objects().locateByCode(1));
        QCOMPARE(f.registry().objects().currentRow().Date_SMS, kEmptyStamp);
    }

    // What is recorded alongside a packet (the receive journal's note) commits with it or not at all.
    void whatCommitsWithThePacketSharesItsPost_data()
    {
        QTest::addColumn<bool>("noteFails");
        QTest::newRow("both committed") << false;
        QTest::newRow("neither committed") << true;
    }
    void whatCommitsWithThePacketSharesItsPost()
    {
        QFETCH(bool, noteFails);
        RegistryFixture f;
        Registry& reg = f.registry();
        f.addObject(1, QStringLiteral("One"));
        QSqlQuery(QSqlDatabase::database(f.alias())).exec(QStringLiteral("CREATE TABLE Note (Code INTEGER)"));
        QVERIFY(reg.objects().locateByCode(1));
        auto note = [&](PacketCode code) {
            QSqlQuery q(QSqlDatabase::database(f.alias()));
            q.prepare(QStringLiteral("INSERT INTO Note VALUES (?)"));
            q.addBindValue(code);
            q.exec();
            if (noteFails)
                throw StoreError(QStringLiteral("note refused"));
        };
        bool thrown = false;
        try {
            QCOMPARE(reg.storePacketInHistory(QStringLiteral("0A"), kEmptyStamp, note), PacketCode(1));
        } catch (const StoreError&) {
            thrown = true;
        }
        QCOMPARE(thrown, noteFails);
        // A refused packet leaves its code free.
        QCOMPARE(reg.packets().NextFreeCode(), PacketCode(noteFails ? 1 : 2));
        f.reopen();
        QSqlQuery notes(QStringLiteral("SELECT Code FROM Note"), QSqlDatabase::database(f.alias()));
        QCOMPARE(notes.next(), !noteFails);
        QCOMPARE(f.registry().packets().recordCount(), noteFails ? 0 : 1);
    }

    void historyIsInCodeOrderAndPagedNewestFirst()
    {
        RegistryFixture f;
        Registry& reg = f.registry();
        f.addObject(1, QStringLiteral("One"));
        f.addObject(2, QStringLiteral("Two"));
        // Two objects report in the same minute, interleaved.
        for (int i = 0; i < 6; ++i) {
            QVERIFY(reg.objects().locateByCode(i % 2 + 1));
            reg.StoreStatePacket(QStringLiteral("P%1").arg(i), QStringLiteral("01.01.24  12:00"));
        }
        const QList<StoredPacket> rows = reg.packets().nodeQuery(2);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].Kod_SMS, 2);
        QCOMPARE(rows[0].Text_SMS, QStringLiteral("P1"));
        QCOMPARE(rows[2].Kod_SMS, 6);
        QCOMPARE(rows[2].Text_SMS, QStringLiteral("P5"));

        const QList<HistoryEntry> page1 = reg.packets().historyPage(1, std::numeric_limits<qint64>::max(), 2);
        QCOMPARE(page1.size(), 2);
        QCOMPARE(page1[0].Kod_SMS, 5);
        QCOMPARE(page1[1].Kod_SMS, 3);
        const QList<HistoryEntry> page2 = reg.packets().historyPage(1, page1.last().Kod_SMS, 2);
        QCOMPARE(page2.size(), 1);
        QCOMPARE(page2[0].Kod_SMS, 1);
    }

    void removingAnObjectTakesAllItsHistoryAndOnlyIts_data()
    {
        QTest::addColumn<QString>("senders"); // object code of each stored packet, in order
        QTest::newRow("adjacent rows") << "1,2,2,2,2,3";
        QTest::newRow("interleaved") << "2,1,2,3,2,1";
        QTest::newRow("only rows") << "2,2,2";
        QTest::newRow("at the ends") << "2,1,3,2";
    }
    void removingAnObjectTakesAllItsHistoryAndOnlyIts()
    {
        QFETCH(QString, senders);
        RegistryFixture f;
        Registry& reg = f.registry();
        for (int code = 1; code <= 3; ++code)
            f.addObject(static_cast<ObjectCode>(code), QStringLiteral("obj%1").arg(code));
        QMap<int, int> expected;
        for (const qint64 sender : codesFrom(senders)) {
            QVERIFY(reg.objects().locateByCode(sender));
            reg.StoreStatePacket(QStringLiteral("AA"), kEmptyStamp);
            ++expected[int(sender)];
        }
        QVERIFY(reg.objects().locateByCode(2));
        QCOMPARE(reg.removeCurrentObject(), qint64(expected.value(2)));
        f.reopen();
        QCOMPARE(f.registry().packets().historyCount(2), qint64(0));
        QCOMPARE(f.registry().packets().historyCount(1), qint64(expected.value(1)));
        QCOMPARE(f.registry().packets().historyCount(3), qint64(expected.value(3)));
        QVERIFY(!f.registry().objects().locateByCode(2));
        QCOMPARE(f.registry().objects().recordCount(), 2);
    }

    void deletingHistoryRemovesEveryObjectsHistory()
    {
        RegistryFixture f;
        Registry& reg = f.registry();
        f.addObject(1, QStringLiteral("One"));
        f.addObject(2, QStringLiteral("Two"));
        for (int i = 0; i < 4; ++i) {
            QVERIFY(reg.objects().locateByCode(i % 2 + 1));
            reg.StoreStatePacket(QStringLiteral("AA"), kEmptyStamp);
        }
        reg.DeleteAllHistory();
        f.reopen();
        QCOMPARE(f.registry().packets().recordCount(), qint64(0));
        QCOMPARE(f.registry().objects().recordCount(), 2);
    }

    void locatesByNameIgnoringCaseInAnyAlphabet_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("sought");
        QTest::newRow("latin") << "Pump Station" << "pump STATION";
        QTest::newRow("cyrillic") << "Котельная №5" << "КОТЕЛЬНАЯ №5";
        QTest::newRow("yo") << "Ёлка" << "ёЛКА";
        QTest::newRow("quotes") << "ООО \"Вода\" 'Юг'" << "ооо \"вода\" 'юг'";
        QTest::newRow("outer spaces kept") << "  Насосная  " << "  насосная  ";
        QTest::newRow("thirty characters") << QString(30, QChar(0x0416)) << QString(30, QChar(0x0436));
    }
    void locatesByNameIgnoringCaseInAnyAlphabet()
    {
        QFETCH(QString, stored);
        QFETCH(QString, sought);
        RegistryFixture f;
        f.addObject(1, QStringLiteral("Другой"));
        f.addObject(2, stored);
        f.addObject(3, QStringLiteral("Третий"));
        f.reopen();
        ObjectTable& t = f.registry().objects();
        QVERIFY(t.locateByName(sought));
        QCOMPARE(t.currentRow().Kod_O, ObjectCode(2));
        QCOMPARE(t.currentRow().Name_O, stored);
        QVERIFY(!t.locateByName(sought.trimmed() + QStringLiteral("x")));
        QCOMPARE(t.currentRow().Kod_O, ObjectCode(2)); // a failed locate leaves the row
    }

    void firstMatchFollowsTheCurrentOrder()
    {
        RegistryFixture f;
        f.addObject(5, QStringLiteral("Twin"), QStringLiteral("79000000005"));
        f.addObject(2, QStringLiteral("twin"), QStringLiteral("79000000002"));
        f.addObject(9, QStringLiteral("Alpha"), QStringLiteral("79000000002"));
        ObjectTable& t = f.registry().objects();
        t.setIndexFieldNames(kKodO);
        QVERIFY(t.locateByName(QStringLiteral("TWIN")));
        QCOMPARE(t.currentRow().Kod_O, ObjectCode(2));
        QVERIFY(t.locateByPhone(QStringLiteral("79000000002")));
        QCOMPARE(t.currentRow().Kod_O, ObjectCode(2));
        t.setIndexFieldNames(kNameO);
        QVERIFY(t.locateByPhone(QStringLiteral("79000000002")));
        QCOMPARE(t.currentRow().Kod_O, ObjectCode(9));
        QVERIFY(t.locateByName(QStringLiteral("TWIN")));
        QCOMPARE(t.currentRow().Kod_O, ObjectCode(5)); // "Twin" sorts before "twin"

        // Walking in name order.
        QVERIFY(t.first());
        QStringList names{t.currentRow().Name_O};
        while (t.next())
            names << t.currentRow().Name_O;
        QCOMPARE(names, (QStringList{QStringLiteral("Alpha"), QStringLiteral("Twin"), QStringLiteral("twin")}));
        QCOMPARE(t.currentRow().Name_O, QStringLiteral("twin")); // stays on the last row
    }

    void longerTextsAreRefusedNotCut_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("name") << kNameO;
        QTest::newRow("phone") << kPhoneO;
        QTest::newRow("path") << kAdresO;
    }
    void longerTextsAreRefusedNotCut()
    {
        QFETCH(QString, field);
        RegistryFixture f;
        ObjectRecord r = f.addObject(1, QStringLiteral("A"));
        r.Kod_O = 2;
        const int limit = field == kNameO ? kNameLength : field == kPhoneO ? kPhoneLength : kAdresLength;
        QString& target = field == kNameO ? r.Name_O : field == kPhoneO ? r.Phone_O : r.Adres_O;
        target = QString(limit, QLatin1Char('x'));
        f.registry().objects().append(r); // the largest text fits
        r.Kod_O = 3;
        target += QLatin1Char('y');
        QVERIFY_THROWS_EXCEPTION(StoreError, f.registry().objects().append(r));
        QVERIFY(!f.registry().objects().locateByCode(3));
        // The store itself refuses too, whoever writes.
        QSqlQuery q(QSqlDatabase::database(f.alias()));
        QVERIFY(!q.exec(QStringLiteral("UPDATE Object_ND SET %1 = '%2' WHERE Kod_O = 2").arg(field, target)));
    }

    void everyPostIsOnDiskAtOnce()
    {
        RegistryFixture f;
        kvt::test::RecordingEventSink events;
        kvt::test::RecordingNotices notices;
        AnnounceSetAsideStore(f.registry(), events, notices); // a sound store: nothing to say
        QVERIFY(events.lines.isEmpty() && notices.shown.isEmpty());
        f.addObject(7, QStringLiteral("Seven"));
        QSqlQuery pragma(QSqlDatabase::database(f.alias()));
        QVERIFY(pragma.exec(QStringLiteral("PRAGMA synchronous")) && pragma.next());
        QCOMPARE(pragma.value(0).toInt(), 2); // FULL
        // A second connection to the same file sees the posted row while the first is open.
        const QString other = f.alias() + QStringLiteral("_reader");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), other);
            db.setDatabaseName(f.storeFile());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT Name_O FROM Object_ND WHERE Kod_O = 7")) && q.next());
            QCOMPARE(q.value(0).toString(), QStringLiteral("Seven"));
            // A row written by that other program is seen and its code is not handed out again.
            QVERIFY(q.exec(QStringLiteral("INSERT INTO Object_ND (Kod_O, Name_O) VALUES (1, 'ext')")));
        }
        QSqlDatabase::removeDatabase(other);
        QCOMPARE(f.registry().objects().NextFreeCode(), ObjectCode(2));
    }

    void tablesKeepTheirFieldsInOrder()
    {
        RegistryFixture f;
        QSqlQuery q(QSqlDatabase::database(f.alias()));
        QStringList fields;
        QVERIFY(q.exec(QStringLiteral("PRAGMA table_info(Object_ND)")));
        while (q.next())
            fields << q.value(1).toString();
        QCOMPARE(fields, (QStringList{"Kod_O", "Name_O", "Phone_O", "Time_Ring", "Time_SMS", "Date_SMS", "Adres_O", "Proverca_S"}));
        fields.clear();
        QVERIFY(q.exec(QStringLiteral("PRAGMA table_info(SMS_ND)")));
        while (q.next())
            fields << q.value(1).toString();
        QCOMPARE(fields, (QStringList{"Kod_SMS", "Kod_O", "Date_Time_SMS", "Text_SMS"}));
        QVERIFY(q.exec(QStringLiteral("PRAGMA index_list(Object_ND)")));
        QStringList indexes;
        while (q.next())
            indexes << q.value(1).toString();
        QVERIFY(indexes.contains(QStringLiteral("Object_ND_Name_O")));
    }

    void aDamagedStoreIsSetAsideAndANewOneStarted_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("not a database") << "text";
        QTest::newRow("header kept, pages overwritten") << "pages";
        QTest::newRow("foreign tables") << "foreign";
    }
    void aDamagedStoreIsSetAsideAndANewOneStarted()
    {
        QFETCH(QString, damage);
        RegistryFixture f;
        for (int code = 1; code <= 50; ++code)
            f.addObject(static_cast<ObjectCode>(code), QStringLiteral("obj%1").arg(code));
        f.registry().database().close();
        QByteArray bytes = test::ReadFile(f.storeFile());
        if (damage == QLatin1String("text")) {
            bytes = QByteArray("This is not a database at all.\r\n").repeated(100);
        } else if (damage == QLatin1String("pages")) {
            QSqlDatabase::database(f.alias()).open();
            QSqlQuery(QSqlDatabase::database(f.alias())).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            QSqlDatabase::database(f.alias()).close();
            bytes = test::ReadFile(f.storeFile());
            QVERIFY(bytes.size() > 4096);
            for (qsizetype i = 4096; i < bytes.size(); ++i)
                bytes[i] = char(0xA5 ^ (i & 0xFF));
        }
        if (damage == QLatin1String("foreign")) {
            QFile::remove(f.storeFile());
            QFile::remove(f.storeFile() + QStringLiteral("-wal"));
            QSqlDatabase db = QSqlDatabase::database(f.alias());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("CREATE TABLE Object_ND (id INTEGER, title TEXT)")));
            db.close();
            bytes = test::ReadFile(f.storeFile());
        } else {
            QFile::remove(f.storeFile() + QStringLiteral("-wal"));
            QFile::remove(f.storeFile() + QStringLiteral("-shm"));
            test::WriteFile(f.storeFile(), bytes);
        }

        f.reopen();
        Registry& reg = f.registry();
        QVERIFY(!reg.setAsideNotice().isEmpty());
        QVERIFY(reg.setAsideNotice().contains(QStringLiteral("повреждён")));
        const QString aside = reg.database().setAsidePath();
        // Named after the time of the console's clock.
        QCOMPARE(aside, f.storeFile() + QStringLiteral(".damaged-20240115-120000"));
        QCOMPARE(test::ReadFile(aside), bytes); // kept untouched
        kvt::test::RecordingEventSink events;
        kvt::test::RecordingNotices notices;
        AnnounceSetAsideStore(reg, events, notices);
        QCOMPARE(notices.shown, QStringList{reg.setAsideNotice()});
        QCOMPARE(events.lines.size(), 1);
        QCOMPARE(events.lines[0].colour, EventColour::Red);
        QCOMPARE(reg.objects().recordCount(), 0);
        QCOMPARE(reg.objects().NextFreeCode(), ObjectCode(1));
        f.addObject(1, QStringLiteral("new"));
        QCOMPARE(reg.objects().recordCount(), 1);
    }

    void missingDataFolderIsAnError()
    {
        RegistryFixture f;
        const QString alias = f.alias() + QStringLiteral("_nofolder");
        CreateDataAlias(f.programDirectory(), QStringLiteral("NoSuchFolder"), alias);
        {
            Registry reg(f.clock(), alias);
            QVERIFY_THROWS_EXCEPTION(StoreError, reg.open());
        }
        QSqlDatabase::removeDatabase(alias);
    }

    void aliasFollowsTheLastFolderGiven()
    {
        RegistryFixture f;
        const QString alias = f.alias() + QStringLiteral("_moved");
        QCOMPARE(CreateDataAlias(QStringLiteral("/one/"), QStringLiteral("Data"), alias), QStringLiteral("/one/Data"));
        CreateDataAlias(QStringLiteral("/two/"), QStringLiteral("Data"), alias);
        QCOMPARE(DataAliasFolder(alias), QStringLiteral("/two/Data"));
        QVERIFY_THROWS_EXCEPTION(StoreError, CreateDataAlias(QStringLiteral("/") + QString(260, QLatin1Char('d')) + QStringLiteral("/"), QStringLiteral("Data"), alias));
        QSqlDatabase::removeDatabase(alias);
    }
};

KVT_TEST(RegistryStoreTest)
#include "RegistryStoreTest.moc"
