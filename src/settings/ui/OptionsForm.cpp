#include "settings/ui/OptionsForm.h"

#include "common/ErrorHandler.h"
#include "settings/AlertSounds.h"
#include "settings/LinkConnections.h"
#include "settings/MainWindowAccess.h"
#include "common/ui/MessageBoxes.h"
#include "common/ui/WindowFonts.h"
#include "settings/SerialChoices.h"
#include "settings/ui/SettingsBinder.h"
#include "settings/SettingsFile.h"
#include "settings/SubscriberRules.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kvt {

const QString OptionsForm::kCaption = QStringLiteral("Настройки");
const QString OptionsForm::kAbsentPortHint = QStringLiteral("Порт не найден в системе");

namespace {
const QString kAddCaption = QStringLiteral("Добавление абонента");
const QString kAddPrompt = QStringLiteral("Введите номер получателя\r(номер должен начинаться с цифры 7, деся)");
const QString kDuplicateNumber = QStringLiteral("Номер уже существует в списке");
const QString kBadNumber = QStringLiteral("Недопустимый формат номера");
const QString kNoneSelected = QStringLiteral("Необходимо выбрать номер абонента");
constexpr int kPageMargin = 2;
constexpr int kPageSideMargin = 1;
} // namespace

OptionsForm::OptionsForm(QString programDirectory, Services services, QWidget* parent)
    : QDialog(parent), programDirectory_(std::move(programDirectory)), services_(services)
{
    Q_ASSERT(services_.settings && services_.connections);
    if (!services_.notices || !services_.questions)
        ownBoxes_ = std::make_unique<MessageBoxes>(this);
    if (!services_.notices)
        services_.notices = ownBoxes_.get();
    if (!services_.questions)
        services_.questions = ownBoxes_.get();
    if (!services_.choices) {
        ownChoices_ = std::make_unique<SerialChoices>();
        services_.choices = ownChoices_.get();
    }

    setObjectName(QStringLiteral("Options"));
    setWindowTitle(kCaption);
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(kWidth, kHeight);
    setFont(WindowFont());

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->setUsesScrollButtons(false);
    // Narrow tabs, so that all four captions fit across the fixed window.
    pages_->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    pages_->addTab(buildGsmPage(), QStringLiteral("GSM"));
    pages_->addTab(buildRadioPage(), QStringLiteral("Радиоканал"));
    pages_->addTab(buildRs485Page(), QStringLiteral("RS-485"));
    pages_->addTab(buildInterfacePage(), QStringLiteral("Интерфейс"));
    pages_->setCurrentIndex(PageRs485);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kPageSideMargin, kPageMargin, kPageSideMargin, kPageMargin);
    layout->addWidget(pages_);

    compactFields();
    fillPortLists();
    bindControls();
    binder_->refresh();

    for (Link link : {Link::Gsm, Link::Radio, Link::Rs485})
        showLinkState(link, services_.connections->isConnected(link));
    connect(services_.connections, &LinkConnections::connectionChanged, this, &OptionsForm::showLinkState);
}

OptionsForm::~OptionsForm() = default;

void OptionsForm::setLinkConnector(Link link, LinkConnector* connector)
{
    controls(link).connector = connector;
}

void OptionsForm::fillPortLists()
{
    const QStringList ports = services_.choices->ports();
    const QStringList rates = services_.choices->baudRates();
    for (Link link : {Link::Gsm, Link::Radio, Link::Rs485}) {
        LinkControls& c = controls(link);
        const QString port = c.port->currentText();
        const QString configured = settings()->link(link).port;
        {
            const QSignalBlocker quiet(c.port);
            c.port->clear();
            c.port->addItems(ports);
            // The configured port keeps its entry while its device is away, marked absent.
            if (!configured.isEmpty() && !ports.contains(configured)) {
                c.port->addItem(configured);
                if (!services_.choices->isPresent(configured)) {
                    const int entry = c.port->count() - 1;
                    c.port->setItemData(entry, kAbsentPortHint, Qt::ToolTipRole);
                    c.port->setItemData(entry, QColor(Qt::gray), Qt::ForegroundRole);
                }
            }
            c.port->setCurrentIndex(-1);
            c.port->setEditText(port);
        }
        if (c.speed->count() == 0) {
            const QSignalBlocker quiet(c.speed);
            c.speed->addItems(rates);
            c.speed->setCurrentIndex(-1);
        }
    }
}

void OptionsForm::showLinkState(Link link, bool connected)
{
    LinkControls& c = controls(link);
    c.connectButton->setEnabled(!connected);
    c.disconnectButton->setEnabled(connected);
    c.dtr->setEnabled(!connected);
    c.rts->setEnabled(!connected);
}

void OptionsForm::FormCreate()
{
    LoadSettings();
    for (Link link : {Link::Gsm, Link::Radio, Link::Rs485}) {
        if (settings()->link(link).autoStart)
            ConnectClick(link);
    }
    GsmCommandsPanelClick();
    GenPanelClick();
    SvyazInfoPanelClick();
    HistoryPanelClick();
}

void OptionsForm::LoadSettings()
{
    kvt::LoadSettings(settings(), programDirectory_, *services_.choices);
    fillPortLists();
    if (MainWindowAccess* main = services_.mainWindow) {
        main->setWindowGeometry(settings()->window);
        main->applyHistoryHeightRule();
    }
}

void OptionsForm::SaveSettings()
{
    SettingsData data = settings().data();
    if (const MainWindowAccess* main = services_.mainWindow)
        data.window = main->windowGeometry();
    kvt::SaveSettings(data, programDirectory_);
    // The geometry is taken over only once it is on disk, so a failed save changes nothing.
    settings().replace(data);
}

int OptionsForm::ShowModal()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->availableGeometry();
        move(desktop.center() - QPoint(width() / 2, height() / 2));
    }
    return exec();
}

void OptionsForm::showEvent(QShowEvent* event)
{
    fillPortLists();
    binder_->refresh();
    QDialog::showEvent(event);
}

void OptionsForm::ConnectClick(Link link)
{
    LinkControls& c = controls(link);
    if (c.connector && c.connector->connectLink())
        services_.connections->setConnected(link, true);
}

void OptionsForm::DisconnectClick(Link link)
{
    LinkControls& c = controls(link);
    if (!c.connector)
        return;
    c.connector->disconnectLink();
    services_.connections->setConnected(link, false);
}

void OptionsForm::AddSubscriberClick()
{
    const QString number = services_.questions->askText(kAddCaption, kAddPrompt, QString());
    switch (CheckNewSubscriber(settings()->subscribers, number)) {
    case SubscriberEntry::Add:
        settings().update([&](SettingsData& d) { d.subscribers.append(number); });
        break;
    case SubscriberEntry::Duplicate:
        services_.notices->notice(kDuplicateNumber);
        break;
    case SubscriberEntry::BadFormat:
        services_.notices->notice(kBadNumber);
        break;
    case SubscriberEntry::Ignore:
        break;
    }
}

void OptionsForm::RemoveSubscriberClick()
{
    QList<int> rows;
    for (const QListWidgetItem* item : subscribers_->selectedItems())
        rows.append(subscribers_->row(item));
    if (rows.isEmpty()) {
        services_.notices->notice(kNoneSelected);
        return;
    }
    std::sort(rows.begin(), rows.end(), std::greater<>());
    settings().update([&](SettingsData& d) {
        for (int row : rows)
            d.subscribers.removeAt(row);
    });
}

void OptionsForm::GsmCommandsPanelClick()
{
    if (services_.mainWindow)
        services_.mainWindow->applyGsmCommandsPanel(settings()->panelGsmCommands);
}

void OptionsForm::GenPanelClick()
{
    if (services_.mainWindow)
        services_.mainWindow->applyGenPanel(settings()->panelGenPanel);
}

void OptionsForm::SvyazInfoPanelClick()
{
    if (services_.mainWindow)
        services_.mainWindow->applySvyazInfoPanel(settings()->panelSvyazInfo);
}

void OptionsForm::HistoryPanelClick()
{
    if (services_.mainWindow)
        services_.mainWindow->applyHistoryPanel(settings()->panelHistory);
}

void OptionsForm::saveOnClose()
{
    // A save that fails goes to the global error handler; the window closes all the same.
    Guarded([this] { SaveSettings(); });
}

void OptionsForm::done(int result)
{
    saveOnClose();
    QDialog::done(result);
}

void OptionsForm::closeEvent(QCloseEvent* event)
{
    // A shown window closes through done(); a hidden one is closed when the console shuts
    // down or a link is taken over, and saves here.
    if (!isVisible())
        saveOnClose();
    QDialog::closeEvent(event);
}

} // namespace kvt
