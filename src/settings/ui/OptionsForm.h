#pragma once

#include "settings/Settings.h"

#include <QDialog>

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QWidget;

namespace kvt {

class AlertSounds;
class LinkConnections;
class LinkConnector;
class MainWindowAccess;
class MessageBoxes;
class OperatorNotices;
class SerialChoices;
class SettingsBinder;
class TextQuestion;

// The settings window TOptions: shows and edits the settings model, connects and disconnects
// the three links, plays the three sounds and applies the panel switches to the main window.
// Created once at start-up and shown modally any number of times; closing it in any way
// saves the settings.
class OptionsForm : public QDialog {
    Q_OBJECT
public:
    static const QString kCaption;
    // The tooltip of a configured port whose device is not on the machine now.
    static const QString kAbsentPortHint;
    static constexpr int kWidth = 270;
    static constexpr int kHeight = 406;
    enum Page { PageGsm, PageRadio, PageRs485, PageInterface };

    struct Services {
        Settings* settings = nullptr;           // required
        LinkConnections* connections = nullptr; // required
        AlertSounds* sounds = nullptr;
        MainWindowAccess* mainWindow = nullptr;
        OperatorNotices* notices = nullptr;     // boxes over this window when none are given
        TextQuestion* questions = nullptr;
        const SerialChoices* choices = nullptr;  // the machine's ports when none is given
    };

    OptionsForm(QString programDirectory, Services services, QWidget* parent = nullptr);
    ~OptionsForm() override;

    void setMainWindow(MainWindowAccess* mainWindow) { services_.mainWindow = mainWindow; }
    void setSounds(AlertSounds* sounds) { services_.sounds = sounds; }
    void setLinkConnector(Link link, LinkConnector* connector);

    // The creation step at start-up: load Settings.ini, connect the links set to connect by
    // themselves (GSM, radio, RS-485), then apply the four panel switches in order.
    void FormCreate();

    // Settings.ini into the model, the main window's geometry and its history height.
    void LoadSettings();
    // The model and the main window's geometry as it is now into Settings.ini. Throws IoError
    // when the file cannot be written; the settings stay as they are.
    void SaveSettings();

    // Shows the window modally, centred on the desktop, on the page used last.
    int ShowModal();

    // Handlers of the controls.
    void ConnectClick(Link link);
    void DisconnectClick(Link link);
    void AddSubscriberClick();
    void RemoveSubscriberClick();
    void GsmCommandsPanelClick();
    void GenPanelClick();
    void SvyazInfoPanelClick();
    void HistoryPanelClick();

    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct LinkControls {
        QCheckBox* autoStart = nullptr;
        QComboBox* port = nullptr;
        QComboBox* speed = nullptr;
        QCheckBox* dtr = nullptr;
        QCheckBox* rts = nullptr;
        QPushButton* connectButton = nullptr;
        QPushButton* disconnectButton = nullptr;
        LinkConnector* connector = nullptr;
    };
    struct LinkNames {
        const char* autoStart;
        const char* port;
        const char* speed;
        const char* dtr;
        const char* rts;
        const char* connectButton;
        const char* disconnectButton;
    };

    // Page building (OptionsFormPages.cpp).
    QWidget* buildGsmPage();
    QWidget* buildRadioPage();
    QWidget* buildRs485Page();
    QWidget* buildInterfacePage();
    QGroupBox* buildLinkGroup(Link link, const QString& title, const LinkNames& names, QComboBox* extra = nullptr);
    QToolButton* buildSoundButton(const char* name);
    void compactFields();
    void bindControls();

    LinkControls& controls(Link link) { return links_[static_cast<int>(link)]; }
    void showLinkState(Link link, bool connected);
    void fillPortLists();
    void saveOnClose();
    Settings& settings() { return *services_.settings; }

    QString programDirectory_;
    Services services_;
    std::unique_ptr<MessageBoxes> ownBoxes_;
    std::unique_ptr<SerialChoices> ownChoices_;
    SettingsBinder* binder_ = nullptr;

    QTabWidget* pages_ = nullptr;
    std::array<LinkControls, 3> links_;
    QComboBox* smsMemory_ = nullptr;
    QCheckBox* transferActive_ = nullptr;
    QLineEdit* transferPhone_ = nullptr;
    QCheckBox* alarmsActive_ = nullptr;
    QComboBox* alarmMethod_ = nullptr;
    QSpinBox* alarmCount_ = nullptr;
    QListWidget* subscribers_ = nullptr;
    QPushButton* addSubscriber_ = nullptr;
    QPushButton* removeSubscriber_ = nullptr;
    QLineEdit* balancePhone_ = nullptr;
    QLineEdit* balanceMask_ = nullptr;
    QSpinBox* answerLength_ = nullptr;
    QCheckBox* answerLinkCheck_ = nullptr;
    QLineEdit* radioDH_ = nullptr;
    QLineEdit* radioDL_ = nullptr;
    QLineEdit* rs485Id_ = nullptr;
    QCheckBox* soundAlarm_ = nullptr;
    QCheckBox* soundReceived_ = nullptr;
    QCheckBox* soundSent_ = nullptr;
    QToolButton* playAlarm_ = nullptr;
    QToolButton* playReceived_ = nullptr;
    QToolButton* playSent_ = nullptr;
    QCheckBox* panelGsmCommands_ = nullptr;
    QCheckBox* panelGenPanel_ = nullptr;
    QCheckBox* panelSvyazInfo_ = nullptr;
    QCheckBox* panelHistory_ = nullptr;
};

} // namespace kvt
