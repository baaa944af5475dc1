#include "journals/ui/GurSoobForm.h"

#include "common/DesktopShell.h"
#include "common/ErrorHandler.h"
#include "common/SupervisionPause.h"
#include "common/ui/OuterGeometry.h"
#include "common/ui/WindowFonts.h"
#include "journals/EventLog.h"
#include "journals/EventLogCommands.h"
#include "journals/JournalArchives.h"
#include "journals/JournalExport.h"
#include "journals/JournalListModel.h"
#include "journals/LogFile.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace kvt {

const QString GurSoobForm::kCaption = QStringLiteral("Журнал событий");
const QString GurSoobForm::kCurrentEntry = QStringLiteral("-ТЕКУЩИЙ-");
const QString GurSoobForm::kExportFileName = QStringLiteral("PrintLog.html");
const QString GurSoobForm::kExportFailed = QStringLiteral("Журнал невозможно экспортировать");
const QString GurSoobForm::kListName = QStringLiteral("ListView1");

namespace {
constexpr int kWindowWidth = 715;
constexpr int kWindowHeight = 697;
constexpr int kTopPanelHeight = 41;
constexpr int kButtonWidth = 137;
constexpr int kButtonHeight = 31;
constexpr int kSelectorWidth = 219;
constexpr int kListFontPixels = 13;
constexpr int kRowPadding = 4;
} // namespace

GurSoobForm::GurSoobForm(EventLog& log, SupervisionPause& pause, Confirmation& confirmation, DesktopShell& shell,
                         QWidget* parent)
    : QDialog(parent), log_(log), pause_(pause), confirmation_(confirmation), shell_(shell),
      model_(new JournalListModel(this))
{
    setObjectName(QStringLiteral("Form_Gur_Sob"));
    setWindowTitle(kCaption);
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    buildWidgets();
    // Its size is stated frame included.
    (new OuterGeometry(*this))->resize(QSize(kWindowWidth, kWindowHeight));
}

GurSoobForm::~GurSoobForm() = default;

void GurSoobForm::buildWidgets()
{
    auto* topPanel = new QWidget(this);
    topPanel->setObjectName(QStringLiteral("Panel1"));
    topPanel->setFixedHeight(kTopPanelHeight);
    auto* top = new QHBoxLayout(topPanel);
    top->setContentsMargins(4, 4, 4, 4);

    auto addButton = [&](const QString& name, const QString& caption, auto slot) {
        auto* button = new QPushButton(caption, topPanel);
        button->setObjectName(name);
        button->setFixedSize(kButtonWidth, kButtonHeight);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, slot] { Guarded([&] { (this->*slot)(); }); });
        top->addWidget(button);
    };
    addButton(QStringLiteral("RefreshButton"), QStringLiteral("Обновить"), &GurSoobForm::Refresh);
    addButton(QStringLiteral("ArchiveButton"), QStringLiteral("Архивировать"), &GurSoobForm::Archive);
    addButton(QStringLiteral("ExportButton"), QStringLiteral("Экспорт для печати"), &GurSoobForm::Export);

    auto* label = new QLabel(QStringLiteral("Архив"), topPanel);
    label->setObjectName(QStringLiteral("ArchiveLabel"));
    label->setTextFormat(Qt::PlainText);
    top->addWidget(label);
    selector_ = new QComboBox(topPanel);
    selector_->setObjectName(QStringLiteral("ArchiveSelector"));
    selector_->setEditable(false);
    selector_->setFixedWidth(kSelectorWidth);
    connect(selector_, &QComboBox::activated, this, [this](int index) { Guarded([&] { ChooseArchive(index); }); });
    top->addWidget(selector_);
    top->addStretch(1);

    listView_ = new QTableView(this);
    listView_->setObjectName(kListName);
    listView_->setModel(model_);
    listView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView_->setSelectionMode(QAbstractItemView::SingleSelection);
    listView_->setShowGrid(true);
    listView_->setWordWrap(false);
    // Bold 13-pixel text in a face whose figures leave the seconds of a stamp inside the fixed
    // date column.
    const QFont font = WindowFont(kListFontPixels, true);
    listView_->setFont(font);
    // Fixed row heights and no row header: the view never measures 100,000 rows.
    listView_->verticalHeader()->hide();
    listView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    listView_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + kRowPadding);
    QHeaderView* header = listView_->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(JournalListModel::DateColumn, QHeaderView::Fixed);
    header->resizeSection(JournalListModel::DateColumn, kDateColumnWidth);
    header->setSectionResizeMode(JournalListModel::MessageColumn, QHeaderView::Interactive);
    header->resizeSection(JournalListModel::MessageColumn, kMessageColumnWidth);
    connect(header, &QHeaderView::sectionResized, this,
            [this](int section, int, int newSize) { keepMessageColumnWide(section, newSize); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(topPanel);
    layout->addWidget(listView_, 1);
}

QString GurSoobForm::exportPath() const
{
    return log_.programDirectory() + kExportFileName;
}

void GurSoobForm::RefrList(const QString& path)
{
    LogLines lines;
    try {
        lines = LogLines::read(path);
    } catch (...) {
        model_->setLines({});
        throw;
    }
    log_.statusLine().setText(lines.isEmpty() ? QString() : lines.last());
    pause_.set(true);
    model_->setLines(std::move(lines));
}

void GurSoobForm::Refresh()
{
    selector_->clear();
    selector_->addItem(kCurrentEntry);
    selector_->addItems(ListJournalArchives(log_.reportsFolder()));
    selector_->setCurrentIndex(0);
    RefrList(log_.reportPath());
}

void GurSoobForm::ChooseArchive(int index)
{
    if (index <= 0) {
        Refresh();
        return;
    }
    RefrList(log_.reportsFolder() + selector_->itemText(index) + QStringLiteral(".log"));
}

void GurSoobForm::Archive()
{
    EventLogCommands::Clear(log_, confirmation_);
    Refresh();
}

bool GurSoobForm::Export()
{
    if (!ExportListToHtml(*model_, kListName, exportPath())) {
        showNotice(kExportFailed);
        return false;
    }
    shell_.open(exportPath());
    return true;
}

void GurSoobForm::showNotice(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, windowTitle(), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("ExportNotice"));
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void GurSoobForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Guarded([this] { Refresh(); });
}

void GurSoobForm::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        pause_.set(false);
}

void GurSoobForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!isVisible())
        return;
    messageColumnMinimum_ = width() - kMessageColumnMargin;
    listView_->horizontalHeader()->resizeSection(JournalListModel::MessageColumn, messageColumnMinimum_);
}

void GurSoobForm::keepMessageColumnWide(int section, int newSize)
{
    if (section == JournalListModel::MessageColumn && newSize < messageColumnMinimum_)
        listView_->horizontalHeader()->resizeSection(section, messageColumnMinimum_);
}

} // namespace kvt
