#include "CommandsRig.h"
#include "common/Win1251.h"
#include "gsm/ModemInterface.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;
using Start = FakeMainTimers::Start;

namespace {

const QByteArray kUssdAnswer = "\r\n+CUSD: 0,\"Balance: 123.45r. Tariff X\",15\r\n";

// The timers start again in the order ATTimer, Timer2, QueryTimer, 300 ms apart, from `at`.
QList<Start> UssdRestart(qint64 at)
{
    return {{MainTimer::ATTimer, at}, {MainTimer::Timer2, at + 300}, {MainTimer::QueryTimer, at + 600}};
}

} // namespace

class UssdDialoguesTest : public QObject {
    Q_OBJECT
private slots:
    void balanceInAnswer_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("balance"); // "-": not taken
        QTest::newRow("seven characters after the mask") << "+CUSD: 0,\"Balance: 123.45r.\"" << "ance:" << 10 << " 123.45";
        QTest::newRow("up to the end of the answer") << "xxxxxxxxxxxxxxxxxxxxBalance: 12" << "ance:" << 10 << " 12";
        QTest::newRow("20 characters are too few") << "Balance: 123.45r.xxx" << "ance:" << 10 << "-";
        QTest::newRow("21 characters count") << "Balance: 123.45r.xxxx" << "ance:" << 10 << " 123.45";
        QTest::newRow("no mask") << "+CUSD: 0,\"Остаток 123.45r.\",15" << "ance:" << 10 << "-";
        QTest::newRow("mask of L + 2 characters") << "+CUSD: 0,\"Balance: 123.45r.\"" << "Balance: 12" << 9 << "";
        QTest::newRow("empty mask never matches") << "+CUSD: 0,\"Balance: 123.45r.\"" << "" << 10 << "-";
    }
    void balanceInAnswer()
    {
        QFETCH(QString, answer);
        QFETCH(QString, mask);
        QFETCH(int, length);
        QFETCH(QString, balance);
        const std::optional<QString> found = commands::BalanceInAnswer(answer, {u"#100#"_qs, mask, length});
        QCOMPARE(found.value_or(u"-"_qs), balance);
    }

    void checkBalance_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces"); // arriving 100 ms apart from 1050 ms after the request
        QTest::addColumn<QString>("balance");           // "" : not found
        QTest::addColumn<int>("rounds");
        QTest::newRow("whole answer") << QList<QByteArray>{kUssdAnswer} << " 123.45" << 11;
        QTest::newRow("answer in two reads") << QList<QByteArray>{kUssdAnswer.left(20), kUssdAnswer.mid(20)} << " 123.45"
                                             << 12;
        // The mask comes in a short line, the rest in the next read: the collected text counts.
        QTest::newRow("mask and balance in two reads") << QList<QByteArray>{"\r\nBalance:\r\n", "123.45r.\r\n"}
                                                       << "\r\n123.4" << 12;
        QTest::newRow("ERROR") << QList<QByteArray>{"\r\nERROR\r\n"} << "" << 11;
        QTest::newRow("short answer with the mask, then nothing") << QList<QByteArray>{"\r\nance:1\r\n"} << "" << 200;
        QTest::newRow("no answer") << QList<QByteArray>{} << "" << 200;
    }
    // The USSD dialogue: the request with the timers stopped, then reads every 100 ms of what came
    // since; a balance ends the USSD session, an ERROR or 200 silent rounds a red line, and the
    // timers start again ATTimer, Timer2, QueryTimer.
    void checkBalance()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QString, balance);
        QFETCH(int, rounds);
        CommandsRig rig;
        CommandsRig::open(rig.modemPort);
        rig.modemPort.respond("ATD#100#;", "\r\nOK\r\n");
        for (int i = 0; i < pieces.size(); ++i)
            rig.modemPort.feedAfter(1050 + 100 * i, pieces[i]);
        commands::BalanceCheck check(rig.exchange, rig.log, rig.controller.balance());
        const bool found = check.CheckBalance({u"#100#"_qs, u"ance:"_qs, 10});

        QCOMPARE(found, !balance.isEmpty());
        QCOMPARE(rig.controller.balance().text(), found ? balance : u"?"_qs);
        QCOMPARE(rig.controller.balance().checked(), found);
        QStringList commands{u"ATD#100#;\r\n"_qs};
        if (found)
            commands << u"AT+CMEC=2\r\n"_qs << u"AT+CKPD=E\r\n"_qs;
        QCOMPARE(rig.modemCommands(), commands);
        const qint64 pauses = found ? 3 * 200 : 200;
        QCOMPARE(rig.timers.starts, UssdRestart(qint64(rounds) * 100 + pauses));
        QCOMPARE(rig.log.entries(),
                 (QStringList{u"Проверка баланса GSM модема||32768"_qs,
                              found ? u"Баланс ДП успешно проверен| - "_qs + balance + u"|65535"_qs
                                    : u"Баланс GSM модема не был проверен||255"_qs}));
    }

    void dispatchTopUp_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces"); // UTF-8, one per second from 1.5 s on
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("rounds");
        const QByteArray first = "\r\n+CUSD: 0,\"Счет пополнен\"\r\n";
        const QByteArray second = "\r\n+CUSD: 0,\"на 100 р. Баланс 150 р.\",15\r\n";
        QTest::newRow("long answer ends the wait") << QList<QByteArray>{first + second} << QString(first + second) << 2;
        QTest::newRow("answer in two reads") << QList<QByteArray>{first, second} << QString(first + second) << 3;
        QTest::newRow("short answer kept to the end") << QList<QByteArray>{first} << QString(first) << 40;
        QTest::newRow("no answer") << QList<QByteArray>{}
                                   << "Ответ оператора сотовой связи на совершенное вами действие, не был получен." << 40;
    }
    // The top-up: the card code dialled, up to 40 reads a second apart until more than 40
    // characters came; everything read is shown; the progress label counts dots.
    void dispatchTopUp()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QString, shown);
        QFETCH(int, rounds);
        CommandsRig rig;
        CommandsRig::open(rig.modemPort);
        for (int i = 0; i < pieces.size(); ++i)
            rig.modemPort.feedAfter(1500 + 1000 * i, ToWin1251(QString::fromUtf8(pieces[i])));
        QStringList progress;
        rig.controller.dispatchTopUp().send(u"*100*1234#"_qs, [&](const QString& text) { progress << text; });

        QCOMPARE(rig.modemCommands(), QStringList{u"ATD*100*1234#;\r\n"_qs});
        QCOMPARE(rig.notices.shown, QStringList{shown});
        QCOMPARE(rig.timers.starts, UssdRestart(qint64(rounds) * 1000));
        QCOMPARE(rig.log.lines.first().title, u"Пополнение баланса GSM модема ЦДП"_qs);
        QCOMPARE(rig.log.lines.last().colour, pieces.isEmpty() ? EventColour::Red : EventColour::Yellow);
        QCOMPARE(progress.size(), rounds + 2);
        QCOMPARE(progress.first(), u"Пожалуйста подождите"_qs);
        QCOMPARE(progress.value(1), u"Пожалуйста подождите."_qs);
        QCOMPARE(progress.last(), QString());
        if (rounds == 40) {
            // 20 + 6 dots is longer than 25: the label starts again.
            QCOMPARE(progress.value(6), u"Пожалуйста подождите......"_qs);
            QCOMPARE(progress.value(7), u"Подождите пожалуйста."_qs);
        }
    }
};

KVT_TEST(UssdDialoguesTest)
#include "UssdDialoguesTest.moc"
