#include "app/CommandLineObject.h"
#include "app/ErrorRecovery.h"
#include "app/FormPlacement.h"
#include "common/ErrorHandler.h"
#include "common/Errors.h"
#include "journals/StatusIcons.h"
#include "forms/ObjectForm.h"
#include "objects/ui/ObjectView.h"
#include "app/ConsoleWindows.h"
#include "app/GeneralFixture.h"
#include "common/ui/MessageBoxes.h"
#include "support/SampleForms.h"
#include "support/TestRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include "objects/ui/RegistryTreeViews.h"
#include "objects/ui/RegistryTrees.h"

using namespace kvt;
using test::GeneralFixture;

namespace {

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
        GeneralFixture f;
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

    void mainMenuHasSeparatorsWhereTheyBelong()
    {
        GeneralFixture f;
        QMenu* object = test::FindAction(f.window->menuBar()->actions(), QStringLiteral("&Объект"))->menu();
        QStringList shape;
        for (QAction* a : object->actions())
            shape << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(shape.count(QStringLiteral("-")), 4);
        QCOMPARE(shape.last(), QStringLiteral("Сброс &состояния"));
        QAction* manual = test::FindAction(f.window->menuBar()->actions(), QStringLiteral("&Справка/Описание программы"));
        QCOMPARE(manual->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void resetKeepsTheAlarmSoundUntilTheLastAlarmIsCleared()
    {
        GeneralFixture f;
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
        GeneralFixture f;
        f.window->Timer_Avari_SndTimer();
        QCOMPARE(f.player.played, QStringList{QStringLiteral("Alarm")});
        f.core->settings.update([](SettingsData& data) { data.soundAlarm = false; });
        f.window->Timer_Avari_SndTimer();
        QCOMPARE(f.player.played.size(), 1);
    }

    void historyHeightRule()
    {
        GeneralFixture f;
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
        GeneralFixture f;
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
        GeneralFixture f(pump);
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
        GeneralFixture f(QStringLiteral("/tmp/Pump.Kof"));
        f.window->FormShow();
        QCOMPARE(f.core->registry.objects().recordCount(), 0);
        QCOMPARE(f.window->trees().objectModel().childCount(), 0);
    }

    // A report.log that cannot be written costs only the log: the store is opened and the object
    // tree built all the same.
    void startUpWithAnUnwritableEventLogStillListsTheObjects()
    {
        GeneralFixture f(QString(), GeneralFixture::Subsystems::Real, [](ConsoleCore& core) {
            core.registry.open();
            addObjects(core, 2);
            QVERIFY(QDir(core.programDirectory).mkdir(QStringLiteral("report.log"))); // nobody appends to a folder
        });
        f.window->FormShow();
        QCOMPARE(f.window->trees().objectModel().childCount(), 2);
    }

    // Outside texts (object names, log lines, a modem's answer, a device's error) show as they
    // stand: no label of the console's windows, and no notice, reads its text as markup.
    void textsShowAsTheyStand()
    {
        test::ConsoleWindows windows;
        const QList<QLabel*> labels = windows.f.window->findChildren<QLabel*>();
        QVERIFY(labels.size() > 1);
        for (const QLabel* label : labels) {
            if (label->pixmap().isNull())
                QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName() + label->text()));
        }
        MessageBoxes boxes;
        Qt::TextFormat noticeFormat = Qt::AutoText;
        QTimer::singleShot(0, [&noticeFormat] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            noticeFormat = box->textFormat();
            box->accept();
        });
        boxes.notice(QStringLiteral("<b>/dev/ttyUSB0</b>"));
        QCOMPARE(noticeFormat, Qt::PlainText);
    }

    // The buttons of the event bar carry the hints the operator reads on them.
    void eventBarButtonsCarryTheirHints()
    {
        GeneralFixture f;
        const std::pair<const char*, QString> buttons[] = {
            {"SpeedButton1", QStringLiteral("Предидущее событие")},
            {"SpeedButton2", QStringLiteral("Следующее событие")},
            {"SpeedButton6", QStringLiteral("Отчистить журнал событий")},
            {"SpeedButton8", QStringLiteral("Отмена выполнения")},
        };
        for (const auto& [name, hint] : buttons) {
            auto* button = f.window->findChild<QAbstractButton*>(QString::fromLatin1(name));
            QVERIFY2(button, name);
            QCOMPARE(button->toolTip(), hint);
        }
    }

    void errorsAreLoggedOnceInRedAndSupervisionGoesOn()
    {
        GeneralFixture f;
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
        GeneralFixture f;
        f.window->show();
        f.window->close();
        QCOMPARE(f.loggedTitles().last(), QStringLiteral("Закрытие приложения"));
        f.window->close(); // a second close does not log again
        QCOMPARE(f.loggedTitles().count(QStringLiteral("Закрытие приложения")), 1);
    }

    void pageActions()
    {
        GeneralFixture f;
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
        GeneralFixture f;
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
        GeneralFixture f;
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
