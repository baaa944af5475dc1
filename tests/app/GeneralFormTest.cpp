#include "app/CommandLineObject.h"
#include "app/ErrorRecovery.h"
#include "app/FormPlacement.h"
#include "common/ErrorHandler.h"
#include "common/Errors.h"
#include "journals/StatusIcons.h"
#include "forms/ObjectForm.h"
#include "objects/ui/ObjectView.h"
#include "app/GeneralFixture.h"
#include "support/SampleForms.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include "objects/ui/RegistryTreeViews.h"
#include "objects/ui/RegistryTrees.h"

using namespace kvt;
using test::GeneralFixture;

namespace {

// The main window with every operator handler recording its name instead of acting.
class RecordingGeneral : public GeneralForm {
public:
    using GeneralForm::GeneralForm;
    QStringList calls;

    void Add_New_Object_ButtonClick() override { calls << "Add_New_Object_ButtonClick"; }
    void Destruction_Object_ButtonClick() override { calls << "Destruction_Object_ButtonClick"; }
    void Remove_Object_ButtonClick() override { calls << "Remove_Object_ButtonClick"; }
    void SpeedButton_Arhive_DBClick() override { calls << "SpeedButton_Arhive_DBClick"; }
    void Query_Send_ButtonClick() override { calls << "Query_Send_ButtonClick"; }
    void SpeedButton_Show_Send_Comand_FormClick() override { calls << "SpeedButton_Show_Send_Comand_FormClick"; }
    void ObjectTopUpItemClick() override { calls << "ObjectTopUpItemClick"; }
    void ObjectCommandItemClick() override { calls << "ObjectCommandItemClick"; }
    void lbl2Click() override { calls << "lbl2Click"; }
    void Stop_Avari_ButtonClick() override { calls << "Stop_Avari_ButtonClick"; }
    void ShowObjectFormItemClick() override { calls << "ShowObjectFormItemClick"; }
    void ShowObjectSettingsItemClick() override { calls << "ShowObjectSettingsItemClick"; }
    void ObjectManagerItemClick() override { calls << "ObjectManagerItemClick"; }
    void HelpItemClick() override { calls << "HelpItemClick"; }
    void AboutItemClick() override { calls << "AboutItemClick"; }
    void SettingsButtonClick() override { calls << "SettingsButtonClick"; }
    void EventJournalButtonClick() override { calls << "EventJournalButtonClick"; }
    void AlarmBookButtonClick() override { calls << "AlarmBookButtonClick"; }
    void StateBookItemClick() override { calls << "StateBookItemClick"; }
    void PreviousEventClick() override { calls << "PreviousEventClick"; }
    void NextEventClick() override { calls << "NextEventClick"; }
    void ClearEventLogClick() override { calls << "ClearEventLogClick"; }
    void CancelActionClick() override { calls << "CancelActionClick"; }
};

QAction* findAction(const QList<QAction*>& actions, const QString& path)
{
    const QString head = path.section(QLatin1Char('/'), 0, 0);
    const QString rest = path.section(QLatin1Char('/'), 1);
    for (QAction* action : actions) {
        if (action->text() != head)
            continue;
        if (rest.isEmpty())
            return action;
        if (QMenu* menu = action->menu())
            return findAction(menu->actions(), rest);
    }
    return nullptr;
}

QModelIndex addObjectNode(GeneralForm& window, const QString& name, int icon)
{
    return window.trees().objectModel().appendChild({name, 0, icon});
}

int iconOf(GeneralForm& window, const QModelIndex& node)
{
    return window.trees().objectModel().node(node).imageIndex;
}

void addObjects(ConsoleCore& core, int count)
{
    for (int i = 0; i < count; ++i) {
        registry::ObjectTable& table = core.registry.objects();
        table.append(CommandLineObjectRecord(QStringLiteral("obj%1.kof").arg(i), table.NextFreeCode()));
    }
}

} // namespace

class GeneralFormTest : public QObject {
    Q_OBJECT
private slots:
    void captionTimersAndStartLine()
    {
        GeneralFixture<> f;
        QCOMPARE(f.window->windowTitle(), QStringLiteral("КВТ 5.1 NVX - Телвикс"));
        QVERIFY(f.window->timers().isActive(MainTimer::Timer2));
        for (MainTimer timer : {MainTimer::QueryTimer, MainTimer::ATTimer, MainTimer::Timer1,
                                MainTimer::Timer_Avari_Snd, MainTimer::Timer_mig})
            QVERIFY(!f.window->timers().isActive(timer));
        QCOMPARE(f.loggedTitles(), QStringList{QStringLiteral("Запуск приложения")});
        QVERIFY(f.core->registry.isOpen());
        const registry::ObjectTreeModel& objects = f.window->trees().objectModel();
        QCOMPARE(objects.root().text, QStringLiteral("Список объектов"));
        QCOMPARE(objects.root().imageIndex, 0);
        QCOMPARE(f.window->trees().historyModel().root().imageIndex, -1);
        QCOMPARE(f.window->trees().historyModel().root().text, QString());
        QVERIFY(f.window->statusLineLabel()->text().contains(QStringLiteral("Запуск приложения")));
        for (const char* name : {"ScrollBox7", "ScrollBox4", "Panel1", "ObjectTreeView", "Splitter5", "Time_TreeView",
                                 "ScrollBox9", "ComLed1", "ComLed2", "ComLed4", "ComLed5", "RbProgressBar2", "Label24",
                                 "lbl2", "Splitter1", "ScrollBox3", "Label25", "Label17", "ScrollBox2", "ScrollBox12",
                                 "Label10", "Stop_Avari_Button", "Query_Send_Button",
                                 "SpeedButton_Show_Send_Comand_Form"})
            QVERIFY2(f.window->findChild<QWidget*>(QString::fromLatin1(name)), name);
    }

    void menusReachTheirHandlers_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("handler");
        auto row = [](const char* menu, const char* path, const char* handler) {
            QTest::newRow(path) << QString::fromLatin1(menu) << QString::fromUtf8(path) << QString::fromLatin1(handler);
        };
        row("main", "&Объект/Добавление о&бъекта", "Add_New_Object_ButtonClick");
        row("main", "&Объект/&Свойства обекта", "Destruction_Object_ButtonClick");
        row("main", "&Объект/У&даление объекта", "Remove_Object_ButtonClick");
        row("main", "&Объект/&Опрос объекта", "Query_Send_ButtonClick");
        row("main", "&Объект/Пополнение баланса объекта", "ObjectTopUpItemClick");
        row("main", "&Объект/Отправление команды объекту", "ObjectCommandItemClick");
        row("main", "&Объект/Показать форму объекта", "ShowObjectFormItemClick");
        row("main", "&Объект/Показать установки объекта", "ShowObjectSettingsItemClick");
        row("main", "&Объект/Сброс &состояния", "Stop_Avari_ButtonClick");
        row("main", "Инструмен&ты/Настрой&ка приложения", "SettingsButtonClick");
        row("main", "Инструмен&ты/Менеджер объектов", "ObjectManagerItemClick");
        row("main", "Информация/Журнал событий/Показать журнал событий", "EventJournalButtonClick");
        row("main", "Информация/Журнал событий/Предыдущее сообщение", "PreviousEventClick");
        row("main", "Информация/Журнал событий/Следующее сообщение", "NextEventClick");
        row("main", "Информация/Журнал событий/Отчистить журнал событий", "ClearEventLogClick");
        row("main", "Информация/&Журнал аварий", "AlarmBookButtonClick");
        row("main", "Информация/Журнал состояний", "StateBookItemClick");
        row("main", "Информация/Удалить историю", "SpeedButton_Arhive_DBClick");
        row("main", "&Справка/Описание программы", "HelpItemClick");
        row("main", "&Справка/О програ&мме", "AboutItemClick");
        row("objects", "Опросить объект", "Query_Send_ButtonClick");
        row("objects", "Удалить объект", "Remove_Object_ButtonClick");
        row("objects", "Добавить объект", "Add_New_Object_ButtonClick");
        row("objects", "Изменить объект", "Destruction_Object_ButtonClick");
        row("objects", "Установки объекта", "ObjectTopUpItemClick");
        row("objects", "Передать команду", "SpeedButton_Show_Send_Comand_FormClick");
        row("objects", "Сбросить состояние", "Stop_Avari_ButtonClick");
        row("history", "Отчистить историю", "SpeedButton_Arhive_DBClick");
        row("view", "Сброс сообщения", "Stop_Avari_ButtonClick");
    }
    void menusReachTheirHandlers()
    {
        QFETCH(QString, menu);
        QFETCH(QString, path);
        GeneralFixture<RecordingGeneral> f;
        RecordingGeneral& w = *f.window;
        QList<QAction*> actions;
        if (menu == QLatin1String("main"))
            actions = w.menuBar()->actions();
        else if (menu == QLatin1String("objects"))
            actions = w.objectTreeMenu()->actions();
        else if (menu == QLatin1String("history"))
            actions = w.historyTreeMenu()->actions();
        else
            actions = w.objectViewMenu()->actions();
        QAction* action = findAction(actions, path);
        QVERIFY2(action, qPrintable(path));
        action->trigger();
        QTEST(w.calls.join(QLatin1Char(',')), "handler");
    }

    void mainMenuHasSeparatorsWhereTheyBelong()
    {
        GeneralFixture<> f;
        QMenu* object = findAction(f.window->menuBar()->actions(), QStringLiteral("&Объект"))->menu();
        QStringList shape;
        for (QAction* a : object->actions())
            shape << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(shape.count(QStringLiteral("-")), 4);
        QCOMPARE(shape.last(), QStringLiteral("Сброс &состояния"));
        QAction* manual = findAction(f.window->menuBar()->actions(), QStringLiteral("&Справка/Описание программы"));
        QCOMPARE(manual->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void buttonsReachTheirHandlers_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("handler");
        QTest::newRow("Новый") << "SpeedButton_Add_Object" << "Add_New_Object_ButtonClick";
        QTest::newRow("Свойства") << "SpeedButton_Destruction_Object" << "Destruction_Object_ButtonClick";
        QTest::newRow("Настройки") << "SpeedButton_Options" << "SettingsButtonClick";
        QTest::newRow("Аварии") << "SpeedButton_Avari" << "AlarmBookButtonClick";
        QTest::newRow("События") << "SpeedButton_Events" << "EventJournalButtonClick";
        QTest::newRow("Удалить историю") << "SpeedButton_Arhive_DB" << "SpeedButton_Arhive_DBClick";
        QTest::newRow("Отчистить") << "SpeedButton_Clear_Events" << "ClearEventLogClick";
        QTest::newRow("<") << "SpeedButton_Prev_Event" << "PreviousEventClick";
        QTest::newRow(">") << "SpeedButton_Next_Event" << "NextEventClick";
        QTest::newRow("Отмена") << "SpeedButton_Cancel" << "CancelActionClick";
        QTest::newRow("Сбросить") << "Stop_Avari_Button" << "Stop_Avari_ButtonClick";
        QTest::newRow("Опросить (GSM)") << "Query_Send_Button" << "Query_Send_ButtonClick";
        QTest::newRow("Терминал (GSM)") << "SpeedButton_Show_Send_Comand_Form" << "SpeedButton_Show_Send_Comand_FormClick";
    }
    void buttonsReachTheirHandlers()
    {
        QFETCH(QString, button);
        GeneralFixture<RecordingGeneral> f;
        auto* b = f.window->findChild<QAbstractButton*>(button);
        QVERIFY(b);
        b->click();
        QTEST(f.window->calls.join(QLatin1Char(',')), "handler");
    }

    void balanceLinkReachesItsHandler()
    {
        GeneralFixture<RecordingGeneral> f;
        f.window->show();
        auto* link = f.window->findChild<QLabel*>(QStringLiteral("lbl2"));
        QCOMPARE(link->text(), QStringLiteral("обновить"));
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(f.window->calls, QStringList{QStringLiteral("lbl2Click")});
    }

    void resetKeepsTheAlarmSoundUntilTheLastAlarmIsCleared()
    {
        GeneralFixture<> f;
        GeneralForm& w = *f.window;
        const QModelIndex first = addObjectNode(w, QStringLiteral("Насосная"), 4);
        const QModelIndex second = addObjectNode(w, QStringLiteral("Котельная"), 4);
        w.timers().start(MainTimer::Timer_Avari_Snd);
        w.objectTree()->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
        w.findChild<QPushButton*>(QStringLiteral("Stop_Avari_Button"))->click();
        QCOMPARE(iconOf(w, first), -1);
        QCOMPARE(w.trees().historyModel().root().imageIndex, -1);
        QVERIFY(w.timers().isActive(MainTimer::Timer_Avari_Snd));
        QVERIFY(f.core->log.events().last().contains(QStringLiteral("Сброс состояния объекта Насосная")));
        w.objectTree()->selectionModel()->setCurrentIndex(second, QItemSelectionModel::ClearAndSelect);
        w.Stop_Avari_ButtonClick();
        QCOMPARE(iconOf(w, second), -1);
        QVERIFY(!w.timers().isActive(MainTimer::Timer_Avari_Snd));
    }

    void alarmSoundTickPlaysOnlyWhenSwitchedOn()
    {
        GeneralFixture<> f;
        f.window->Timer_Avari_SndTimer();
        QCOMPARE(f.player.played, QStringList{QStringLiteral("Alarm")});
        f.core->settings.update([](SettingsData& data) { data.soundAlarm = false; });
        f.window->Timer_Avari_SndTimer();
        QCOMPARE(f.player.played.size(), 1);
    }

    void historyHeightRule()
    {
        GeneralFixture<> f;
        addObjects(*f.core, 10);
        f.window->show();
        // The rule uses the outer height of the window, frame included.
        const int frame = f.window->frameGeometry().height() - f.window->height();
        f.window->resize(800, 600 - frame);
        QCOMPARE(f.window->frameGeometry().height(), 600);
        QCOMPARE(f.window->historyTreeHeight(), 80);
        f.window->resize(800, 900 - frame);
        QCOMPARE(f.window->historyTreeHeight(), 900 - 170 - 376);
    }

    void formIsRecentredAfterWindowChangesAndSplitterDrags()
    {
        GeneralFixture<> f;
        GeneralForm& w = *f.window;
        w.show();
        w.resize(1100, 760);
        f.core->currentObject.LoadObjectForm(test::SampleForm(QStringLiteral("water-meter")));
        QWidget* form = w.objectView()->formWidget();
        QVERIFY(form);
        form->move(3, 4);
        w.resize(1200, 800);
        QCOMPARE(form->pos(), PlaceAfterSystemCommand(w.objectView()->size(), form->size()));

        form->move(3, 4);
        auto* splitter = w.findChild<QSplitter*>(QStringLiteral("Splitter1"));
        splitter->setSizes({260, splitter->width() - 260 - splitter->handleWidth()});
        emit splitter->splitterMoved(260, 1);
        const QSize view = w.objectView()->size();
        QCOMPARE(form->pos(), PlaceAfterSplitterDrag(view, form->size(), QPoint(3, 4)));
    }

    void commandLineFormIsAddedAndSelected()
    {
        QTemporaryDir forms;
        const QString pump = forms.path() + QStringLiteral("/Pump.kof");
        QVERIFY(QFile::copy(test::SampleForm(QStringLiteral("water-meter")), pump));
        GeneralFixture<> f(pump);
        f.window->show();
        f.window->FormShow();

        QVERIFY(f.core->registry.objects().locateByName(QStringLiteral("Pump.kof")));
        const registry::ObjectRecord row = f.core->registry.objects().currentRow();
        QCOMPARE(row.Adres_O, pump);
        QCOMPARE(row.Phone_O, QStringLiteral("77777777777"));
        QCOMPARE(row.Time_Ring, QStringLiteral("00.00.00  00:00"));
        QCOMPARE(row.Date_SMS, QStringLiteral("00.00.00  00:00"));
        QCOMPARE(row.Proverca_S, QStringLiteral("0"));
        const QModelIndex node = f.window->trees().selectedObjectNode();
        QVERIFY(node.isValid());
        QCOMPARE(node.data().toString(), QStringLiteral("Pump.kof"));
        QCOMPARE(iconOf(*f.window, node), 1);
        QCOMPARE(node.parent(), f.window->trees().objectModel().rootIndex());
        QVERIFY(f.core->currentObject.form());
        QVERIFY(f.core->log.events().join('\n').contains(QStringLiteral("Добавление объекта Pump.kof")));
    }

    void commandLineArgumentOfAnotherSpellingIsIgnored()
    {
        GeneralFixture<> f(QStringLiteral("/tmp/Pump.Kof"));
        f.window->FormShow();
        QCOMPARE(f.core->registry.objects().recordCount(), 0);
        QCOMPARE(f.window->trees().objectModel().childCount(), 0);
    }

    void errorsAreLoggedOnceInRedAndSupervisionGoesOn()
    {
        GeneralFixture<> f;
        f.window->timers().stop(MainTimer::Timer2);
        f.window->errorRecovery().beginDispatch();
        GlobalErrorHandler::report(std::make_exception_ptr(IoError(QStringLiteral("Reports недоступен"))));
        f.window->errorRecovery().endDispatch();
        const QString last = f.core->log.events().last();
        QVERIFY(last.startsWith(QStringLiteral("   "))); // red prefix
        QVERIFY(last.contains(ErrorRecovery::kErrorTitle + QStringLiteral(" Reports недоступен")));
        QVERIFY(!f.window->timers().isActive(MainTimer::Timer2)); // it was not running before
        QVERIFY(f.notices.shown.isEmpty());
    }

    void closingLogsTheEnd()
    {
        GeneralFixture<> f;
        f.window->show();
        f.window->close();
        QCOMPARE(f.loggedTitles().last(), QStringLiteral("Закрытие приложения"));
        f.window->close(); // a second close does not log again
        QCOMPARE(f.loggedTitles().count(QStringLiteral("Закрытие приложения")), 1);
    }

    void pageActions()
    {
        GeneralFixture<> f;
        GeneralForm& w = *f.window;
        w.ShowObjectFormItemClick();
        w.ShowObjectSettingsItemClick();
        QCOMPARE(f.notices.shown, QStringList(2, QStringLiteral("Необходимо выбрать объект из списка объектов")));

        f.core->currentObject.LoadObjectForm(test::SampleForm(QStringLiteral("pumping-station")));
        ObjectForm* form = f.core->currentObject.form();
        QVERIFY(form);
        FormControl* tabs = form->control(QStringLiteral("TabSet1"));
        QVERIFY(tabs);
        QList<bool> before;
        for (FormControl* c : form->controls())
            before << c->isVisible();
        w.ShowObjectSettingsItemClick();
        QCOMPARE(tabs->tabIndex(), 1);
        int flipped = 0;
        for (size_t i = 0; i < form->controls().size(); ++i) {
            FormControl* c = form->controls()[i];
            if (c != tabs && c->isVisible() != before[int(i)])
                ++flipped;
        }
        QCOMPARE(flipped, int(form->controls().size()) - 1);
        w.ShowObjectSettingsItemClick(); // the page already shown: nothing changes
        QCOMPARE(tabs->tabIndex(), 1);
        w.ShowObjectFormItemClick();
        QCOMPARE(tabs->tabIndex(), 0);
        for (size_t i = 0; i < form->controls().size(); ++i)
            QCOMPARE(form->controls()[i]->isVisible(), before[int(i)]);
    }

    void objectManagerAndManual()
    {
        GeneralFixture<> f;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", f.home.toLocal8Bit());
        f.window->ObjectManagerItemClick();
        QCOMPARE(f.notices.shown, QStringList{QStringLiteral("Файлы программы менеджера объектов не найдены.")});
        QFile editor(f.home + kObjectManagerProgram);
        QVERIFY(editor.open(QIODevice::WriteOnly));
        editor.write("#!/bin/sh\n");
        editor.close();
        editor.setPermissions(editor.permissions() | QFileDevice::ExeOwner);
        f.window->ObjectManagerItemClick();
        QCOMPARE(f.launcher.programs, QStringList{f.home + kObjectManagerProgram});
        qputenv("PATH", path);

        f.window->HelpItemClick();
        QCOMPARE(f.shell.opened, QStringList{f.home + QStringLiteral("program_help.doc")});
        QCOMPARE(f.notices.shown.size(), 1);
    }

    void blinkTickFlipsThePhaseOnlyWithAForm()
    {
        GeneralFixture<> f;
        GeneralForm& w = *f.window;
        const bool initial = f.core->currentObject.blinkPhase();
        w.Timer_migTimer();
        QCOMPARE(f.core->currentObject.blinkPhase(), initial);
        f.core->currentObject.LoadObjectForm(test::SampleForm(QStringLiteral("water-meter")));
        QVERIFY(f.core->currentObject.blinkPhase()); // lamps lit while the phase is false
        w.Timer_migTimer();
        QVERIFY(!f.core->currentObject.blinkPhase());
        w.Timer_migTimer();
        QVERIFY(f.core->currentObject.blinkPhase());
    }
};

KVT_TEST(GeneralFormTest)
#include "GeneralFormTest.moc"
