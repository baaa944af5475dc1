#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace kvt {

// The three links of the console, each on its own serial port.
enum class Link { Gsm, Radio, Rs485 };

// The serial parameters of one link and whether it connects by itself at start-up.
// Sections GSM_Svyaz, Radio_Svyaz and RS485_Svyaz of Settings.ini.
struct LinkSettings {
    bool autoStart = false; // AutoStart
    QString port;           // Port: device name; empty when none is chosen
    QString baudRate;       // BaudRate: decimal text; empty when none is chosen
    bool dtr = false;       // DTR: line held high while the link is connected
    bool rts = false;       // RTS

    bool operator==(const LinkSettings&) const = default;
};

// Methods of the alarm notification list ("Метод"); the value is the item index stored as Type.
enum AlarmMethod : int {
    AlarmMethodNone = -1, // the list has no selection
    AlarmMethodCall = 0,  // "Дозвон"
    AlarmMethodSms = 1,   // "SMS-отчет"
};

// Position and size of the main window and the width of its left panel (section Window).
struct WindowGeometry {
    static constexpr int kDefaultHeight = 600;
    static constexpr int kDefaultWidth = 800;
    static constexpr int kDefaultObjPanelWidth = 175;

    int left = 0;                                // Left
    int top = 0;                                 // Top
    int height = kDefaultHeight;                 // Height
    int width = kDefaultWidth;                   // Width
    int objPanelWidth = kDefaultObjPanelWidth;   // ObjPanelWidth: width of the left panel

    bool operator==(const WindowGeometry&) const = default;
};

// Every setting of the console with the value it has when Settings.ini does not give one.
struct SettingsData {
    static constexpr int kDefaultAlarmCount = 2;
    static constexpr int kDefaultAnswerLength = 10;
    static constexpr int kMinAnswerLength = 2;
    static constexpr int kMaxAnswerLength = 100;
    static constexpr int kMinAlarmCount = 0;
    static constexpr int kMaxAlarmCount = 999;

    // GSM_Svyaz
    LinkSettings gsm;
    QString smsMemory; // SMSMem: message store of "AT+CPMS=" as shown ("SM"); hexadecimal in the file

    // GSM_Transfer: forwarding of received packets to the higher dispatch point
    bool transferActive = false; // Active
    QString transferPhone;       // Phone: number of the dispatch point

    // GSM_Alarms: alarm notifications to the subscribers
    bool alarmsActive = false;             // Active
    int alarmMethod = AlarmMethodCall;     // Type: item index of the method list, -1 for none
    int alarmCount = kDefaultAlarmCount;   // Count: attempts per subscriber
    QStringList subscribers;               // Phone0, Phone1, ... in list order

    // GSM_Balans: balance request of the dispatch modem
    QString balancePhone;                          // Phone: USSD code of the request
    QString balanceMask;                           // Mask: text that marks the balance in the answer
    int balanceAnswerLength = kDefaultAnswerLength; // AnswerLength: characters of the balance to take

    // GSM_Addition
    bool answerLinkCheckCall = false; // SvyazSMSv3: pick up an object's link-check call

    // Radio_Svyaz
    LinkSettings radio;
    QString radioDH = QStringLiteral("00000000"); // DH: high address word of the console's radio modem
    QString radioDL = QStringLiteral("00000000"); // DL: low address word

    // RS485_Svyaz
    LinkSettings rs485;
    QString rs485Id = QStringLiteral("00"); // ID: the console's own address on the RS-485 bus

    // Sounds: switches of the three sounds
    bool soundAlarm = true;        // Avary
    bool soundDataReceived = true; // DataRecive
    bool soundDataSent = true;     // DataSend

    // Panels: parts of the main window shown
    bool panelGsmCommands = true; // GSMCommands: full bottom panel with its buttons
    bool panelGenPanel = true;    // GenPanel: toolbar
    bool panelSvyazInfo = true;   // SvyazInfo: link status panel docked at the bottom
    bool panelHistory = true;     // History: history tree below the object tree

    // Window
    WindowGeometry window;

    LinkSettings& link(Link which);
    const LinkSettings& link(Link which) const;

    bool operator==(const SettingsData&) const = default;
};

// The settings of the console in memory: what the settings window shows and what every other
// part of the console reads. Settings.ini is only their stored copy (see SettingsFile.h).
class Settings : public QObject {
    Q_OBJECT
public:
    explicit Settings(QObject* parent = nullptr);
    explicit Settings(SettingsData data, QObject* parent = nullptr);

    const SettingsData& data() const { return data_; }
    const SettingsData* operator->() const { return &data_; }

    // Applies a change; emits changed() when any value differs afterwards.
    void update(const std::function<void(SettingsData&)>& change);
    void replace(const SettingsData& data);

signals:
    void changed();

private:
    SettingsData data_;
};

} // namespace kvt
