// Building the four pages of the settings window and binding their controls to the settings.
#include "settings/AlertSounds.h"
#include "settings/ui/OptionsForm.h"
#include "settings/ui/SettingsBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvt {

namespace {
// Narrow margins at the sides: the GSM page's widest rows fill the fixed window's width.
constexpr int kGroupMargin = 3;
constexpr int kGroupSideMargin = 2;
constexpr int kPageSideMargin = 1;
constexpr int kSpacing = 1;
constexpr int kSoundButtonSize = 18;
constexpr int kSubscriberListHeight = 30;
constexpr int kFieldHeight = 17;
constexpr int kComboMinimumChars = 3;
constexpr int kButtonPadding = 10;
constexpr int kListButtonWidth = 22;
constexpr int kAnswerLengthDigits = 3;
const QString kAutoConnect = QStringLiteral("Автоматически устанавливать связь");
const QString kConnect = QStringLiteral(" Подключить");
const QString kDisconnect = QStringLiteral("Отключить");

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox* checkBox(const char* name, const QString& caption)
{
    return named(new QCheckBox(caption), name);
}

QLineEdit* lineEdit(const char* name)
{
    return named(new QLineEdit, name);
}

QLabel* label(const QString& caption)
{
    auto* shown = new QLabel(caption);
    shown->setTextFormat(Qt::PlainText);
    return shown;
}

QGroupBox* group(const QString& title, QLayout* layout)
{
    auto* box = new QGroupBox(title);
    layout->setContentsMargins(kGroupSideMargin, 0, kGroupSideMargin, kGroupMargin);
    layout->setSpacing(kSpacing);
    box->setLayout(layout);
    return box;
}

// A page of groups, one under the other. Fields are held low so that the GSM page with its
// five groups fits the fixed window; should a platform's fonts still be too large, the page
// scrolls instead of squeezing its controls.
QWidget* page(std::initializer_list<QWidget*> groups)
{
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(kPageSideMargin, kGroupMargin, kPageSideMargin, kGroupMargin);
    layout->setSpacing(0);
    for (QWidget* g : groups)
        layout->addWidget(g);
    layout->addStretch();
    auto* scroller = new QScrollArea;
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(widget);
    return scroller;
}
} // namespace

QGroupBox* OptionsForm::buildLinkGroup(Link link, const QString& title, const LinkNames& names, QComboBox* extra)
{
    LinkControls& c = controls(link);
    c.autoStart = checkBox(names.autoStart, kAutoConnect);
    c.port = named(new QComboBox, names.port);
    c.port->setEditable(true); // a device path such as a pseudo-terminal may be typed in
    c.port->setInsertPolicy(QComboBox::NoInsert);
    c.speed = named(new QComboBox, names.speed);
    c.dtr = checkBox(names.dtr, QStringLiteral("DTR"));
    c.rts = checkBox(names.rts, QStringLiteral("RTS"));
    c.connectButton = named(new QPushButton(kConnect), names.connectButton);
    c.disconnectButton = named(new QPushButton(kDisconnect), names.disconnectButton);
    c.disconnectButton->setEnabled(false);
    connect(c.connectButton, &QPushButton::clicked, this, [this, link] { ConnectClick(link); });
    connect(c.disconnectButton, &QPushButton::clicked, this, [this, link] { DisconnectClick(link); });

    // Columns: caption, list, caption, list. The GSM group also holds the message store list
    // and is packed tighter, as its page carries four more groups.
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(c.autoStart, row++, 0, 1, 4);
    grid->addWidget(label(QStringLiteral("COM порт")), row, 0);
    grid->addWidget(c.port, row++, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Скорость")), row, 0);
    if (extra) {
        grid->addWidget(c.speed, row, 1);
        grid->addWidget(label(QStringLiteral("Память СМС")), row, 2);
        grid->addWidget(extra, row++, 3);
        c.dtr->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        c.rts->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        auto* lines = new QHBoxLayout;
        lines->setSpacing(kSpacing);
        lines->addWidget(c.dtr);
        lines->addWidget(c.rts);
        lines->addWidget(c.connectButton);
        lines->addWidget(c.disconnectButton);
        grid->addLayout(lines, row++, 0, 1, 4);
    } else {
        grid->addWidget(c.speed, row++, 1, 1, 3);
        grid->addWidget(c.dtr, row, 0);
        grid->addWidget(c.rts, row++, 1);
        grid->addWidget(c.connectButton, row, 0, 1, 2);
        grid->addWidget(c.disconnectButton, row++, 2, 1, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group(title, grid);
}

QWidget* OptionsForm::buildGsmPage()
{
    smsMemory_ = named(new QComboBox, "cbb1");
    smsMemory_->setEditable(true);
    smsMemory_->setInsertPolicy(QComboBox::NoInsert);
    smsMemory_->addItems({QString(), QStringLiteral("ME"), QStringLiteral("SM")});
    QGroupBox* modem = buildLinkGroup(Link::Gsm, QString(),
                                      {"Automatic_Go_Modem_CheckBox", "Modem_Port_ComboBox", "ComComboBox1",
                                       "RbCheckBox6", "RbCheckBox7", "Modem_Go_Button", "Modem_Stop_Button"},
                                      smsMemory_);

    transferActive_ = checkBox("RbCheckBox3", QStringLiteral("Отправлять данные в ЦДП через СМС"));
    transferPhone_ = lineEdit("Edit1");
    auto* transferGrid = new QGridLayout;
    transferGrid->addWidget(transferActive_, 0, 0, 1, 2);
    transferGrid->addWidget(label(QStringLiteral("Номер ЦДП")), 1, 0);
    transferGrid->addWidget(transferPhone_, 1, 1);

    alarmsActive_ = checkBox("RbCheckBox5", QStringLiteral("Отправлять аварийные уведомления"));
    alarmMethod_ = named(new QComboBox, "ComboBox1");
    alarmMethod_->addItems({QStringLiteral("Дозвон"), QStringLiteral("SMS-отчет")});
    alarmCount_ = named(new QSpinBox, "SpinEdit2");
    alarmCount_->setRange(SettingsData::kMinAlarmCount, SettingsData::kMaxAlarmCount);
    subscribers_ = named(new QListWidget, "ListBox1");
    subscribers_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    subscribers_->setFixedHeight(kSubscriberListHeight);
    addSubscriber_ = named(new QPushButton(QStringLiteral("+")), "Add_Abonent_Button");
    removeSubscriber_ = named(new QPushButton(QStringLiteral("-")), "Del_Abonent_Button");
    for (QPushButton* b : {addSubscriber_, removeSubscriber_})
        b->setFixedWidth(kListButtonWidth);
    connect(addSubscriber_, &QPushButton::clicked, this, &OptionsForm::AddSubscriberClick);
    connect(removeSubscriber_, &QPushButton::clicked, this, &OptionsForm::RemoveSubscriberClick);
    auto* alarmGrid = new QGridLayout;
    alarmGrid->addWidget(alarmsActive_, 0, 0, 1, 4);
    alarmGrid->addWidget(label(QStringLiteral("Метод")), 1, 0);
    alarmGrid->addWidget(alarmMethod_, 1, 1);
    alarmGrid->addWidget(label(QStringLiteral("К-во попыток")), 1, 2);
    alarmGrid->addWidget(alarmCount_, 1, 3);
    // The caption and the "+" and "-" buttons on the left of the list.
    auto* listButtons = new QHBoxLayout;
    listButtons->setSpacing(kSpacing);
    listButtons->addWidget(addSubscriber_);
    listButtons->addWidget(removeSubscriber_);
    listButtons->addStretch();
    auto* listSide = new QVBoxLayout;
    listSide->setSpacing(kSpacing);
    listSide->addWidget(label(QStringLiteral("Номера абонентов")));
    listSide->addLayout(listButtons);
    listSide->addStretch();
    alarmGrid->addLayout(listSide, 2, 0, 1, 2);
    alarmGrid->addWidget(subscribers_, 2, 2, 1, 2);
    alarmGrid->setColumnStretch(1, 1);

    balancePhone_ = lineEdit("Edit2");
    balanceMask_ = lineEdit("Edit3");
    answerLength_ = named(new QSpinBox, "SpinEdit1");
    answerLength_->setRange(SettingsData::kMinAnswerLength, SettingsData::kMaxAnswerLength);
    answerLength_->findChild<QLineEdit*>()->setMaxLength(kAnswerLengthDigits);
    auto* balanceGrid = new QGridLayout;
    balanceGrid->addWidget(label(QStringLiteral("Номер")), 0, 0);
    balanceGrid->addWidget(balancePhone_, 0, 1);
    balanceGrid->addWidget(label(QStringLiteral("Маска")), 0, 2);
    balanceGrid->addWidget(balanceMask_, 0, 3);
    balanceGrid->addWidget(label(QStringLiteral("Длинна")), 1, 0);
    balanceGrid->addWidget(answerLength_, 1, 1);

    answerLinkCheck_ = checkBox("RbCheckBox10", QStringLiteral("Поднимать трубку во время проверки связи"));
    auto* additionLayout = new QVBoxLayout;
    additionLayout->addWidget(answerLinkCheck_);

    return page({modem, group(QStringLiteral("ЦДП"), transferGrid),
                 group(QStringLiteral("Аварийные уведомления"), alarmGrid),
                 group(QStringLiteral("Проверка баланса"), balanceGrid),
                 group(QStringLiteral("Дополнительно"), additionLayout)});
}

QWidget* OptionsForm::buildRadioPage()
{
    QGroupBox* link = buildLinkGroup(Link::Radio, QStringLiteral("Связь с радиомодем"),
                                     {"RbCheckBox9", "ZigBee_Port_ComboBox", "ComComboBox2", "RbCheckBox11",
                                      "RbCheckBox12", "SpeedButton6", "SpeedButton5"});
    radioDH_ = lineEdit("Edit4");
    radioDL_ = lineEdit("Edit5");
    auto* grid = new QGridLayout;
    grid->addWidget(label(QStringLiteral("SH")), 0, 0);
    grid->addWidget(radioDH_, 0, 1);
    grid->addWidget(label(QStringLiteral("SL")), 1, 0);
    grid->addWidget(radioDL_, 1, 1);
    return page({link, group(QStringLiteral("Адрес подключенного радиомодема"), grid)});
}

QWidget* OptionsForm::buildRs485Page()
{
    QGroupBox* link = buildLinkGroup(Link::Rs485, QStringLiteral("Связь RS-485"),
                                     {"RbCheckBox4", "ComComboBox3", "ComComboBox4", "RbCheckBox13", "RbCheckBox8",
                                      "SpeedButton1", "SpeedButton2"});
    rs485Id_ = lineEdit("Edit7");
    auto* grid = new QGridLayout;
    grid->addWidget(label(QStringLiteral("Адрес в сети RS-485")), 0, 0);
    grid->addWidget(rs485Id_, 0, 1);
    return page({link, group(QStringLiteral("Идентификация"), grid)});
}

QToolButton* OptionsForm::buildSoundButton(const char* name)
{
    auto* button = named(new QToolButton, name);
    button->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    button->setFixedSize(kSoundButtonSize, kSoundButtonSize);
    button->setAutoRaise(true);
    return button;
}

QWidget* OptionsForm::buildInterfacePage()
{
    soundAlarm_ = checkBox("RbCheckBox_Avari_Sound", QStringLiteral("Получение аварийного пакета"));
    soundReceived_ = checkBox("RbCheckBox_Not_Avari_Sound", QStringLiteral("Получение пакета данных"));
    soundSent_ = checkBox("RbCheckBox_Send_Query", QStringLiteral("Успешная отправка данных"));
    playAlarm_ = buildSoundButton("SpeedButton_Avari_Sound");
    playReceived_ = buildSoundButton("SpeedButton_Not_Avari_Sound");
    playSent_ = buildSoundButton("SpeedButton_Send_Query");
    connect(playAlarm_, &QToolButton::clicked, this, [this] {
        if (services_.sounds)
            services_.sounds->playAlarm();
    });
    connect(playReceived_, &QToolButton::clicked, this, [this] {
        if (services_.sounds)
            services_.sounds->playDataReceived();
    });
    connect(playSent_, &QToolButton::clicked, this, [this] {
        if (services_.sounds)
            services_.sounds->playDataSent();
    });
    auto* sounds = new QGridLayout;
    sounds->addWidget(soundAlarm_, 0, 0);
    sounds->addWidget(playAlarm_, 0, 1);
    sounds->addWidget(soundReceived_, 1, 0);
    sounds->addWidget(playReceived_, 1, 1);
    sounds->addWidget(soundSent_, 2, 0);
    sounds->addWidget(playSent_, 2, 1);
    sounds->setColumnStretch(0, 1);

    panelGsmCommands_ = checkBox("RbCheckBox2", QStringLiteral("GSM команды и сброс"));
    panelGenPanel_ = checkBox("RbCheckBox1", QStringLiteral("Главная панель"));
    panelSvyazInfo_ = checkBox("RbCheckBox_Close_Panel_Informatoin", QStringLiteral("Информация о связи"));
    panelHistory_ = checkBox("RbCheckBox_Close_List_Time", QStringLiteral("История"));
    auto* panels = new QVBoxLayout;
    for (QCheckBox* box : {panelGsmCommands_, panelGenPanel_, panelSvyazInfo_, panelHistory_})
        panels->addWidget(box);

    return page({group(QStringLiteral("Звуковые уведомления"), sounds),
                 group(QStringLiteral("Отображение панелей"), panels)});
}

void OptionsForm::compactFields()
{
    // Run once the pages sit in the window, so that the window's font is measured.
    for (QWidget* field : findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(field) || qobject_cast<QLineEdit*>(field) ||
            qobject_cast<QAbstractSpinBox*>(field) || qobject_cast<QAbstractButton*>(field))
            field->setFixedHeight(kFieldHeight);
        if (auto* combo = qobject_cast<QComboBox*>(field)) {
            // As wide as the layout gives, not as wide as the longest device name.
            combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            combo->setMinimumContentsLength(kComboMinimumChars);
        }
        if (auto* button = qobject_cast<QPushButton*>(field))
            button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + kButtonPadding);
    }
}

void OptionsForm::bindControls()
{
    binder_ = new SettingsBinder(settings(), this);
    SettingsBinder& b = *binder_;
    for (Link link : {Link::Gsm, Link::Radio, Link::Rs485}) {
        const LinkControls& c = controls(link);
        b.bindCheck(c.autoStart, [link](SettingsData& d) -> bool& { return d.link(link).autoStart; });
        b.bindEditableCombo(c.port, [link](SettingsData& d) -> QString& { return d.link(link).port; });
        b.bindChoiceCombo(c.speed, [link](SettingsData& d) -> QString& { return d.link(link).baudRate; });
        b.bindCheck(c.dtr, [link](SettingsData& d) -> bool& { return d.link(link).dtr; });
        b.bindCheck(c.rts, [link](SettingsData& d) -> bool& { return d.link(link).rts; });
    }
    b.bindEditableCombo(smsMemory_, [](SettingsData& d) -> QString& { return d.smsMemory; });
    b.bindCheck(transferActive_, [](SettingsData& d) -> bool& { return d.transferActive; });
    b.bindText(transferPhone_, [](SettingsData& d) -> QString& { return d.transferPhone; });
    b.bindCheck(alarmsActive_, [](SettingsData& d) -> bool& { return d.alarmsActive; });
    b.bindIndexCombo(alarmMethod_, [](SettingsData& d) -> int& { return d.alarmMethod; });
    b.bindSpin(alarmCount_, [](SettingsData& d) -> int& { return d.alarmCount; });
    b.bindList(subscribers_, [](SettingsData& d) -> QStringList& { return d.subscribers; });
    b.bindText(balancePhone_, [](SettingsData& d) -> QString& { return d.balancePhone; });
    b.bindText(balanceMask_, [](SettingsData& d) -> QString& { return d.balanceMask; });
    b.bindSpin(answerLength_, [](SettingsData& d) -> int& { return d.balanceAnswerLength; });
    b.bindCheck(answerLinkCheck_, [](SettingsData& d) -> bool& { return d.answerLinkCheckCall; });
    b.bindText(radioDH_, [](SettingsData& d) -> QString& { return d.radioDH; });
    b.bindText(radioDL_, [](SettingsData& d) -> QString& { return d.radioDL; });
    b.bindText(rs485Id_, [](SettingsData& d) -> QString& { return d.rs485Id; });
    b.bindCheck(soundAlarm_, [](SettingsData& d) -> bool& { return d.soundAlarm; });
    b.bindCheck(soundReceived_, [](SettingsData& d) -> bool& { return d.soundDataReceived; });
    b.bindCheck(soundSent_, [](SettingsData& d) -> bool& { return d.soundDataSent; });
    b.bindCheck(panelGsmCommands_, [](SettingsData& d) -> bool& { return d.panelGsmCommands; });
    b.bindCheck(panelGenPanel_, [](SettingsData& d) -> bool& { return d.panelGenPanel; });
    b.bindCheck(panelSvyazInfo_, [](SettingsData& d) -> bool& { return d.panelSvyazInfo; });
    b.bindCheck(panelHistory_, [](SettingsData& d) -> bool& { return d.panelHistory; });

    // The panel switches act on the main window as soon as they are clicked (after the
    // binder has put the new state into the settings).
    connect(panelGsmCommands_, &QCheckBox::toggled, this, &OptionsForm::GsmCommandsPanelClick);
    connect(panelGenPanel_, &QCheckBox::toggled, this, &OptionsForm::GenPanelClick);
    connect(panelSvyazInfo_, &QCheckBox::toggled, this, &OptionsForm::SvyazInfoPanelClick);
    connect(panelHistory_, &QCheckBox::toggled, this, &OptionsForm::HistoryPanelClick);
}

} // namespace kvt
