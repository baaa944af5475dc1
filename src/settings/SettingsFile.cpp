#include "settings/SettingsFile.h"

#include "common/Hex.h"
#include "common/IniFile.h"
#include "common/ProgramDirectory.h"
#include "common/Win1251.h"
#include "settings/SerialChoices.h"

namespace kvt {

const QString kSettingsFileName = QStringLiteral("Settings.ini");

namespace {
const QString kGsmSvyaz = QStringLiteral("GSM_Svyaz");
const QString kGsmTransfer = QStringLiteral("GSM_Transfer");
const QString kGsmAlarms = QStringLiteral("GSM_Alarms");
const QString kGsmBalans = QStringLiteral("GSM_Balans");
const QString kGsmAddition = QStringLiteral("GSM_Addition");
const QString kRadioSvyaz = QStringLiteral("Radio_Svyaz");
const QString kRs485Svyaz = QStringLiteral("RS485_Svyaz");
const QString kSounds = QStringLiteral("Sounds");
const QString kPanels = QStringLiteral("Panels");
const QString kWindow = QStringLiteral("Window");

const QString kAutoStart = QStringLiteral("AutoStart");
const QString kPort = QStringLiteral("Port");
const QString kBaudRate = QStringLiteral("BaudRate");
const QString kDtr = QStringLiteral("DTR");
const QString kRts = QStringLiteral("RTS");
const QString kActive = QStringLiteral("Active");
const QString kPhone = QStringLiteral("Phone");

QString subscriberKey(int index)
{
    return kPhone + QString::number(index);
}

void readLinkHead(const IniFile& file, const QString& section, LinkSettings& link)
{
    link.autoStart = file.readBool(section, kAutoStart, false);
    link.port = file.readString(section, kPort);
    link.baudRate = file.readString(section, kBaudRate);
}

void readLinkLines(const IniFile& file, const QString& section, LinkSettings& link)
{
    link.dtr = file.readBool(section, kDtr, false);
    link.rts = file.readBool(section, kRts, false);
}

void writeLinkHead(IniFile& file, const QString& section, const LinkSettings& link)
{
    file.writeBool(section, kAutoStart, link.autoStart);
    file.writeString(section, kPort, link.port);
    file.writeString(section, kBaudRate, link.baudRate);
}

void writeLinkLines(IniFile& file, const QString& section, const LinkSettings& link)
{
    file.writeBool(section, kDtr, link.dtr);
    file.writeBool(section, kRts, link.rts);
}

// What a list of fixed entries does with a stored text: select it when offered, else keep
// what it showed before.
QString chosen(const QString& stored, bool offered, const QString& previous)
{
    return offered ? stored : previous;
}
} // namespace

QString SettingsFilePath(const QString& programDirectory)
{
    return InProgramDirectory(programDirectory, kSettingsFileName);
}

QString EncodeSmsMemory(const QString& text)
{
    return BytesToHex(QStringView(text));
}

QString DecodeSmsMemory(const QString& hex)
{
    QString text;
    text.reserve(hex.size() / 2);
    for (qsizetype i = 0; i + 1 < hex.size(); i += 2) {
        const int high = HexDigitValue(hex[i]);
        const int low = HexDigitValue(hex[i + 1]);
        text.append(high < 0 || low < 0 ? QLatin1Char(' ') : Win1251Char(static_cast<unsigned char>(high * 16 + low)));
    }
    return text;
}

SettingsData ReadSettings(const IniFile& file)
{
    SettingsData d;
    const SettingsData defaults;

    readLinkHead(file, kGsmSvyaz, d.gsm);
    d.smsMemory = DecodeSmsMemory(file.readString(kGsmSvyaz, QStringLiteral("SMSMem")));
    readLinkLines(file, kGsmSvyaz, d.gsm);

    d.transferActive = file.readBool(kGsmTransfer, kActive, defaults.transferActive);
    d.transferPhone = file.readString(kGsmTransfer, kPhone);

    d.alarmsActive = file.readBool(kGsmAlarms, kActive, defaults.alarmsActive);
    d.alarmMethod = file.readInteger(kGsmAlarms, QStringLiteral("Type"), defaults.alarmMethod);
    d.alarmCount = file.readInteger(kGsmAlarms, QStringLiteral("Count"), defaults.alarmCount);
    for (int i = 0;; ++i) {
        const QString number = file.readString(kGsmAlarms, subscriberKey(i));
        if (number.isEmpty())
            break;
        d.subscribers.append(number);
    }

    d.balancePhone = file.readString(kGsmBalans, kPhone);
    d.balanceMask = file.readString(kGsmBalans, QStringLiteral("Mask"));
    d.balanceAnswerLength =
        file.readInteger(kGsmBalans, QStringLiteral("AnswerLength"), defaults.balanceAnswerLength);

    d.answerLinkCheckCall = file.readBool(kGsmAddition, QStringLiteral("SvyazSMSv3"), defaults.answerLinkCheckCall);

    readLinkHead(file, kRadioSvyaz, d.radio);
    readLinkLines(file, kRadioSvyaz, d.radio);
    d.radioDH = file.readString(kRadioSvyaz, QStringLiteral("DH"), defaults.radioDH);
    d.radioDL = file.readString(kRadioSvyaz, QStringLiteral("DL"), defaults.radioDL);

    readLinkHead(file, kRs485Svyaz, d.rs485);
    readLinkLines(file, kRs485Svyaz, d.rs485);
    d.rs485Id = file.readString(kRs485Svyaz, QStringLiteral("ID"), defaults.rs485Id);

    d.soundAlarm = file.readBool(kSounds, QStringLiteral("Avary"), defaults.soundAlarm);
    d.soundDataReceived = file.readBool(kSounds, QStringLiteral("DataRecive"), defaults.soundDataReceived);
    d.soundDataSent = file.readBool(kSounds, QStringLiteral("DataSend"), defaults.soundDataSent);

    d.panelGsmCommands = file.readBool(kPanels, QStringLiteral("GSMCommands"), defaults.panelGsmCommands);
    d.panelGenPanel = file.readBool(kPanels, QStringLiteral("GenPanel"), defaults.panelGenPanel);
    d.panelSvyazInfo = file.readBool(kPanels, QStringLiteral("SvyazInfo"), defaults.panelSvyazInfo);
    d.panelHistory = file.readBool(kPanels, QStringLiteral("History"), defaults.panelHistory);

    WindowGeometry& w = d.window;
    w.left = file.readInteger(kWindow, QStringLiteral("Left"), w.left);
    w.top = file.readInteger(kWindow, QStringLiteral("Top"), w.top);
    w.height = file.readInteger(kWindow, QStringLiteral("Height"), w.height);
    w.width = file.readInteger(kWindow, QStringLiteral("Width"), w.width);
    w.objPanelWidth = file.readInteger(kWindow, QStringLiteral("ObjPanelWidth"), w.objPanelWidth);
    return d;
}

void WriteSettings(IniFile& file, const SettingsData& d)
{
    IniFile::Batch batch(file);

    writeLinkHead(file, kGsmSvyaz, d.gsm);
    file.writeString(kGsmSvyaz, QStringLiteral("SMSMem"), EncodeSmsMemory(d.smsMemory));
    writeLinkLines(file, kGsmSvyaz, d.gsm);

    file.writeBool(kGsmTransfer, kActive, d.transferActive);
    file.writeString(kGsmTransfer, kPhone, d.transferPhone);

    file.eraseSection(kGsmAlarms);
    file.writeBool(kGsmAlarms, kActive, d.alarmsActive);
    file.writeInteger(kGsmAlarms, QStringLiteral("Type"), d.alarmMethod);
    file.writeInteger(kGsmAlarms, QStringLiteral("Count"), d.alarmCount);
    for (int i = 0; i < d.subscribers.size(); ++i)
        file.writeString(kGsmAlarms, subscriberKey(i), d.subscribers[i]);

    file.writeString(kGsmBalans, kPhone, d.balancePhone);
    file.writeString(kGsmBalans, QStringLiteral("Mask"), d.balanceMask);
    file.writeInteger(kGsmBalans, QStringLiteral("AnswerLength"), d.balanceAnswerLength);

    file.writeBool(kGsmAddition, QStringLiteral("SvyazSMSv3"), d.answerLinkCheckCall);

    writeLinkHead(file, kRadioSvyaz, d.radio);
    writeLinkLines(file, kRadioSvyaz, d.radio);
    file.writeString(kRadioSvyaz, QStringLiteral("DH"), d.radioDH);
    file.writeString(kRadioSvyaz, QStringLiteral("DL"), d.radioDL);

    writeLinkHead(file, kRs485Svyaz, d.rs485);
    writeLinkLines(file, kRs485Svyaz, d.rs485);
    file.writeString(kRs485Svyaz, QStringLiteral("ID"), d.rs485Id);

    file.writeBool(kSounds, QStringLiteral("Avary"), d.soundAlarm);
    file.writeBool(kSounds, QStringLiteral("DataRecive"), d.soundDataReceived);
    file.writeBool(kSounds, QStringLiteral("DataSend"), d.soundDataSent);

    file.writeBool(kPanels, QStringLiteral("GSMCommands"), d.panelGsmCommands);
    file.writeBool(kPanels, QStringLiteral("GenPanel"), d.panelGenPanel);
    file.writeBool(kPanels, QStringLiteral("SvyazInfo"), d.panelSvyazInfo);
    file.writeBool(kPanels, QStringLiteral("History"), d.panelHistory);

    file.writeInteger(kWindow, QStringLiteral("Left"), d.window.left);
    file.writeInteger(kWindow, QStringLiteral("Top"), d.window.top);
    file.writeInteger(kWindow, QStringLiteral("Height"), d.window.height);
    file.writeInteger(kWindow, QStringLiteral("Width"), d.window.width);
    file.writeInteger(kWindow, QStringLiteral("ObjPanelWidth"), d.window.objPanelWidth);
}

void LoadSettings(Settings& settings, const QString& programDirectory, const SerialChoices& choices)
{
    const IniFile file(SettingsFilePath(programDirectory));
    SettingsData loaded = ReadSettings(file);
    const SettingsData& previous = settings.data();

    for (Link link : {Link::Gsm, Link::Radio, Link::Rs485}) {
        LinkSettings& now = loaded.link(link);
        const LinkSettings& before = previous.link(link);
        // A configured port stays configured even while its device is absent (the list shows
        // it marked absent), so an unplugged modem does not lose its port at the next save.
        now.port = chosen(now.port, !now.port.isEmpty(), before.port);
        now.baudRate = chosen(now.baudRate, choices.offersBaudRate(now.baudRate), before.baudRate);
    }
    if (loaded.alarmMethod != AlarmMethodCall && loaded.alarmMethod != AlarmMethodSms)
        loaded.alarmMethod = AlarmMethodNone;
    loaded.alarmCount = std::clamp(loaded.alarmCount, SettingsData::kMinAlarmCount, SettingsData::kMaxAlarmCount);
    loaded.balanceAnswerLength = std::clamp(loaded.balanceAnswerLength, SettingsData::kMinAnswerLength,
                                            SettingsData::kMaxAnswerLength);
    settings.replace(loaded);
}

void SaveSettings(const SettingsData& data, const QString& programDirectory, std::shared_ptr<AtomicFileWriter> writer)
{
    IniFile file(SettingsFilePath(programDirectory), std::move(writer));
    WriteSettings(file, data);
}

} // namespace kvt
