#include "support/VirtualClock.h"
#include "common/ErrorHandler.h"
#include "common/Win1251.h"
#include "packets/StateSummaries.h"
#include "packets/closing/AlarmMarking.h"
#include "packets/closing/SmsTexts.h"
#include "packets/closing/StatePacketClosing.h"
#include "support/RecordingNotificationModem.h"
#include "support/RecordingSinks.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

// The closing steps of a fully processed packet: the monthly books, forwarding to the higher
// dispatch point, the alarm mark and the subscribers' notifications, also when steps fail.
using namespace kvt;
using namespace kvt::test;

namespace {

const QString kSelected = QStringLiteral("Насосная №1");
const QString kDispatchPoint = QStringLiteral("79990000000");
const QStringList kSubscribers{"79160000001", "79160000002", "79160000003"};

class RecordingMarking : public AlarmMarking {
public:
    int selectedIcon = -1;
    int historyRootIcon = -1;
    QString selectedText() const override { return kSelected; }
    void setSelectedIcon(int icon) override { selectedIcon = icon; }
    void setHistoryRootIcon(int icon) override { historyRootIcon = icon; }
};

StatePacketResult Packet(bool alarm, const QString& alarmTitle = QStringLiteral("Сухой ход"))
{
    StatePacketResult packet;
    packet.objectName = kSelected;
    packet.phone = QStringLiteral("79161234501");
    packet.stamp = QStringLiteral("01.07.24  10:05");
    packet.summaries.addState(u"Давление", u"4,2");
    packet.summaries.addSetting(u"Уставка", u"40");
    packet.summaries.addForward(u"Давление", u"4,2");
    packet.summaries.setGkText(QStringLiteral("GK-zakr"));
    if (alarm) {
        packet.summaries.raiseAlarm();
        if (!alarmTitle.isEmpty()) {
            packet.summaries.addAlarm(alarmTitle);
            packet.summaries.addForwardAlarm(alarmTitle);
        }
    }
    return packet;
}

// A program directory with both book folders, the closing steps with recording parts, and the
// global error handler's reports.
class ClosingBench {
public:
    ClosingBench()
    {
        QDir(home()).mkdir("SmsBook");
        QDir(home()).mkdir("AvariBook");
        modem.log = &log;
        settings.forwardActive = true;
        settings.forwardPhone = kDispatchPoint;
        settings.alarmsActive = true;
        settings.alarmMethod = AlarmNotificationMethod::Sms;
        settings.subscribers = kSubscribers;
        previousSink_ = GlobalErrorHandler::install([this](const QString& text) { errors << text; });
    }
    ~ClosingBench() { GlobalErrorHandler::install(std::move(previousSink_)); }

    QString home() const { return dir.path() + QLatin1Char('/'); }
    QString july(const QString& folder) const { return home() + folder + QStringLiteral("/2024_7.html"); }
    static QByteArray read(const QString& path)
    {
        if (!QFileInfo(path).isFile())  // a folder, or a device such as /dev/full
            return {};
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void run(const StatePacketResult& packet) { closing.Run(packet, settings); }
    bool alarmMarked() const
    {
        return marking.selectedIcon == 4 && marking.historyRootIcon == 4 && timers.isActive(MainTimer::Timer_Avari_Snd)
            && log.titles().contains(QStringLiteral("Получены аварийные данные от объекта "));
    }

    QTemporaryDir dir;
    VirtualClock clock{QDateTime(QDate(2024, 7, 31), QTime(23, 50))};
    RecordingEventSink log;
    FakeMainTimers timers;
    RecordingMarking marking;
    RecordingNotificationModem modem;
    NotificationSettings settings;
    QStringList errors;
    StatePacketClosing closing{home(), clock, log, timers, marking, modem};

private:
    GlobalErrorHandler::Sink previousSink_;
};

// The text of the record's first cell: object, phone and stamp.
QByteArray FirstCell(const QByteArray& book)
{
    const qsizetype from = book.indexOf("colspan=\"2\">") + 12;
    return book.mid(from, book.indexOf("</td>", from) - from);
}

} // namespace

class StatePacketClosingTest : public QObject {
    Q_OBJECT
private slots:
    void recordLineIsByteExact_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("cellLead");
        QTest::newRow("state archive") << "SmsBook" << QByteArray();
        QTest::newRow("alarm book") << "AvariBook" << QByteArray("&nbsp;");
    }
    void recordLineIsByteExact()
    {
        QFETCH(QString, folder);
        QFETCH(QByteArray, cellLead);
        ClosingBench bench;
        bench.run(Packet(true));
        const QByteArray expected =
            QByteArray("<table cellpadding=\"0px\" cellspacing=\"0px\"><tr><td class=\"tdT\" colspan=\"2\">"
                       "\xCF\xEE\xEB\xF3\xF7\xE5\xED\xE0 \xEE\xF2 \xCD\xE0\xF1\xEE\xF1\xED\xE0\xFF \xB9" "1"
                       " (79161234501) 01.07.24  10:05&nbsp;</td></tr><tr><td class=\"tdN\">"
                       "\xD1\xEE\xF1\xF2\xEE\xFF\xED\xE8\xE5 \xF1\xE8\xF1\xF2\xE5\xEC\xFB</td><td class=\"tdO\">")
            + cellLead + "\xC4\xE0\xE2\xEB\xE5\xED\xE8\xE5 - 4,2; "
            + "&nbsp;</td></tr><tr><td class=\"tdN\">\xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE8 \xEE\xE1\xFA\xE5\xEA\xF2\xE0"
              "</td><td class=\"tdO\">"
            + cellLead + "\xD3\xF1\xF2\xE0\xE2\xEA\xE0 - 40; "
            + "&nbsp;</td></tr><tr><td class=\"tdN\">\xC0\xE2\xE0\xF0\xE8\xE8</td><td class=\"tdO\">"
            + cellLead + "\xD1\xF3\xF5\xEE\xE9 \xF5\xEE\xE4; "
            + "&nbsp;</td></tr></table><p>\r\n";
        const QByteArray book = ClosingBench::read(bench.july(folder));
        QCOMPARE(book.mid(book.indexOf("<table")), expected);
    }

    void firstPacketOfMonthStartsBook_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("title");
        QTest::newRow("state archive") << "SmsBook" << "<title>Телвикс. Архив состояний.</title>";
        QTest::newRow("alarm book") << "AvariBook" << "<title>Телвикс. Журнал аварий.</title>";
    }
    void firstPacketOfMonthStartsBook()
    {
        QFETCH(QString, folder);
        QFETCH(QString, title);
        ClosingBench bench;
        bench.run(Packet(true));
        const QByteArray first = ClosingBench::read(bench.july(folder));
        bench.run(Packet(true));
        const QByteArray second = ClosingBench::read(bench.july(folder));
        bench.clock.advance(20 * 60 * 1000);  // midnight: August
        bench.run(Packet(true));
        const QByteArray august = ClosingBench::read(bench.dir.filePath(folder + "/2024_8.html"));

        const qsizetype headEnd = first.indexOf("<table");
        const QByteArray head = first.left(headEnd);
        const QByteArray record = first.mid(headEnd);
        QVERIFY(head.startsWith("<html><head><meta http-equiv=\"Content-Type\""));
        QVERIFY(head.contains(ToWin1251(title)));
        QVERIFY(head.endsWith("</style></head><body>"));
        QCOMPARE(record.count("\r\n"), 1);
        QCOMPARE(second, first + record);  // the second packet appends exactly one line
        QCOMPARE(august, first);           // a new month starts a new book with its head
        QVERIFY(!second.contains("</body>") && !second.contains("</html>"));
    }

    void alarmDecidesBooks_data()
    {
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<QString>("alarmTitle");
        QTest::addColumn<QByteArray>("stateArchiveAlarmRow");
        QTest::newRow("no alarm") << false << "" << QByteArray("<td class=\"tdO\">&nbsp;</td></tr></table><p>\r\n");
        QTest::newRow("alarm") << true << "Сухой ход" << ToWin1251(u"<td class=\"tdO\">Сухой ход; &nbsp;</td></tr></table><p>\r\n");
        QTest::newRow("alarm without a title") << true << "" << QByteArray("<td class=\"tdO\">&nbsp;</td></tr></table><p>\r\n");
    }
    void alarmDecidesBooks()
    {
        QFETCH(bool, alarm);
        QFETCH(QString, alarmTitle);
        QFETCH(QByteArray, stateArchiveAlarmRow);
        ClosingBench bench;
        bench.run(Packet(alarm, alarmTitle));
        const QByteArray states = ClosingBench::read(bench.july("SmsBook"));
        const QByteArray alarms = ClosingBench::read(bench.july("AvariBook"));
        QVERIFY(states.endsWith(stateArchiveAlarmRow));
        QCOMPARE(QFile::exists(bench.july("AvariBook")), alarm);
        QCOMPARE(bench.alarmMarked(), alarm);
        if (alarm) {
            QCOMPARE(FirstCell(alarms), FirstCell(states));
            QVERIFY(alarms.endsWith("&nbsp;" + stateArchiveAlarmRow.mid(16)));
        }
        QVERIFY(bench.errors.isEmpty());
    }

    void textsFromObjectsAreEscaped_data()
    {
        QTest::addColumn<int>("field");  // 0 name, 1 phone, 2 stamp, 3 state, 4 settings, 5 alarm summary
        for (int field = 0; field < 6; ++field)
            QTest::addRow("field %d", field) << field;
    }
    void textsFromObjectsAreEscaped()
    {
        QFETCH(int, field);
        const QString hostile = QStringLiteral("<script>alert(\"a&b\")</script>");
        StatePacketResult packet = Packet(true);
        StateSummaries summaries;
        summaries.raiseAlarm();
        switch (field) {
        case 0: packet.objectName = hostile; break;
        case 1: packet.phone = hostile; break;
        case 2: packet.stamp = hostile; break;
        case 3: summaries.addState(hostile, u"1"); break;
        case 4: summaries.addSetting(hostile, u"1"); break;
        case 5: summaries.addAlarm(hostile); break;
        }
        if (field >= 3)
            packet.summaries = summaries;
        ClosingBench bench;
        bench.run(packet);
        for (const QString folder : {"SmsBook", "AvariBook"}) {
            const QByteArray book = ClosingBench::read(bench.july(folder));
            QVERIFY(book.contains("&lt;script&gt;alert(&quot;a&amp;b&quot;)&lt;/script&gt;"));
            QVERIFY(!book.contains("<script") && !book.contains("\"a&b"));
        }
    }

    void smsTexts_data()
    {
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("alarmTitle");
        QTest::addColumn<QString>("forwarded");
        QTest::addColumn<QString>("report");
        QTest::newRow("eleven digits") << "79161234501" << "Сухой ход"
                                       << "9161234501GK-zakr; Davlenie-4,2; |Suhoi hod;" << "Nasosnaia №1: Suhoi hod; ";
        QTest::newRow("twelve digits") << "791612345012" << "" << "9161234501GK-zakr; Davlenie-4,2; |" << "Nasosnaia №1: ";
        QTest::newRow("no phone") << "" << "" << "GK-zakr; Davlenie-4,2; |" << "Nasosnaia №1: ";
    }
    void smsTexts()
    {
        QFETCH(QString, phone);
        QFETCH(QString, alarmTitle);
        StatePacketResult packet = Packet(true, alarmTitle);
        packet.phone = phone;
        QTEST(SmsReadyText(ForwardText(packet)), "forwarded");
        QTEST(SmsReadyText(AlarmSmsText(packet)), "report");
        QCOMPARE(SmsReadyText(QString(100, QChar(u'Щ'))), QString("SH'").repeated(100).left(255));
    }

    void forwarding_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("refusals");
        QTest::addColumn<QStringList>("operations");
        QTest::addColumn<QStringList>("titles");
        const QString octet = "octet " + kDispatchPoint;
        const QString start = "Отправка данных в ЦДП ";
        const QString failed = "Отправка данных в ЦДП не удалась";
        QTest::newRow("off") << false << 0 << QStringList() << QStringList();
        QTest::newRow("accepted") << true << 0 << QStringList{octet} << QStringList{start, "Данные переданы в ДП"};
        QTest::newRow("refused once") << true << 1 << QStringList{octet, "reset", octet}
                                      << QStringList{start, failed, start, "Данные переданы в ДП"};
        QTest::newRow("refused always") << true << 99 << QStringList{octet, "reset", octet, "reset", octet, "reset"}
                                        << QStringList{start, failed, start, failed, start, failed};
    }
    void forwarding()
    {
        QFETCH(bool, active);
        QFETCH(int, refusals);
        ClosingBench bench;
        bench.settings.forwardActive = active;
        bench.modem.refusals[kDispatchPoint] = refusals;
        bench.run(Packet(false));
        QTEST(bench.modem.kinds(), "operations");
        QTEST(bench.log.titles(), "titles");
        if (active)
            QCOMPARE(bench.modem.operations.first().text, QStringLiteral("9161234501GK-zakr; Davlenie-4,2; |"));
    }

    void subscriberReports_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("operations");
        QTest::addColumn<QStringList>("titles");
        const QString start = "Отправка аварийного SMS-отчета на номер";
        const QString sent = "Отправлен отчет по GSM каналу об аварии на номер";
        const QString failed = "Отправка отчета не удалась";
        QTest::newRow("count 2, second refusing")
            << true << 2
            << QStringList{"text 79160000001", "text 79160000002", "reset", "text 79160000002", "reset", "text 79160000003"}
            << QStringList{start, sent, start, failed, start, failed, start, sent};
        QTest::newRow("count 0") << true << 0 << QStringList() << QStringList();
        QTest::newRow("notifications off") << false << 2 << QStringList() << QStringList();
    }
    void subscriberReports()
    {
        QFETCH(bool, active);
        QFETCH(int, count);
        ClosingBench bench;
        bench.settings.forwardActive = false;
        bench.settings.alarmsActive = active;
        bench.settings.alarmSmsAttempts = count;
        bench.modem.refusals[kSubscribers[1]] = 99;
        bench.run(Packet(true));
        QTEST(bench.modem.kinds(), "operations");
        QTEST(bench.log.titles().mid(1), "titles");  // after the alarm line
        for (const auto& op : bench.modem.operations)
            QVERIFY(op.kind != "text" || op.text == QStringLiteral("Nasosnaia №1: Suhoi hod; "));
    }

    void subscriberCallsOneAfterAnother()
    {
        ClosingBench bench;
        bench.settings.forwardActive = false;
        bench.settings.alarmMethod = AlarmNotificationMethod::Call;
        bench.modem.callOutcomes[kSubscribers[1]] = SubscriberCallOutcome::Busy;
        bench.modem.callOutcomes[kSubscribers[2]] = SubscriberCallOutcome::NotAnswered;
        bench.run(Packet(true));

        const QString start = "Отправка аварийного уведомления в виде звонка на номер";
        QCOMPARE(bench.modem.kinds(), QStringList({"call 79160000001", "call 79160000002", "call 79160000003"}));
        QCOMPARE(bench.log.titles().mid(1), QStringList({start, PacketMessaging::kCallAnsweredTitle, start,
                                                    PacketMessaging::kCallNotAnsweredTitle, start,
                                                    PacketMessaging::kCallNotAnsweredTitle}));
        const QList<EventColour> outcomes{bench.log.lines[2].colour, bench.log.lines[4].colour, bench.log.lines[6].colour};
        QCOMPARE(outcomes, QList<EventColour>({EventColour::Yellow, EventColour::Red, EventColour::Red}));
        // Each number is logged, then called, and its outcome logged before the next is dialled.
        for (int i = 0; i < kSubscribers.size(); ++i) {
            QCOMPARE(bench.log.lines[2 * i + 1].text, kSubscribers[i]);
            QCOMPARE(bench.modem.operations[i].logLinesBefore, 2 * i + 2);
        }
    }

    void failingStepDoesNotStopTheOthers_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reported");     // what the one report names
        QTest::addColumn<bool>("stateRecord");     // the state archive still got its record
        QTest::addColumn<bool>("alarmRecord");
        QTest::newRow("SmsBook deleted") << "delete SmsBook" << "" << true << true;
        QTest::newRow("SmsBook cannot be made") << "file SmsBook" << "/SmsBook" << false << true;
        QTest::newRow("archive file unwritable") << "folder SmsBook/2024_7.html" << "/SmsBook/2024_7.html" << false << true;
        QTest::newRow("disk full") << "full SmsBook/2024_7.html" << "No space left on device" << false << true;
        QTest::newRow("AvariBook cannot be made") << "file AvariBook" << "/AvariBook" << true << false;
        QTest::newRow("event log locked") << "log" << "report.log is locked" << true << true;
    }
    void failingStepDoesNotStopTheOthers()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reported);
        QFETCH(bool, stateRecord);
        QFETCH(bool, alarmRecord);
        ClosingBench bench;
        const QString target = fault.section(' ', 1);
        QDir home(bench.home());
        if (fault.startsWith("delete") || fault.startsWith("file"))
            QVERIFY(home.rmdir(target));
        if (fault.startsWith("file"))
            QVERIFY(QFile(bench.dir.filePath(target)).open(QIODevice::WriteOnly));
        if (fault.startsWith("folder"))
            QVERIFY(home.mkdir(target));
        if (fault.startsWith("full"))
            QVERIFY(QFile::link("/dev/full", bench.dir.filePath(target)));
        bench.log.failWrites = fault == "log";

        bench.run(Packet(true));
        QCOMPARE(bench.errors.size(), reported.isEmpty() ? 0 : 1);
        if (!reported.isEmpty())
            QVERIFY2(bench.errors.first().contains(reported), qPrintable(bench.errors.first()));
        QCOMPARE(ClosingBench::read(bench.july("SmsBook")).contains("<table"), stateRecord);
        QCOMPARE(ClosingBench::read(bench.july("AvariBook")).contains("<table"), alarmRecord);
        QVERIFY(bench.marking.selectedIcon == 4 && bench.timers.isActive(MainTimer::Timer_Avari_Snd));
        QCOMPARE(bench.modem.kinds(), QStringList({"octet " + kDispatchPoint, "text 79160000001", "text 79160000002",
                                                   "text 79160000003"}));
    }

    void modemPortGoneStillMarksAndTriesEverySubscriber()
    {
        ClosingBench bench;
        bench.modem.portClosed = true;
        bench.run(Packet(true));
        QVERIFY(bench.alarmMarked());
        QVERIFY(ClosingBench::read(bench.july("AvariBook")).contains("<table"));
        QCOMPARE(bench.errors.size(), 1 + kSubscribers.size());  // the forwarding and each subscriber
    }

    void failedWriteLeavesNoHalfLine()
    {
        ClosingBench bench;
        bench.settings.forwardActive = false;
        bench.run(Packet(false));
        const QByteArray before = ClosingBench::read(bench.july("SmsBook"));

        // The system takes only part of the next line: the file may grow by 40 bytes at most.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = rlim_t(before.size() + 40);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        bench.run(Packet(false));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(bench.errors.size(), 1);
        QVERIFY2(bench.errors.first().contains("File too large"), qPrintable(bench.errors.first()));
        QCOMPARE(ClosingBench::read(bench.july("SmsBook")), before);
    }
};

KVT_TEST(StatePacketClosingTest)
#include "StatePacketClosingTest.moc"
