#include "app/GeneralFixture.h"

#include "forms/CurrentObject.h"
#include "forms/FormWiring.h"
#include "forms/ObjectForm.h"
#include "journals/MonthlyBooks.h"
#include "journals/ui/AboutForm.h"
#include "journals/ui/GurSoobForm.h"
#include "objects/ui/AddNewObjectForm.h"
#include "objects/ui/ObjectCommands.h"
#include "objects/ui/ObjectRegistryUi.h"
#include "objects/ui/RegistryTrees.h"
#include "settings/ui/OptionsForm.h"
#include "store/ObjectRecord.h"
#include "support/Files.h"
#include "support/SampleForms.h"
#include "support/TestRegistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

using namespace kvt;
using test::GeneralFixture;

namespace {

// A main window whose every handler leaves a trace of its own: the GSM modem and the links are
// recorded; an object with a form is selected; the add/edit window, the confirmations and the
// modal windows are answered without waiting; the monthly books exist; the modem port is open.
struct WiredWindow {
    GeneralFixture f{QString(), GeneralFixture::Subsystems::Recorded};
    QTemporaryDir emptyPath;
    QByteArray savedPath = qgetenv("PATH");
    AboutForm about{f.window.get()};
    GurSoobForm journal{f.core->log, f.core->supervisionPause, f.confirmation, f.shell, f.window.get()};
    OptionsForm options{f.home, {&f.core->settings, &f.core->connections, &f.core->sounds, f.window.get(), &f.notices,
                                 nullptr, nullptr},
                        f.window.get()};
    QStringList windows;
    QTimer closer;
    qsizetype logLines = 0;
    QString status;
    int tab = 0;

    explicit WiredWindow(const QString& prepare)
    {
        f.window->setAboutForm(&about);
        f.window->setJournalForm(&journal);
        f.window->setOptionsForm(&options);
        registry::ObjectRecord row = CommandLineObjectRecordFor(test::SampleForm(QStringLiteral("pumping-station")));
        f.core->registry.objects().append(row);
        f.window->trees().BuildObjectTree();
        f.window->trees().selectObjectNode(f.window->trees().objectModel().childIndex(0));
        for (MonthlyBook book : {MonthlyBook::Alarms, MonthlyBook::States})
            test::WriteFile(MonthlyBookPath(f.home, book, f.clock.now().date()), "<html></html>");
        f.modemPort().Open();
        f.confirmation.answer = false;
        f.window->registryUi().commands().setModalRunner(
            [this](registry::AddNewObjectForm& w) { windows << QStringLiteral("window ") + w.windowTitle(); });
        f.core->log.LogEvent(QStringLiteral("Первое"), QString(), EventColour::White);
        f.core->log.LogEvent(QStringLiteral("Второе"), QString(), EventColour::White);
        if (prepare == QLatin1String("previous event"))
            f.core->log.ShowPrevious();
        if (prepare == QLatin1String("settings page"))
            f.core->currentObject.showPage(1);
        qputenv("PATH", emptyPath.path().toLocal8Bit());
        // A modal window that opens is noted and closed at once.
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [this] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                windows << QStringLiteral("modal ") + modal->objectName();
                modal->reject();
            }
        });
        closer.start();
        logLines = f.core->log.events().size();
        status = f.core->log.statusLine().text();
        tab = pageShown();
        f.recording.calls.clear();
        f.notices.shown.clear();
        f.shell.opened.clear();
        f.modemPort().clearWrites();
    }
    ~WiredWindow() { qputenv("PATH", savedPath); }

    static registry::ObjectRecord CommandLineObjectRecordFor(const QString& form)
    {
        registry::ObjectRecord row;
        row.Kod_O = 1;
        row.Name_O = QStringLiteral("Насосная");
        row.Phone_O = QStringLiteral("79000000001");
        row.Adres_O = form;
        row.Time_Ring = registry::kEmptyStamp;
        row.Date_SMS = registry::kEmptyStamp;
        row.Proverca_S = registry::kNoCheckInterval;
        return row;
    }

    int pageShown() const
    {
        const ObjectForm* form = f.core->currentObject.form();
        return form ? form->control(QStringLiteral("TabSet1"))->tabIndex() : -1;
    }

    // What the handlers did since the set-up, one line per trace.
    QStringList traces()
    {
        QStringList seen = f.recording.calls + windows;
        for (const QString& question : f.confirmation.questions)
            seen << QStringLiteral("question ") + question;
        for (const QString& notice : f.notices.shown)
            seen << QStringLiteral("notice ") + notice;
        for (const QString& path : f.shell.opened)
            seen << QStringLiteral("opened ") + path.section(QLatin1Char('/'), -2);
        for (const QWidget* trends : f.window->findChildren<QWidget*>(QStringLiteral("TrendForm"))) {
            if (trends->isVisible())
                seen << QStringLiteral("window ") + trends->windowTitle();
        }
        const QStringList events = f.core->log.events();
        for (qsizetype i = logLines; i < events.size(); ++i)
            seen << QStringLiteral("logged ") + events[i].section(QStringLiteral(" - "), 1).trimmed();
        if (events.size() == logLines && f.core->log.statusLine().text() != status)
            seen << QStringLiteral("shown ") + f.core->log.statusLine().text().section(QStringLiteral(" - "), 1).trimmed();
        if (pageShown() != tab)
            seen << QStringLiteral("page %1").arg(pageShown());
        if (!f.modemPort().written().isEmpty())
            seen << QStringLiteral("wrote ") + QString::fromLatin1(f.modemPort().written().trimmed());
        return seen;
    }
};

void handlerRows()
{
    QTest::addColumn<QString>("control"); // "menu:PATH", "objects:PATH", "history:PATH", "view:PATH", or an objectName
    QTest::addColumn<QString>("prepare");
    QTest::addColumn<QStringList>("traces");
    auto row = [](const char* control, const char* prepare, const QStringList& traces) {
        QTest::newRow(control) << QString::fromUtf8(control) << QString::fromLatin1(prepare) << traces;
    };
    const QStringList add{QStringLiteral("window Добавление нового объекта")};
    const QStringList edit{QStringLiteral("window Изменение параметров объекта")};
    const QStringList remove{QStringLiteral("question Вы подтверждаете удаление \"Насосная\"")};
    const QStringList history{QStringLiteral("question Вы подтверждаете удаление истории.")};
    const QStringList poll{QStringLiteral("Query_Send_ButtonClick")};
    const QStringList topUp{QStringLiteral("N48Click")};
    const QStringList terminal{QStringLiteral("SpeedButton_Show_Send_Comand_FormClick")};
    const QStringList reset{QStringLiteral("logged Сброс состояния объекта Насосная")};
    const QStringList settings{QStringLiteral("modal Options")};
    const QStringList events{QStringLiteral("modal Form_Gur_Sob")};
    const QStringList alarms{QStringLiteral("opened AvariBook/2024_1.html")};
    const QStringList clear{QStringLiteral("question Вы дейсвительно желаете отчистить журнал событий")};
    row("menu:&Объект/Добавление о&бъекта", "", add);
    row("menu:&Объект/&Свойства обекта", "", edit);
    row("menu:&Объект/У&даление объекта", "", remove);
    row("menu:&Объект/&Опрос объекта", "", poll);
    row("menu:&Объект/Пополнение баланса объекта", "", topUp);
    row("menu:&Объект/Отправление команды объекту", "", {QStringLiteral("N49Click")});
    row("menu:&Объект/Пополнение баланса модема ЦДП", "", {QStringLiteral("SpeedButton5Click")});
    row("menu:&Объект/Показать форму объекта", "settings page", {QStringLiteral("page 0")});
    row("menu:&Объект/Показать установки объекта", "", {QStringLiteral("page 1")});
    row("menu:&Объект/Сброс &состояния", "", reset);
    row("menu:Инструмен&ты/Настрой&ка приложения", "", settings);
    row("menu:Инструмен&ты/Менеджер объектов", "", {QStringLiteral("notice Файлы программы менеджера объектов не найдены.")});
    row("menu:Информация/Журнал событий/Показать журнал событий", "", events);
    row("menu:Информация/Журнал событий/Предыдущее сообщение", "", {QStringLiteral("shown Первое")});
    row("menu:Информация/Журнал событий/Следующее сообщение", "previous event", {QStringLiteral("shown Второе")});
    row("menu:Информация/Журнал событий/Отчистить журнал событий", "", clear);
    row("menu:Информация/&Журнал аварий", "", alarms);
    row("menu:Информация/Журнал состояний", "", {QStringLiteral("opened SmsBook/2024_1.html")});
    row("menu:Информация/Удалить историю", "", history);
    row("menu:&Справка/Описание программы", "", {QStringLiteral("opened %1/program_help.doc")});
    row("menu:&Справка/О програ&мме", "", {QStringLiteral("modal FormAbout")});
    row("objects:Опросить объект", "", poll);
    row("objects:Удалить объект", "", remove);
    row("objects:Добавить объект", "", add);
    row("objects:Изменить объект", "", edit);
    row("objects:Установки объекта", "", topUp);
    row("objects:Передать команду", "", terminal);
    row("objects:Сбросить состояние", "", reset);
    row("objects:Тренды…", "", {QStringLiteral("window Тренды — Насосная")});
    row("history:Отчистить историю", "", history);
    row("history:Тренды…", "", {QStringLiteral("window Тренды — Насосная")});
    row("view:Сброс сообщения", "", reset);
    row("SpeedButton_Add_Object", "", add);
    row("SpeedButton_Destruction_Object", "", edit);
    row("SpeedButton_Options", "", settings);
    row("SpeedButton_Avari", "", alarms);
    row("SpeedButton_Events", "", events);
    row("SpeedButton_Arhive_DB", "", history);
    row("SpeedButton6", "", clear);
    row("SpeedButton1", "", {QStringLiteral("shown Первое")});
    row("SpeedButton2", "previous event", {QStringLiteral("shown Второе")});
    row("SpeedButton8", "", {QStringLiteral("logged Действие отменено"), QStringLiteral("wrote ATH")});
    row("Stop_Avari_Button", "", reset);
    row("Query_Send_Button", "", poll);
    row("SpeedButton_Show_Send_Comand_Form", "", terminal);
    row("lbl2", "", {QStringLiteral("lbl2Click")});
    row("SpeedButton5", "", {QStringLiteral("SpeedButton5Click")});
}

} // namespace

// Every menu item, context menu item, button and link of the main window reaches its handler,
// and only that one: each handler's trace, seen on the console's real parts or on the recorded
// GSM modem and links.
class MainWindowWiringTest : public QObject {
    Q_OBJECT
private slots:
    void controlsReachTheirHandlers_data() { handlerRows(); }
    void controlsReachTheirHandlers()
    {
        QFETCH(QString, control);
        QFETCH(QString, prepare);
        QFETCH(QStringList, traces);
        WiredWindow w(prepare);
        GeneralForm& window = *w.f.window;
        window.show();
        const QString menu = control.section(QLatin1Char(':'), 0, 0);
        const QString path = control.section(QLatin1Char(':'), 1);
        const QList<QAction*> actions = menu == QLatin1String("menu")      ? window.menuBar()->actions()
                                        : menu == QLatin1String("objects") ? window.objectTreeMenu()->actions()
                                        : menu == QLatin1String("history") ? window.historyTreeMenu()->actions()
                                        : menu == QLatin1String("view")    ? window.objectViewMenu()->actions()
                                                                           : QList<QAction*>();
        if (control.contains(QLatin1Char(':'))) {
            QAction* action = test::FindAction(actions, path);
            QVERIFY2(action, qPrintable(path));
            action->trigger();
        } else if (auto* button = window.findChild<QAbstractButton*>(control)) {
            button->click();
        } else {
            auto* link = window.findChild<QLabel*>(control);
            QVERIFY2(link, qPrintable(control));
            QTest::mouseClick(link, Qt::LeftButton);
        }
        for (QString& trace : traces) {
            if (trace.contains(QLatin1String("%1")))
                trace = trace.arg(QDir(w.f.home).dirName());
        }
        QCOMPARE(w.traces(), traces);
    }

    // The modem and supervision timers tick into their subsystems; the command buttons of the
    // object form send through the links.
    void timersAndFormCommandsReachTheirSubsystems()
    {
        WiredWindow w((QString()));
        w.closer.stop();
        for (MainTimer timer : {MainTimer::QueryTimer, MainTimer::ATTimer, MainTimer::Timer2}) {
            QTimer& ticking = w.f.core->timers.qtimer(timer);
            ticking.setSingleShot(true);
            ticking.start(0);
            QTRY_VERIFY(!ticking.isActive());
        }
        ObjectForm* form = w.f.core->currentObject.form();
        w.f.core->currentObject.wiring()->click(*form->control(QStringLiteral("ButtonStart")));
        w.f.core->currentObject.showPage(1);
        w.f.core->currentObject.wiring()->click(*form->control(QStringLiteral("ButtonWrite")));
        QCOMPARE(w.f.recording.calls,
                 (QStringList{QStringLiteral("QueryTimerTimer"), QStringLiteral("ATTimerTimer"),
                              QStringLiteral("Timer2Timer"), QStringLiteral("Send_Pusk_ButtonClick ButtonStart"),
                              QStringLiteral("SpeedButton3Click ButtonWrite")}));
    }
};

KVT_TEST(MainWindowWiringTest)
#include "MainWindowWiringTest.moc"
