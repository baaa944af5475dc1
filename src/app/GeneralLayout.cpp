// The layout of the main window: toolbar, left panel, splitter, right area.
#include "app/GeneralForm.h"

#include "app/CommandsWiring.h"
#include "app/ConsoleCore.h"
#include "app/ElidedLabel.h"
#include "app/LinkLabel.h"
#include "common/ui/WindowFonts.h"
#include "journals/EventColourPaint.h"
#include "journals/ui/IconLegend.h"
#include "journals/StatusIcons.h"
#include "objects/ui/RegistryTreeViews.h"
#include "objects/ui/ObjectView.h"
#include "serial/ui/ComLed.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvt {

namespace {

constexpr int kToolbarHeight = 42;
constexpr int kToolButtonHeight = 32;
constexpr int kToolbarGap = 4;
constexpr int kLeftPanelWidth = 171;
constexpr int kSplitterWidth = 4;
constexpr int kHistoryInitialHeight = 135;
constexpr int kLinkPanelHeight = 126;
constexpr int kLinkRowHeight = 21;
constexpr int kBalanceRowSpacing = 3;
constexpr int kTopUpButtonSize = 15;
constexpr int kEventBarHeight = 23;
constexpr int kHeaderLineHeight = 20;
constexpr int kHeaderPixelSize = 16;
constexpr int kStatusPixelSize = 13;
constexpr int kBottomPanelHeight = 58;
// The bottom panel as the setting GSMCommands switches it: with its buttons, or its line alone.
constexpr int kBottomPanelFull = 59;
constexpr int kBottomPanelLineOnly = 16;
constexpr int kBottomButtonHeight = 31;
constexpr int kSignalBarWidth = 60;
constexpr int kLinkRowSpacing = 4;

QToolButton* toolButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setFixedHeight(kToolButtonHeight);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

// A white bold line centred on black (Label17, Label10).
ElidedLabel* headerLine(QWidget* parent, const QString& name)
{
    auto* label = new ElidedLabel(parent);
    label->setObjectName(name);
    label->setFixedHeight(kHeaderLineHeight);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    QFont font = label->font();
    font.setPixelSize(kHeaderPixelSize);
    font.setBold(true);
    label->setFont(font);
    return label;
}

template <typename View>
View* statusTree(QWidget* parent, const QString& hint)
{
    auto* tree = new View(parent);
    tree->setToolTip(hint);
    tree->setIconSize(QSize(kStatusIconSize, kStatusIconSize));
    return tree;
}

} // namespace

void GeneralForm::buildLayout()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("GeneralClient"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kToolbarGap);
    toolbar_ = buildToolbar();
    column->addWidget(toolbar_);

    splitter1_ = new QSplitter(Qt::Horizontal, central);
    splitter1_->setObjectName(QStringLiteral("Splitter1"));
    splitter1_->setHandleWidth(kSplitterWidth);
    splitter1_->setChildrenCollapsible(false);
    leftPanel_ = buildLeftPanel();
    splitter1_->addWidget(leftPanel_);
    splitter1_->addWidget(buildRightArea());
    splitter1_->setStretchFactor(0, 0);
    splitter1_->setStretchFactor(1, 1);
    splitter1_->setSizes({kLeftPanelWidth, kInitialClientWidth - kLeftPanelWidth - kSplitterWidth});
    connect(splitter1_, &QSplitter::splitterMoved, this, [this] { Splitter1Moved(); });
    column->addWidget(splitter1_, 1);
    setCentralWidget(central);
    bindObjectLines();
}

QWidget* GeneralForm::buildToolbar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ScrollBox7"));
    bar->setFixedHeight(kToolbarHeight);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 5, 4, 5);
    row->setSpacing(2);
    struct Entry {
        const char* name;
        QString caption;
        void (GeneralForm::*handler)();
    };
    const Entry entries[] = {
        {"SpeedButton_Add_Object", QStringLiteral("Новый"), &GeneralForm::Add_New_Object_ButtonClick},
        {"SpeedButton_Destruction_Object", QStringLiteral("Свойства"), &GeneralForm::Destruction_Object_ButtonClick},
        {"SpeedButton_Remove_Object", QStringLiteral("Удалить"), &GeneralForm::Remove_Object_ButtonClick},
        {"SpeedButton_Options", QStringLiteral("Настройки"), &GeneralForm::SettingsButtonClick},
        {"SpeedButton_Avari", QStringLiteral("Аварии"), &GeneralForm::AlarmBookButtonClick},
        {"SpeedButton_Events", QStringLiteral("События"), &GeneralForm::EventJournalButtonClick},
        {"SpeedButton_Arhive_DB", QStringLiteral("Удалить историю"), &GeneralForm::SpeedButton_Arhive_DBClick},
    };
    for (const Entry& entry : entries) {
        QToolButton* button = toolButton(bar, QString::fromLatin1(entry.name), entry.caption);
        connect(button, &QToolButton::clicked, this, entry.handler);
        row->addWidget(button);
    }
    // The remove command lives in the menus; its toolbar button is kept hidden.
    bar->findChild<QToolButton*>(QStringLiteral("SpeedButton_Remove_Object"))->hide();
    row->addStretch();
    return bar;
}

QWidget* GeneralForm::buildLeftPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ScrollBox4"));
    panel->setMinimumWidth(kLeftPanelWidth / 2);
    panel->setFont(NarrowWindowFont());
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(new IconLegend(panel));

    splitter5_ = new QSplitter(Qt::Vertical, panel);
    splitter5_->setObjectName(QStringLiteral("Splitter5"));
    splitter5_->setHandleWidth(kSplitterWidth);
    splitter5_->setChildrenCollapsible(false);
    objectTree_ = statusTree<registry::ObjectTreeView>(splitter5_, QStringLiteral("Список объектов"));
    historyTree_ = statusTree<registry::HistoryTreeView>(splitter5_, QStringLiteral("Список состояний (ИСТОРИЯ)"));
    splitter5_->addWidget(objectTree_);
    splitter5_->addWidget(historyTree_);
    splitter5_->setStretchFactor(0, 1);
    splitter5_->setStretchFactor(1, 0);
    splitter5_->setSizes({kInitialClientHeight, kHistoryInitialHeight});
    column->addWidget(splitter5_, 1);

    linkPanel_ = buildLinkPanel();
    column->addWidget(linkPanel_);
    return panel;
}

QWidget* GeneralForm::buildLinkPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("ScrollBox9"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFixedHeight(kLinkPanelHeight);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(4, 0, 4, 0);
    column->setSpacing(0);
    auto addRow = [&](const QString& caption, QWidget* indicator) {
        auto* row = new QWidget(panel);
        row->setFixedHeight(kLinkRowHeight);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(kLinkRowSpacing);
        auto* label = new QLabel(caption, row);
        label->setTextFormat(Qt::PlainText);
        line->addWidget(label, 1);
        if (indicator)
            line->addWidget(indicator);
        column->addWidget(row);
        return line;
    };
    const struct {
        QString caption;
        LinkLamp lamp;
    } lampRows[] = {
        {QStringLiteral("Порт адаптера RS-485"), LinkLamp::Rs485},
        {QStringLiteral("Связь с радиомодемом"), LinkLamp::Radio},
        {QStringLiteral("Связь с GSM модемом"), LinkLamp::GsmModem},
        {QStringLiteral("Регистрация в сети GSM"), LinkLamp::GsmNetwork},
    };
    LinkIndicators& indicators = services_.core.indicators;
    for (const auto& lampRow : lampRows)
        addRow(lampRow.caption, new ComLed(indicators, lampRow.lamp, panel));

    signalBar_ = new QProgressBar(panel);
    signalBar_->setObjectName(QStringLiteral("RbProgressBar2"));
    signalBar_->setRange(0, 100);
    signalBar_->setValue(indicators.signalPercent());
    connect(&indicators, &LinkIndicators::signalPercentChanged, signalBar_, &QProgressBar::setValue);
    signalBar_->setTextVisible(true);
    signalBar_->setFixedSize(kSignalBarWidth, kLinkRowHeight - 6);
    signalBar_->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid #808080; background: white; text-align: center; }"
        "QProgressBar::chunk { background: qlineargradient(x1:0, y1:0, x2:1, y2:0,"
        " stop:0 #0a6e0a, stop:1 #3cdc3c); }"));
    addRow(QStringLiteral("Уровень сигнала GSM"), signalBar_);

    auto* balance = new QWidget(panel);
    auto* balanceLine = new QHBoxLayout(balance);
    balanceLine->setContentsMargins(0, 0, 0, 0);
    // The balance, its link and the top-up button share a narrow row.
    balanceLine->setSpacing(kBalanceRowSpacing);
    balanceLabel_ = new QLabel(balance);
    balanceLabel_->setObjectName(QStringLiteral("Label24"));
    balanceLabel_->setTextFormat(Qt::PlainText); // the balance as the modem's answer gives it
    auto* update = new LinkLabel(QStringLiteral("обновить"), balance);
    update->setObjectName(QStringLiteral("lbl2"));
    connect(update, &LinkLabel::clicked, this, &GeneralForm::lbl2Click);
    // The top-up of the console's own modem, beside its balance.
    auto* topUp = new QToolButton(balance);
    topUp->setObjectName(QStringLiteral("SpeedButton5"));
    topUp->setText(QStringLiteral("+"));
    topUp->setToolTip(QStringLiteral("Пополнение баланса GSM модема ЦДП"));
    topUp->setAutoRaise(true);
    topUp->setFixedSize(kTopUpButtonSize, kTopUpButtonSize);
    connect(topUp, &QToolButton::clicked, this, &GeneralForm::SpeedButton5Click);
    balanceLine->addWidget(balanceLabel_);
    balanceLine->addWidget(update);
    balanceLine->addWidget(topUp);
    addRow(QStringLiteral("Баланс GSM:"), balance);
    return panel;
}

QWidget* GeneralForm::buildRightArea()
{
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("ScrollBox3"));
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildEventBar());
    stateLine_ = headerLine(area, QStringLiteral("Label17"));
    column->addWidget(stateLine_);

    objectView_ = new ObjectView(services_.core.currentObject, area);
    QPalette black = objectView_->palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::Base, Qt::black);
    objectView_->setPalette(black);
    objectView_->viewport()->setAutoFillBackground(true);
    objectView_->setFrameShape(QFrame::NoFrame);
    column->addWidget(objectView_, 1);

    bottomPanel_ = buildBottomPanel();
    column->addWidget(bottomPanel_);
    return area;
}

QWidget* GeneralForm::buildEventBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("EventBar"));
    bar->setFixedHeight(kEventBarHeight);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    auto button = [&](const char* name, const QString& caption, const QString& hint, void (GeneralForm::*handler)()) {
        auto* b = new QPushButton(caption, bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setFixedHeight(kEventBarHeight);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    row->addWidget(button("SpeedButton6", QStringLiteral("Отчистить"), QStringLiteral("Отчистить журнал событий"),
                          &GeneralForm::ClearEventLogClick));
    QPushButton* previous = button("SpeedButton1", QStringLiteral("<"), QStringLiteral("Предидущее событие"),
                                   &GeneralForm::PreviousEventClick);
    previous->setFixedWidth(kEventBarHeight);
    row->addWidget(previous);
    // The status line takes what room is left; a long line is cut, never the layout changed.
    label25_ = new ElidedLabel(bar);
    label25_->setObjectName(QStringLiteral("Label25"));
    label25_->setAutoFillBackground(true);
    QFont bold = label25_->font();
    bold.setPixelSize(kStatusPixelSize);
    bold.setBold(true);
    label25_->setFont(bold);
    row->addWidget(label25_, 1);
    bindStatusLine();
    QPushButton* next = button("SpeedButton2", QStringLiteral(">"), QStringLiteral("Следующее событие"),
                               &GeneralForm::NextEventClick);
    next->setFixedWidth(kEventBarHeight);
    row->addWidget(next);
    row->addWidget(button("SpeedButton8", QStringLiteral("Отмена"), QStringLiteral("Отмена выполнения"),
                          &GeneralForm::CancelActionClick));
    return bar;
}

QWidget* GeneralForm::buildBottomPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ScrollBox12"));
    panel->setFixedHeight(kBottomPanelHeight);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    linkCheckLine_ = headerLine(panel, QStringLiteral("Label10"));
    column->addWidget(linkCheckLine_);
    bottomButtons_ = new QWidget(panel);
    auto* row = new QHBoxLayout(bottomButtons_);
    row->setContentsMargins(2, 0, 2, 0);
    auto button = [&](const char* name, const QString& caption, void (GeneralForm::*handler)()) {
        auto* b = new QPushButton(caption, bottomButtons_);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedHeight(kBottomButtonHeight);
        connect(b, &QPushButton::clicked, this, handler);
        row->addWidget(b);
        return b;
    };
    button("Stop_Avari_Button", QStringLiteral("Сбросить"), &GeneralForm::Stop_Avari_ButtonClick)
        ->setToolTip(QStringLiteral("Разблокировка функций программы после получения пакета информации от объекта"));
    pollButton_ = button("Query_Send_Button", QStringLiteral("Опросить (GSM)"), &GeneralForm::Query_Send_ButtonClick);
    row->addStretch();
    terminalButton_ = button("SpeedButton_Show_Send_Comand_Form", QStringLiteral("Терминал (GSM)"),
                             &GeneralForm::SpeedButton_Show_Send_Comand_FormClick);
    column->addWidget(bottomButtons_);
    return panel;
}

void GeneralForm::applyGsmCommandsPanel(bool checked)
{
    bottomPanel_->setFixedHeight(checked ? kBottomPanelFull : kBottomPanelLineOnly);
    // Reduced to its line, the panel holds Label10 alone, in a font that fits the line whole.
    bottomButtons_->setVisible(checked);
    linkCheckLine_->setFixedHeight(checked ? kHeaderLineHeight : kBottomPanelLineOnly);
    QFont font = linkCheckLine_->font();
    font.setPixelSize(checked ? kHeaderPixelSize : FittingPixelSize(font, kBottomPanelLineOnly));
    linkCheckLine_->setFont(font);
}

void GeneralForm::bindStatusLine()
{
    const StatusLine& status = services_.core.log.statusLine();
    auto show = [this, &status] {
        label25_->setText(status.text());
        QPalette palette = label25_->palette();
        palette.setColor(QPalette::Window, ToQColor(status.colour()));
        palette.setColor(QPalette::WindowText, Qt::black);
        label25_->setPalette(palette);
    };
    connect(&status, &StatusLine::changed, label25_, show);
    show();
}

void GeneralForm::bindBalance()
{
    const commands::DispatchBalance& balance = commands_->controller().balance();
    auto show = [this, &balance] {
        balanceLabel_->setText(balance.text());
        QPalette palette = balanceLabel_->palette();
        palette.setColor(QPalette::WindowText, balance.checked() ? Qt::black : Qt::red);
        balanceLabel_->setPalette(palette);
    };
    connect(&balance, &commands::DispatchBalance::changed, balanceLabel_, show);
    show();
}

void GeneralForm::bindObjectLines()
{
    const CurrentObject& current = services_.core.currentObject;
    connect(&current, &CurrentObject::stateLineChanged, stateLine_, &ElidedLabel::setText);
    connect(&current, &CurrentObject::linkCheckLineChanged, linkCheckLine_, &ElidedLabel::setText);
    stateLine_->setText(current.stateLine());
    linkCheckLine_->setText(current.linkCheckLine());
}

} // namespace kvt
