#include "common/ErrorHandler.h"
#include "common/IniFile.h"
#include "common/Win1251.h"
#include "settings/AlertSounds.h"
#include "settings/LinkConnections.h"
#include "settings/MainWindowAccess.h"
#include "settings/ui/OptionsForm.h"
#include "settings/SerialChoices.h"
#include "settings/SettingsFile.h"
#include "support/Files.h"
#include "support/FixedSerialChoices.h"
#include "support/RecordingSinks.h"
#include "support/ScriptedAnswers.h"
#include "support/TestRegistry.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kvt;

namespace {
// Records what the settings do to the main window, in order.
class RecordingMainWindow : public MainWindowAccess {
public:
    QStringList calls;
    WindowGeometry geometry{33, 44, 655, 1010, 190};
    WindowGeometry windowGeometry() const override { return geometry; }
    void setWindowGeometry(const WindowGeometry& g) override
    {
        geometry = g;
        calls << QStringLiteral("geometry %1 %2 %3 %4 %5").arg(g.left).arg(g.top).arg(g.height).arg(g.width).arg(g.objPanelWidth);
    }
    void applyHistoryHeightRule() override { calls << QStringLiteral("history height"); }
    void applyGsmCommandsPanel(bool on) override { calls << QStringLiteral("GSMCommands %1").arg(on); }
    void applyGenPanel(bool on) override { calls << QStringLiteral("GenPanel %1").arg(on); }
    void applySvyazInfoPanel(bool on) override { calls << QStringLiteral("SvyazInfo %1").arg(on); }
    void applyHistoryPanel(bool on) override { calls << QStringLiteral("History %1").arg(on); }
};

class RecordingConnector : public LinkConnector {
public:
    RecordingConnector(QString name, QStringList& log) : name_(std::move(name)), log_(log) {}
    bool succeeds = true;
    bool connectLink() override
    {
        log_ << QStringLiteral("connect ") + name_;
        return succeeds;
    }
    void disconnectLink() override { log_ << QStringLiteral("disconnect ") + name_; }

private:
    QString name_;
    QStringList& log_;
};

} // namespace

class OptionsFormTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<LinkConnections> connections_;
    std::unique_ptr<test::RecordingPlayer> player_;
    std::unique_ptr<AlertSounds> sounds_;
    std::unique_ptr<test::RecordingNotices> notices_;
    std::unique_ptr<test::ScriptedTextQuestion> questions_;
    std::unique_ptr<RecordingMainWindow> main_;
    std::unique_ptr<test::FixedSerialChoices> choices_;
    std::unique_ptr<OptionsForm> form_;
    QStringList linkLog_;
    std::vector<std::unique_ptr<RecordingConnector>> connectors_;

    QString home() const { return dir_->path() + QLatin1Char('/'); }
    QString iniPath() const { return SettingsFilePath(home()); }

    template <typename W>
    W* child(const char* name)
    {
        W* w = form_->findChild<W*>(QString::fromLatin1(name));
        if (!w)
            qWarning("no control %s", name);
        return w;
    }

    void makeForm()
    {
        form_ = std::make_unique<OptionsForm>(
            home(), OptionsForm::Services{settings_.get(), connections_.get(), sounds_.get(), main_.get(),
                                          notices_.get(), questions_.get(), choices_.get()});
        const QList<std::pair<Link, QString>> links{
            {Link::Gsm, QStringLiteral("gsm")}, {Link::Radio, QStringLiteral("radio")}, {Link::Rs485, QStringLiteral("rs485")}};
        for (const auto& [link, name] : links) {
            connectors_.push_back(std::make_unique<RecordingConnector>(name, linkLog_));
            form_->setLinkConnector(link, connectors_.back().get());
        }
    }

    QStringList fileSubscribers()
    {
        const IniFile ini(iniPath());
        QStringList keys = ini.keys(QStringLiteral("GSM_Alarms"));
        return keys.filter(QStringLiteral("Phone"));
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        settings_ = std::make_unique<Settings>();
        connections_ = std::make_unique<LinkConnections>();
        player_ = std::make_unique<test::RecordingPlayer>();
        sounds_ = std::make_unique<AlertSounds>(*settings_, player_.get());
        notices_ = std::make_unique<test::RecordingNotices>();
        questions_ = std::make_unique<test::ScriptedTextQuestion>();
        main_ = std::make_unique<RecordingMainWindow>();
        choices_ = std::make_unique<test::FixedSerialChoices>();
        linkLog_.clear();
        makeForm();
    }
    void cleanup()
    {
        form_.reset();
        connectors_.clear();
    }

    void windowShape()
    {
        QCOMPARE(form_->windowTitle(), QStringLiteral("Настройки"));
        QCOMPARE(form_->size(), QSize(270, 406));
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        QVERIFY(form_->isModal());
        QVERIFY(form_->windowFlags().testFlag(Qt::Tool));
        auto* tabs = child<QTabWidget>("PageControl1");
        QVERIFY(tabs);
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i)
            titles << tabs->tabText(i);
        QCOMPARE(titles, (QStringList{QStringLiteral("GSM"), QStringLiteral("Радиоканал"), QStringLiteral("RS-485"),
                                      QStringLiteral("Интерфейс")}));
    }

    void captions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const char* const rows[][2] = {
            {"Automatic_Go_Modem_CheckBox", "Автоматически устанавливать связь"},
            {"RbCheckBox6", "DTR"}, {"RbCheckBox7", "RTS"},
            {"RbCheckBox3", "Отправлять данные в ЦДП через СМС"},
            {"RbCheckBox5", "Отправлять аварийные уведомления"},
            {"RbCheckBox10", "Поднимать трубку во время проверки связи"},
            {"RbCheckBox9", "Автоматически устанавливать связь"},
            {"RbCheckBox11", "DTR"}, {"RbCheckBox12", "RTS"},
            {"RbCheckBox4", "Автоматически устанавливать связь"},
            {"RbCheckBox13", "DTR"}, {"RbCheckBox8", "RTS"},
            {"RbCheckBox_Avari_Sound", "Получение аварийного пакета"},
            {"RbCheckBox_Not_Avari_Sound", "Получение пакета данных"},
            {"RbCheckBox_Send_Query", "Успешная отправка данных"},
            {"RbCheckBox2", "GSM команды и сброс"},
            {"RbCheckBox1", "Главная панель"},
            {"RbCheckBox_Close_Panel_Informatoin", "Информация о связи"},
            {"RbCheckBox_Close_List_Time", "История"},
            {"Modem_Go_Button", " Подключить"}, {"Modem_Stop_Button", "Отключить"},
            {"SpeedButton6", " Подключить"}, {"SpeedButton5", "Отключить"},
            {"SpeedButton1", " Подключить"}, {"SpeedButton2", "Отключить"},
            {"Add_Abonent_Button", "+"}, {"Del_Abonent_Button", "-"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromUtf8(row[1]);
    }
    void captions()
    {
        QFETCH(QString, name);
        auto* button = form_->findChild<QAbstractButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QTEST(button->text(), "caption");
    }

    void labelsAndGroupsAreShown()
    {
        QStringList labels;
        for (const QLabel* l : form_->findChildren<QLabel*>())
            labels << l->text();
        for (const char* text : {"COM порт", "Скорость", "Память СМС", "Номер ЦДП", "Метод", "К-во попыток",
                                 "Номера абонентов", "Номер", "Маска", "Длинна", "SH", "SL", "Адрес в сети RS-485"})
            QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
        QStringList groups;
        for (const QGroupBox* g : form_->findChildren<QGroupBox*>())
            groups << g->title();
        for (const char* text : {"ЦДП", "Аварийные уведомления", "Проверка баланса", "Дополнительно", "Связь с радиомодем",
                                 "Адрес подключенного радиомодема", "Связь RS-485", "Идентификация",
                                 "Звуковые уведомления", "Отображение панелей"})
            QVERIFY2(groups.contains(QString::fromUtf8(text)), text);
        QStringList methods;
        auto* method = child<QComboBox>("ComboBox1");
        for (int i = 0; i < method->count(); ++i)
            methods << method->itemText(i);
        QCOMPARE(methods, (QStringList{QStringLiteral("Дозвон"), QStringLiteral("SMS-отчет")}));
        auto* store = child<QComboBox>("cbb1");
        QVERIFY(store->isEditable());
        QCOMPARE(store->count(), 3);
        QCOMPARE(store->itemText(1), QStringLiteral("ME"));
        QCOMPARE(store->itemText(2), QStringLiteral("SM"));
        auto* length = child<QSpinBox>("SpinEdit1");
        QCOMPARE(length->minimum(), 2);
        QCOMPARE(length->maximum(), 100);
        QVERIFY(child<QComboBox>("ComComboBox4")->findText(QStringLiteral("115200")) >= 0);
        QVERIFY(child<QComboBox>("ZigBee_Port_ComboBox")->findText(QStringLiteral("/dev/ttyUSB0")) >= 0);
    }

    void opensOnRs485ThenOnLastPageUsed()
    {
        auto* tabs = child<QTabWidget>("PageControl1");
        form_->show();
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("RS-485"));
        tabs->setCurrentIndex(OptionsForm::PageInterface);
        form_->reject();
        QVERIFY(!form_->isVisible());
        form_->show();
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("Интерфейс"));
        form_->reject();
    }

    void addSubscriber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("message");
        const QString existing = QStringLiteral("79001234567");
        const QString bad = QStringLiteral("Недопустимый формат номера");
        QTest::newRow("eleven digits from 7") << "79007654321" << QStringList{existing, QStringLiteral("79007654321")} << "";
        QTest::newRow("same number again") << existing << QStringList{existing} << "Номер уже существует в списке";
        QTest::newRow("begins with 8") << "89007654321" << QStringList{existing} << bad;
        QTest::newRow("ten digits") << "7900765432" << QStringList{existing} << bad;
        QTest::newRow("twelve digits") << "790076543210" << QStringList{existing} << bad;
        QTest::newRow("cancel or empty") << "" << QStringList{existing} << bad;
        QTest::newRow("7 alone is dropped") << "7" << QStringList{existing} << "";
    }
    void addSubscriber()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        settings_->update([](SettingsData& d) { d.subscribers = {QStringLiteral("79001234567")}; });
        questions_->answers = {typed};
        QTest::mouseClick(child<QPushButton>("Add_Abonent_Button"), Qt::LeftButton);
        QCOMPARE(questions_->prompts, QStringList{QStringLiteral(
                                        "Добавление абонента|Введите номер получателя\r(номер должен начинаться с цифры 7, деся)")});
        QTEST((*settings_)->subscribers, "list");
        QCOMPARE(notices_->shown, message.isEmpty() ? QStringList() : QStringList{message});
        auto* list = child<QListWidget>("ListBox1");
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        QCOMPARE(shown, (*settings_)->subscribers);
    }

    void removeMiddleSubscriberThenClose()
    {
        settings_->update([](SettingsData& d) {
            d.subscribers = {QStringLiteral("79000000001"), QStringLiteral("79000000002"), QStringLiteral("79000000003")};
        });
        auto* list = child<QListWidget>("ListBox1");
        QTest::mouseClick(child<QPushButton>("Del_Abonent_Button"), Qt::LeftButton);
        QCOMPARE(notices_->shown, QStringList{QStringLiteral("Необходимо выбрать номер абонента")});
        QCOMPARE((*settings_)->subscribers.size(), 3);

        list->item(1)->setSelected(true);
        QTest::mouseClick(child<QPushButton>("Del_Abonent_Button"), Qt::LeftButton);
        QCOMPARE((*settings_)->subscribers, (QStringList{QStringLiteral("79000000001"), QStringLiteral("79000000003")}));
        form_->show();
        form_->close();
        QCOMPARE(fileSubscribers(), (QStringList{QStringLiteral("Phone0"), QStringLiteral("Phone1")}));
        QCOMPARE(IniFile(iniPath()).readString(QStringLiteral("GSM_Alarms"), QStringLiteral("Phone1")),
                 QStringLiteral("79000000003"));
    }

    void removeSeveralSelected()
    {
        settings_->update([](SettingsData& d) {
            d.subscribers = {QStringLiteral("79000000001"), QStringLiteral("79000000002"), QStringLiteral("79000000003")};
        });
        auto* list = child<QListWidget>("ListBox1");
        list->item(0)->setSelected(true);
        list->item(2)->setSelected(true);
        form_->RemoveSubscriberClick();
        QCOMPARE((*settings_)->subscribers, QStringList{QStringLiteral("79000000002")});
    }

    void everyWayOfClosingSaves_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("close button") << 0;
        QTest::newRow("escape key") << 1;
        QTest::newRow("accept") << 2;
        QTest::newRow("closed while hidden") << 3;
    }
    void everyWayOfClosingSaves()
    {
        QFETCH(int, way);
        child<QLineEdit>("Edit7")->setText(QStringLiteral("1F"));
        if (way != 3)
            form_->show();
        switch (way) {
        case 0:
            form_->close();
            break;
        case 1:
            QTest::keyClick(form_.get(), Qt::Key_Escape);
            break;
        case 2:
            form_->accept();
            break;
        default:
            form_->close();
        }
        QVERIFY(!form_->isVisible());
        const IniFile ini(iniPath());
        QCOMPARE(ini.readString(QStringLiteral("RS485_Svyaz"), QStringLiteral("ID")), QStringLiteral("1F"));
        // The main window's geometry as it is at that moment.
        QCOMPARE(ini.readInteger(QStringLiteral("Window"), QStringLiteral("Height"), 0), 655);
        QCOMPARE(ini.readInteger(QStringLiteral("Window"), QStringLiteral("ObjPanelWidth"), 0), 190);
    }

    void failedSaveReachesErrorHandlerAndKeepsSettings()
    {
        QStringList errors;
        const auto previous = GlobalErrorHandler::install([&](const QString& text) { errors << text; });
        QVERIFY(QDir(home()).mkdir(kSettingsFileName)); // a folder where the file should be
        child<QLineEdit>("Edit1")->setText(QStringLiteral("79005550000"));
        const SettingsData before = settings_->data();
        form_->show();
        form_->close();
        GlobalErrorHandler::install(previous);
        QCOMPARE(errors.size(), 1);
        QVERIFY(!form_->isVisible());
        QCOMPARE(settings_->data(), before);
        QCOMPARE((*settings_)->transferPhone, QStringLiteral("79005550000"));
    }

    void controlsAndModelStayInStep()
    {
        test::WriteFile(iniPath(), ToWin1251(QStringLiteral(
                                 "[GSM_Svyaz]\r\nPort=/dev/ttyUSB0\r\nBaudRate=115200\r\nSMSMem=534D\r\n"
                                 "[GSM_Alarms]\r\nType=1\r\nCount=5\r\nPhone0=79000000001\r\n"
                                 "[GSM_Balans]\r\nMask=Баланс\r\n[RS485_Svyaz]\r\nID=0A\r\nPort=COM7\r\n")));
        form_->LoadSettings();
        QCOMPARE(child<QComboBox>("Modem_Port_ComboBox")->currentText(), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(child<QComboBox>("ComComboBox1")->currentText(), QStringLiteral("115200"));
        QCOMPARE(child<QComboBox>("cbb1")->currentText(), QStringLiteral("SM"));
        QCOMPARE(child<QComboBox>("ComboBox1")->currentText(), QStringLiteral("SMS-отчет"));
        QCOMPARE(child<QSpinBox>("SpinEdit2")->value(), 5);
        QCOMPARE(child<QListWidget>("ListBox1")->count(), 1);
        QCOMPARE(child<QLineEdit>("Edit3")->text(), QStringLiteral("Баланс"));
        QCOMPARE(child<QLineEdit>("Edit7")->text(), QStringLiteral("0A"));
        QCOMPARE(child<QLineEdit>("Edit4")->text(), QStringLiteral("00000000"));
        QCOMPARE(child<QComboBox>("ComComboBox3")->currentText(), QStringLiteral("COM7")); // kept, though absent
        QVERIFY(child<QCheckBox>("RbCheckBox_Close_List_Time")->isChecked());

        // The operator's changes go into the model at once.
        child<QComboBox>("ZigBee_Port_ComboBox")->setEditText(QStringLiteral("/dev/pts/3"));
        child<QComboBox>("ComComboBox2")->setCurrentIndex(child<QComboBox>("ComComboBox2")->findText(QStringLiteral("9600")));
        child<QComboBox>("cbb1")->setEditText(QStringLiteral("MT"));
        child<QCheckBox>("RbCheckBox11")->click();
        child<QSpinBox>("SpinEdit1")->setValue(25);
        child<QComboBox>("ComboBox1")->setCurrentIndex(0);
        QCOMPARE((*settings_)->radio.port, QStringLiteral("/dev/pts/3"));
        QCOMPARE((*settings_)->radio.baudRate, QStringLiteral("9600"));
        QVERIFY((*settings_)->radio.dtr);
        QCOMPARE((*settings_)->smsMemory, QStringLiteral("MT"));
        QCOMPARE((*settings_)->balanceAnswerLength, 25);
        QCOMPARE((*settings_)->alarmMethod, int(AlarmMethodCall));
    }

    // A configured port keeps its entry and its exact name while its device is away; one that
    // leads to a character device (a link outside /dev, say) is listed as present.
    void configuredPortStaysListedAndSaved_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("markedAbsent");
        QTest::newRow("unplugged adapter") << "/dev/ttyUSB7" << true;
        QTest::newRow("link to a device") << "@link" << false;
        QTest::newRow("present port") << "/dev/ttyS0" << false;
    }
    void configuredPortStaysListedAndSaved()
    {
        QFETCH(QString, port);
        QFETCH(bool, markedAbsent);
        if (port == QLatin1String("@link")) {
            port = dir_->filePath(QStringLiteral("kvt-modem"));
            QVERIFY(QFile::link(QStringLiteral("/dev/null"), port));
        }
        test::WriteFile(iniPath(), ToWin1251(QStringLiteral("[Radio_Svyaz]\r\nPort=%1\r\n").arg(port)));
        form_->LoadSettings();
        auto* list = child<QComboBox>("ZigBee_Port_ComboBox");
        QCOMPARE(list->currentText(), port);
        const int entry = list->findText(port);
        QVERIFY(entry >= 0);
        QCOMPARE(list->itemData(entry, Qt::ToolTipRole).toString(), markedAbsent ? OptionsForm::kAbsentPortHint : QString());
        form_->show();  // the lists are filled again each time the window opens
        form_->close();
        QCOMPARE(IniFile(iniPath()).readString(QStringLiteral("Radio_Svyaz"), QStringLiteral("Port")), port);
    }

    void creationStepConnectsAndAppliesPanels()
    {
        test::WriteFile(iniPath(), "[GSM_Svyaz]\r\nAutoStart=1\r\n[Radio_Svyaz]\r\nAutoStart=0\r\n[RS485_Svyaz]\r\nAutoStart=1\r\n"
                             "[Panels]\r\nGSMCommands=0\r\nHistory=0\r\n[Window]\r\nLeft=5\r\nTop=6\r\nHeight=700\r\n"
                             "Width=900\r\nObjPanelWidth=220\r\n");
        connectors_[2]->succeeds = false; // the RS-485 port cannot be opened
        form_->FormCreate();
        QCOMPARE(linkLog_, (QStringList{QStringLiteral("connect gsm"), QStringLiteral("connect rs485")}));
        QCOMPARE(main_->calls, (QStringList{QStringLiteral("geometry 5 6 700 900 220"), QStringLiteral("history height"),
                                            QStringLiteral("GSMCommands 0"), QStringLiteral("GenPanel 1"),
                                            QStringLiteral("SvyazInfo 1"), QStringLiteral("History 0")}));
        QVERIFY(connections_->isConnected(Link::Gsm));
        QVERIFY(!connections_->isConnected(Link::Rs485));
        QVERIFY(!child<QPushButton>("Modem_Go_Button")->isEnabled());
        QVERIFY(child<QPushButton>("Modem_Stop_Button")->isEnabled());
        QVERIFY(!child<QCheckBox>("RbCheckBox6")->isEnabled());
        QVERIFY(!child<QCheckBox>("RbCheckBox7")->isEnabled());
        QVERIFY(child<QPushButton>("SpeedButton1")->isEnabled());
        QVERIFY(!child<QPushButton>("SpeedButton2")->isEnabled());
    }

    void connectAndDisconnectButtons()
    {
        auto* connectButton = child<QPushButton>("SpeedButton6");
        auto* disconnectButton = child<QPushButton>("SpeedButton5");
        QVERIFY(connectButton->isEnabled());
        QVERIFY(!disconnectButton->isEnabled());
        QTest::mouseClick(connectButton, Qt::LeftButton);
        QVERIFY(connections_->isConnected(Link::Radio));
        QVERIFY(!child<QCheckBox>("RbCheckBox11")->isEnabled());
        QTest::mouseClick(disconnectButton, Qt::LeftButton);
        QCOMPARE(linkLog_, (QStringList{QStringLiteral("connect radio"), QStringLiteral("disconnect radio")}));
        QVERIFY(!connections_->isConnected(Link::Radio));
        QVERIFY(connectButton->isEnabled());
        QVERIFY(!disconnectButton->isEnabled());
        QVERIFY(child<QCheckBox>("RbCheckBox11")->isEnabled());
        QVERIFY(child<QCheckBox>("RbCheckBox12")->isEnabled());

        // A connector that changes the state itself is shown the same way.
        connections_->setConnected(Link::Gsm, true);
        QVERIFY(!child<QPushButton>("Modem_Go_Button")->isEnabled());
    }

    void panelSwitchesActAtOnce()
    {
        child<QCheckBox>("RbCheckBox_Close_List_Time")->click();
        child<QCheckBox>("RbCheckBox1")->click();
        child<QCheckBox>("RbCheckBox_Close_List_Time")->click();
        QCOMPARE(main_->calls, (QStringList{QStringLiteral("History 0"), QStringLiteral("GenPanel 0"),
                                            QStringLiteral("History 1")}));
        QVERIFY((*settings_)->panelHistory);
        QVERIFY(!(*settings_)->panelGenPanel);
    }

    void soundButtonsFollowTheirSwitches()
    {
        QTest::mouseClick(child<QAbstractButton>("SpeedButton_Avari_Sound"), Qt::LeftButton);
        child<QCheckBox>("RbCheckBox_Not_Avari_Sound")->click(); // switched off
        QTest::mouseClick(child<QAbstractButton>("SpeedButton_Not_Avari_Sound"), Qt::LeftButton);
        QTest::mouseClick(child<QAbstractButton>("SpeedButton_Send_Query"), Qt::LeftButton);
        QCOMPARE(player_->played, (QStringList{QStringLiteral("Alarm"), QStringLiteral("SendData")}));
        sounds_->playDataReceived();
        QCOMPARE(player_->played.size(), 2);
    }

    void screenshotsOfEveryPage()
    {
        // Under Xvfb with KVT_SCREENSHOT_DIR set, leaves one picture per page to look at.
        const QString folder = QString::fromLocal8Bit(qgetenv("KVT_SCREENSHOT_DIR"));
        settings_->update([](SettingsData& d) {
            d.subscribers = {QStringLiteral("79001234567"), QStringLiteral("79007654321")};
            d.balanceMask = QStringLiteral("Баланс");
        });
        auto* tabs = child<QTabWidget>("PageControl1");
        form_->show();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            const QPixmap shot = form_->grab();
            QCOMPARE(shot.size() / shot.devicePixelRatio(), QSize(270, 406));
            if (!folder.isEmpty())
                QVERIFY(shot.save(QStringLiteral("%1/options-%2.png").arg(folder).arg(i)));
        }
        form_->reject();
    }
};

KVT_TEST(OptionsFormTest)
#include "OptionsFormTest.moc"
