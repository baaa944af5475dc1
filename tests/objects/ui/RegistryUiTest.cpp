#include "RegistryConsole.h"

#include "common/SupervisionPause.h"
#include "forms/FormWiring.h"
#include "store/ChannelAddresses.h"
#include "objects/ui/ObjectRegistryUi.h"
#include "support/TestRegistry.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace kvt;
using namespace kvt::registry;
using namespace kvt::test;


class RegistryUiTest : public QObject {
    Q_OBJECT
private slots:
    void objectTreeListsObjectsByName()
    {
        Console c;
        c.addObject(1, QStringLiteral("Насосная"));
        c.addObject(2, QStringLiteral("Котельная"));
        c.addObject(3, QStringLiteral("Водозабор"));
        QAbstractItemModelTester tester(&c.trees().objectModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        c.trees().BuildObjectTree();
        const ObjectTreeModel& m = c.trees().objectModel();
        QCOMPARE(m.root().text, QStringLiteral("Список объектов"));
        QCOMPARE(m.root().imageIndex, 0);
        QCOMPARE(c.objectNodes(), (QStringList{"Водозабор", "Котельная", "Насосная"}));
        QCOMPARE(m.child(0).data, 3);
        QCOMPARE(m.child(0).imageIndex, -1);
        // The table has walked to its last row in name order.
        QCOMPARE(c.registry().objects().currentRow().Name_O, QStringLiteral("Насосная"));
        QVERIFY(!c.trees().selectedObjectNode().isValid());
        QCOMPARE(c.objectTree.objectName(), QStringLiteral("ObjectTreeView"));
        QCOMPARE(c.historyTree.objectName(), QStringLiteral("Time_TreeView"));
    }

    void findAndSelectUseTheExactNameFirstInTreeOrder()
    {
        Console c;
        c.addObject(1, QStringLiteral("Twin"));
        c.addObject(2, QStringLiteral("twin"));
        c.addObject(3, QStringLiteral("Twin"));
        c.trees().BuildObjectTree();
        QVERIFY(c.registry().objects().locateByCode(2));
        QCOMPARE(c.trees().FindObjectNode(), 3); // "Twin", "Twin", "twin"
        QVERIFY(c.registry().objects().locateByCode(3));
        QCOMPARE(c.trees().FindObjectNode(), 1);
        c.trees().SelectObjectNode();
        QCOMPARE(c.trees().selectedObjectNode(), c.trees().objectModel().childIndex(0));
        c.registry().objects().editCurrent([](ObjectRecord& r) { r.Name_O = QStringLiteral("Other"); });
        QCOMPARE(c.trees().FindObjectNode(), -1);
    }

    void selectingAnObjectShowsFormPacketHistoryAndLabels()
    {
        Console c;
        c.addObject(1, QStringLiteral("Alpha"), QStringLiteral("AABB"));
        c.addObject(2, QStringLiteral("Beta"));
        c.addObject(3, QStringLiteral("Gamma"));
        c.storePacket(1, QStringLiteral("01"), kStamp1);
        c.storePacket(2, QStringLiteral("02"), kStamp1); // same minute, another object
        c.storePacket(1, QStringLiteral("03"), kStamp2);
        c.trees().BuildObjectTree();
        c.trees().objectModel().setImage(c.node(QStringLiteral("Alpha")), 5);
        QAbstractItemModelTester tester(&c.trees().historyModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);

        c.trees().selectObjectNode(c.node(QStringLiteral("Alpha")));
        QCOMPARE(c.loadedForms, QStringList{kObjectForm});
        QCOMPARE(c.secondTab(), QStringLiteral("Конфигурация объекта"));
        QCOMPARE(c.shownPacket(), QStringLiteral("03")); // Time_SMS after the last store
        QCOMPARE(c.current.linkCheckLine(), QStringLiteral("Alpha      Последняя проверка связи (GSM): 1.2.2024  9:30"));
        QCOMPARE(c.current.stateLine(), QStringLiteral("Alpha      Последние изменения: ") + kStamp2);
        const HistoryTreeModel& h = c.trees().historyModel();
        QCOMPARE(h.root().text, QStringLiteral("Alpha"));
        QCOMPARE(h.root().imageIndex, 5);
        QCOMPARE(c.historyNodes(), (QStringList{kStamp2, kStamp1})); // newest first
        QCOMPARE(h.child(0).data, 3);
        QCOMPARE(h.child(1).data, 1);
        QCOMPARE(h.child(0).imageIndex, 2);
        QVERIFY(c.historyTree.isExpanded(h.rootIndex()));

        // Each entry of the same minute shows its own packet.
        c.historyTree.setCurrentIndex(h.childIndex(1));
        QCOMPARE(c.shownPacket(), QStringLiteral("01"));
        QCOMPARE(c.current.stateLine(), QStringLiteral("Alpha      Состояние объекта на: ") + kStamp1);
        c.trees().selectObjectNode(c.node(QStringLiteral("Beta")));
        c.historyTree.setCurrentIndex(c.trees().historyModel().childIndex(0));
        QCOMPARE(c.shownPacket(), QStringLiteral("02"));

        // An object without a packet shows none; the root clears the line.
        c.trees().selectObjectNode(c.trees().objectModel().rootIndex());
        QCOMPARE(c.current.linkCheckLine(), QString());
        QCOMPARE(c.trees().historyModel().root().text, QString());
        QCOMPARE(c.trees().historyModel().root().imageIndex, -1);
        QCOMPARE(c.trees().historyModel().childCount(), 0);
        c.trees().selectObjectNode(c.node(QStringLiteral("Gamma")));
        QCOMPARE(c.shownPacket(), QString());
        QCOMPARE(c.loadedForms.size(), 3);
    }

    void historyRootReloadsTheFormAndFreshEntriesKeepTheHeader()
    {
        Console c;
        c.addObject(1, QStringLiteral("Alpha"));
        c.storePacket(1, QStringLiteral("01"), kStamp1);
        c.trees().BuildObjectTree();
        // Without a form on screen a history entry does nothing.
        c.trees().historyModel().setRootText(QStringLiteral("Alpha"));
        c.trees().FillHistoryTree(1);
        c.historyTree.setCurrentIndex(c.trees().historyModel().childIndex(0));
        QVERIFY(!c.current.form());
        QVERIFY(c.loadedForms.isEmpty());

        c.trees().selectObjectNode(c.node(QStringLiteral("Alpha")));
        const QString header = c.current.stateLine();
        HistoryTreeModel& h = c.trees().historyModel();
        h.setRootImage(1); // a receive has just refreshed the history
        c.historyTree.setCurrentIndex(h.rootIndex());
        QCOMPARE(c.loadedForms.size(), 2);
        QCOMPARE(c.current.stateLine(), header);
        h.setRootImage(3);
        c.historyTree.setCurrentIndex(h.childIndex(0));
        c.historyTree.setCurrentIndex(h.rootIndex());
        QCOMPARE(c.current.stateLine(), QStringLiteral("Alpha      Состояние объекта на: Alpha"));
    }

    void missingFormFileStopsTheSelection()
    {
        Console c;
        c.addObject(1, QStringLiteral("Alpha"), QStringLiteral("AABB"));
        c.registry().objects().editCurrent([](ObjectRecord& r) { r.Adres_O = QStringLiteral("gone.kof"); });
        c.addObject(2, QStringLiteral("Beta"));
        // A path that exists only under the program directory, written the Windows way.
        QDir(c.store.programDirectory()).mkpath(QStringLiteral("Forms"));
        WriteTextForm(c.store.programDirectory() + QStringLiteral("Forms/b.kof"), PacketFieldFormText(QStringLiteral("FormB")));
        c.registry().objects().editCurrent([](ObjectRecord& r) { r.Adres_O = QStringLiteral("Forms\\b.kof"); });
        c.storePacket(1, QStringLiteral("01"), kStamp1);
        c.trees().BuildObjectTree();
        c.current.showLinkCheckLine(QStringLiteral("(unset)"));

        c.trees().selectObjectNode(c.node(QStringLiteral("Alpha")));
        QCOMPARE(c.notices.shown,
                 QStringList{QStringLiteral("Не удаётся найти файл объекта. Проверьте правильность указанного к нему пути.")});
        QVERIFY(c.loadedForms.isEmpty());
        QCOMPARE(c.trees().historyModel().childCount(), 0);
        QCOMPARE(c.current.linkCheckLine(), QStringLiteral("(unset)"));

        c.trees().selectObjectNode(c.node(QStringLiteral("Beta")));
        QCOMPARE(c.loadedForms, QStringList{QStringLiteral("FormB")});
    }

    void selectionOpensEveryFormPathTheLoaderFinds_data()
    {
        QTest::addColumn<QString>("stored");  // "HOME/" stands for the program directory
        QTest::newRow("relative, Windows separators") << "Forms\\b.kof";
        QTest::newRow("absolute, Windows separators") << "HOME/Forms\\b.kof";
    }
    void selectionOpensEveryFormPathTheLoaderFinds()
    {
        QFETCH(QString, stored);
        Console c;
        QDir(c.store.programDirectory()).mkpath(QStringLiteral("Forms"));
        WriteTextForm(c.store.programDirectory() + QStringLiteral("Forms/b.kof"), PacketFieldFormText(QStringLiteral("FormB")));
        stored.replace(QStringLiteral("HOME/"), c.store.programDirectory());
        QVERIFY(ResolveObjectFormPath(stored, c.store.programDirectory()));
        c.addObject(1, QStringLiteral("Beta"));
        c.registry().objects().editCurrent([&](ObjectRecord& r) { r.Adres_O = stored; });
        c.trees().BuildObjectTree();

        c.trees().selectObjectNode(c.node(QStringLiteral("Beta")));
        QCOMPARE(c.notices.shown, QStringList());
        QCOMPARE(c.loadedForms, QStringList{QStringLiteral("FormB")});
    }

    void rightClickRefreshesTheObject()
    {
        Console c;
        c.addObject(1, QStringLiteral("Alpha"), QStringLiteral("AABB"));
        c.storePacket(1, QStringLiteral("01"), kStamp1);
        c.trees().BuildObjectTree();
        c.objectTree.resize(200, 200);
        c.objectTree.show();
        c.trees().expandObjectTree();
        QVERIFY(QTest::qWaitForWindowExposed(&c.objectTree));
        const QRect alpha = c.objectTree.visualRect(c.node(QStringLiteral("Alpha")));
        QTest::mousePress(c.objectTree.viewport(), Qt::RightButton, {}, alpha.center());
        QCOMPARE(c.trees().selectedObjectNode(), c.node(QStringLiteral("Alpha")));
        QContextMenuEvent menu(QContextMenuEvent::Mouse, alpha.center(), c.objectTree.viewport()->mapToGlobal(alpha.center()));
        QApplication::sendEvent(c.objectTree.viewport(), &menu);
        QCOMPARE(c.current.linkCheckLine(), QStringLiteral("Alpha      Последняя проверка связи: 1.2.2024  9:30"));
        QCOMPARE(c.current.stateLine(), QStringLiteral("Alpha      Последнее состояние на: ") + kStamp1);
        QCOMPARE(c.historyNodes(), QStringList{kStamp1}); // rebuilt, not doubled
        QCOMPARE(c.shownPacket(), QStringLiteral("01"));
    }

    void historyIsReadPageByPage()
    {
        Console c;
        c.addObject(1, QStringLiteral("Big"));
        {
            QSqlDatabase db = QSqlDatabase::database(c.store.alias());
            QSqlQuery q(db);
            db.transaction();
            q.prepare(QStringLiteral("INSERT INTO SMS_ND VALUES (?, 1, ?, 'AA')"));
            for (int code = 1; code <= 1200; ++code) {
                q.addBindValue(code);
                q.addBindValue(QString::number(code));
                q.exec();
            }
            db.commit();
        }
        HistoryTreeModel& h = c.trees().historyModel();
        c.trees().refreshHistory(QStringLiteral("Big"), 1);
        QCOMPARE(h.childCount(), HistoryTreeModel::kPageSize);
        QVERIFY(h.canFetchMore(h.rootIndex()));
        QAbstractItemModelTester tester(&h, QAbstractItemModelTester::FailureReportingMode::QtTest);
        while (h.canFetchMore(h.rootIndex()))
            h.fetchMore(h.rootIndex());
        QCOMPARE(h.childCount(), 1200);
        for (int row = 0; row < h.childCount(); ++row)
            QCOMPARE(h.child(row).data, 1200 - row);
        c.trees().clearHistory();
        QCOMPARE(h.childCount(), 0);
        QVERIFY(!h.canFetchMore(h.rootIndex()));
    }
};

KVT_TEST(RegistryUiTest)
#include "RegistryUiTest.moc"
