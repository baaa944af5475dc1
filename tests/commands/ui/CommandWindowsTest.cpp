#include "commands/ui/PopolnenSchetaForm.h"
#include "commands/ui/SendComandForm.h"
#include "common/SupervisionPause.h"
#include "gsm/TerminalAnswerList.h"
#include "support/RecordingCommandHost.h"
#include "support/TestRegistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace kvt;
using namespace kvt::test;

class CommandWindowsTest : public QObject {
    Q_OBJECT
private slots:
    // Term_list shows the terminal answers, those there before the window and those that come
    // while it is open, the modem's line breaks as lines; "Очистить терминал" empties the list
    // with it.
    void terminalFollowsTheAnswers()
    {
        RecordingSenders senders;
        gsm::TerminalAnswerList answers;
        SupervisionPause pause;
        answers.append(u"(НС-3  01.03.24  10:05)+CSQ: 17,0"_qs);
        SendComandForm window(senders, answers, pause);
        answers.append(u"(НС-3  01.03.24  10:06)TERMINAL:\r+CSQ: 17,0\r\n\r\nOK\r\n"_qs);
        QCOMPARE(window.terminal()->toPlainText(),
                 u"(НС-3  01.03.24  10:05)+CSQ: 17,0\n(НС-3  01.03.24  10:06)TERMINAL:\n+CSQ: 17,0\n\nOK"_qs);
        QTest::mouseClick(window.findChild<QPushButton*>(u"SpeedButton2"_qs), Qt::LeftButton);
        QCOMPARE(answers.rowCount(), 0);
        QCOMPARE(window.terminal()->toPlainText(), QString());
        answers.append(u"(НС-3  01.03.24  10:07)ERROR"_qs);
        QCOMPARE(window.terminal()->toPlainText(), u"(НС-3  01.03.24  10:07)ERROR"_qs);
    }

    // The two sending buttons send what is typed on their page.
    void buttonsSendTheirFields()
    {
        RecordingSenders senders;
        gsm::TerminalAnswerList answers;
        SupervisionPause pause;
        SendComandForm window(senders, answers, pause);
        window.findChild<QLineEdit*>(u"Edit1"_qs)->setText(u"*100*1234#"_qs);
        window.findChild<QLineEdit*>(u"Edit2"_qs)->setText(u"AT+CSQ"_qs);
        QTest::mouseClick(window.findChild<QPushButton*>(u"SpeedButton4"_qs), Qt::LeftButton);
        QTest::mouseClick(window.findChild<QPushButton*>(u"SpeedButton1"_qs), Qt::LeftButton);
        QCOMPARE(senders.sent, (QStringList{u"top-up *100*1234#"_qs, u"command AT+CSQ"_qs}));
        window.setPage(commands::CommandWindow::kCommandPage);
        QCOMPARE(window.pages()->currentWidget()->objectName(), u"TabSheet2"_qs);
    }

    // Link supervision pauses from the window's show to its close.
    void supervisionPausesWhileOpen()
    {
        RecordingSenders senders;
        gsm::TerminalAnswerList answers;
        SupervisionPause pause;
        SendComandForm window(senders, answers, pause);
        bool pausedWhileShown = false;
        QTimer::singleShot(0, &window, [&] {
            pausedWhileShown = pause.isSet() && window.isShown();
            window.close();
        });
        window.showModal();
        QVERIFY(pausedWhileShown);
        QVERIFY(!pause.isSet());
    }

    // The top-up window sends the code typed and shows the progress on Label2.
    void dispatchTopUpWindow()
    {
        RecordingSenders senders;
        senders.progress = QStringList{u"Пожалуйста подождите"_qs, u"Пожалуйста подождите."_qs};
        PopolnenSchetaForm window(senders);
        QCOMPARE(window.progress()->text(), QString(48, QLatin1Char('.')));
        window.clearProgress();
        QCOMPARE(window.progress()->text(), QString());
        window.findChild<QLineEdit*>(u"Edit1"_qs)->setText(u"*100*1234#"_qs);
        auto* send = window.findChild<QToolButton*>(u"SpeedButton4"_qs);
        QTest::mouseClick(send, Qt::LeftButton);
        QCOMPARE(senders.sent, QStringList{u"dispatch top-up *100*1234#"_qs});
        QCOMPARE(window.progress()->text(), u"Пожалуйста подождите."_qs);
        QVERIFY(send->isEnabled());
    }
};

KVT_TEST(CommandWindowsTest)
#include "CommandWindowsTest.moc"
