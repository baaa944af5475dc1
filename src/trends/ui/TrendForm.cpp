#include "trends/ui/TrendForm.h"

#include "common/Clock.h"
#include "common/Errors.h"
#include "common/OperatorNotices.h"
#include "common/ui/WindowFonts.h"
#include "trends/TrendCsv.h"
#include "trends/ui/TrendChartView.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QVBoxLayout>

#include <tuple>

namespace kvt {

namespace {

constexpr int kInitialWidth = 1100;
constexpr int kInitialHeight = 680;
constexpr int kValueListWidth = 300;
constexpr int kDefaultDatesBack = 7;
constexpr int kDefaultSpanIndex = 1; // the last 7 days
const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
const QString kIdleText = QStringLiteral("Отметьте значения, выберите период и нажмите «Построить».");
const QString kNoTableText = QStringLiteral("Сначала постройте тренд.");
const QString kCsvFilter = QStringLiteral("Таблица CSV (*.csv)");
const QString kPngFilter = QStringLiteral("Рисунок PNG (*.png)");

QString SpanText(TrendRange::Span span)
{
    switch (span) {
    case TrendRange::Span::LastDay: return QStringLiteral("Последние сутки");
    case TrendRange::Span::Last7Days: return QStringLiteral("Последние 7 дней");
    case TrendRange::Span::Last30Days: return QStringLiteral("Последние 30 дней");
    case TrendRange::Span::All: return QStringLiteral("Вся история");
    case TrendRange::Span::Dates: return QStringLiteral("Между датами");
    }
    return {};
}

QPushButton* Button(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

QString DefaultSaveDialog(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

} // namespace

const QString TrendForm::kCaption = QStringLiteral("Тренды");
const QList<TrendRange::Span> TrendForm::kSpans = {TrendRange::Span::LastDay, TrendRange::Span::Last7Days,
                                                   TrendRange::Span::Last30Days, TrendRange::Span::All,
                                                   TrendRange::Span::Dates};

TrendForm::TrendForm(TrendObject object, TrendCatalog catalog, const Clock& clock, OperatorNotices& notices,
                     QWidget* parent)
    : QWidget(parent, Qt::Window), object_(std::move(object)), catalog_(std::move(catalog)), clock_(clock),
      notices_(notices)
{
    setObjectName(QStringLiteral("TrendForm"));
    setWindowTitle(kCaption + QStringLiteral(" — ") + object_.name);
    setFont(WindowFont());
    chooseFile_ = [this](const QString& caption, const QString& suggested, const QString& filter) {
        return DefaultSaveDialog(this, caption, suggested, filter);
    };

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    auto* valuesBox = new QGroupBox(QStringLiteral("Значения"), splitter);
    auto* valuesLayout = new QVBoxLayout(valuesBox);
    values_ = new QListWidget(valuesBox);
    values_->setObjectName(QStringLiteral("TrendValues"));
    valuesLayout->addWidget(values_);
    chart_ = new TrendChartView(splitter);
    splitter->addWidget(valuesBox);
    splitter->addWidget(chart_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kValueListWidth, kInitialWidth - kValueListWidth});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildControls());
    layout->addWidget(splitter, 1);
    layout->addWidget(buildStatusBar());
    resize(kInitialWidth, kInitialHeight);

    fillValues();
    connect(&task_, &TrendTask::progressed, this, &TrendForm::showProgress);
    connect(&task_, &TrendTask::finished, this, &TrendForm::showTable);
    connect(&task_, &TrendTask::failed, this, &TrendForm::showFailure);
    updateButtons();
}

TrendForm::~TrendForm() = default;

QWidget* TrendForm::buildControls()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Период:"), bar));
    span_ = new QComboBox(bar);
    span_->setObjectName(QStringLiteral("TrendSpan"));
    for (const TrendRange::Span span : kSpans)
        span_->addItem(SpanText(span));
    span_->setCurrentIndex(kDefaultSpanIndex);
    row->addWidget(span_);
    const QDate today = clock_.now().date();
    from_ = new QDateEdit(today.addDays(-kDefaultDatesBack), bar);
    to_ = new QDateEdit(today, bar);
    for (auto [edit, name, label] : {std::tuple{from_, "TrendFrom", "с"}, std::tuple{to_, "TrendTo", "по"}}) {
        edit->setObjectName(QLatin1String(name));
        edit->setDisplayFormat(kDateFormat);
        edit->setCalendarPopup(true);
        row->addWidget(new QLabel(QString::fromUtf8(label), bar));
        row->addWidget(edit);
    }
    buildButton_ = Button(QStringLiteral("Построить"), QStringLiteral("TrendBuild"), bar);
    cancelButton_ = Button(QStringLiteral("Отмена"), QStringLiteral("TrendCancel"), bar);
    resetButton_ = Button(QStringLiteral("Сбросить масштаб"), QStringLiteral("TrendResetZoom"), bar);
    csvButton_ = Button(QStringLiteral("Экспорт в CSV…"), QStringLiteral("TrendExportCsv"), bar);
    pngButton_ = Button(QStringLiteral("Сохранить PNG…"), QStringLiteral("TrendSavePng"), bar);
    row->addWidget(buildButton_);
    row->addWidget(cancelButton_);
    row->addStretch(1);
    row->addWidget(resetButton_);
    row->addWidget(csvButton_);
    row->addWidget(pngButton_);

    connect(span_, &QComboBox::currentIndexChanged, this, &TrendForm::updateButtons);
    connect(buildButton_, &QPushButton::clicked, this, &TrendForm::build);
    connect(cancelButton_, &QPushButton::clicked, this, &TrendForm::cancelBuild);
    connect(resetButton_, &QPushButton::clicked, this, &TrendForm::resetZoom);
    connect(csvButton_, &QPushButton::clicked, this, &TrendForm::exportCsv);
    connect(pngButton_, &QPushButton::clicked, this, &TrendForm::savePng);
    return bar;
}

QWidget* TrendForm::buildStatusBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    status_ = new QLabel(kIdleText, bar);
    status_->setObjectName(QStringLiteral("TrendStatus"));
    progress_ = new QProgressBar(bar);
    progress_->setObjectName(QStringLiteral("TrendProgress"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    row->addWidget(status_, 1);
    row->addWidget(progress_);
    return bar;
}

void TrendForm::fillValues()
{
    for (const int index : catalog_.offered) {
        const TrendControl& control = catalog_.candidates.at(index);
        auto* item = new QListWidgetItem(control.title, values_);
        item->setData(Qt::UserRole, index);
        item->setToolTip(QStringLiteral("%1 (№ %2)").arg(control.name).arg(control.number));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        // The first value is chosen to start with.
        item->setCheckState(values_->count() == 1 ? Qt::Checked : Qt::Unchecked);
    }
    if (values_->count() == 0)
        status_->setText(QStringLiteral("Форма объекта не показывает числовых значений."));
    connect(values_, &QListWidget::itemChanged, this, &TrendForm::updateButtons);
}

std::vector<int> TrendForm::chosenValues() const
{
    std::vector<int> chosen;
    for (int row = 0; row < values_->count(); ++row) {
        const QListWidgetItem* item = values_->item(row);
        if (item->checkState() == Qt::Checked)
            chosen.push_back(item->data(Qt::UserRole).toInt());
    }
    return chosen;
}

TrendRange TrendForm::chosenRange() const
{
    const TrendRange::Span span = kSpans.value(span_->currentIndex(), TrendRange::Span::All);
    if (span == TrendRange::Span::Dates)
        return TrendRange::Dates(from_->date(), to_->date());
    if (span == TrendRange::Span::All)
        return TrendRange::All();
    return TrendRange::Last(span, clock_.now());
}

void TrendForm::build()
{
    const std::vector<int> chosen = chosenValues();
    if (chosen.empty() || task_.isRunning())
        return;
    progress_->setRange(0, 1);
    progress_->setValue(0);
    status_->setText(QStringLiteral("Чтение истории…"));
    task_.start(TrendRequest{object_, chosen, chosenRange()});
    updateButtons();
}

void TrendForm::cancelBuild()
{
    task_.cancel();
}

void TrendForm::resetZoom()
{
    chart_->resetZoom();
}

void TrendForm::showProgress(qint64 read, qint64 total)
{
    // The bar counts in thousandths, whatever the history's size.
    constexpr int kSteps = 1000;
    progress_->setRange(0, kSteps);
    progress_->setValue(total > 0 ? int(read * kSteps / total) : 0);
    status_->setText(QStringLiteral("Чтение истории: %1 из %2 пакетов…")
                         .arg(QLocale(QLocale::Russian).toString(read), QLocale(QLocale::Russian).toString(total)));
}

void TrendForm::showTable(std::shared_ptr<const TrendTable> table)
{
    progress_->setRange(0, 1);
    progress_->setValue(table->cancelled ? 0 : 1);
    status_->setText(TrendSummary(*table));
    if (!table->cancelled) {
        table_ = std::move(table);
        chart_->showTable(*table_);
        emit plotShown();
    }
    updateButtons();
}

void TrendForm::showFailure(const QString& message)
{
    progress_->setRange(0, 1);
    progress_->setValue(0);
    const QString text = QStringLiteral("Не удалось построить тренд: %1").arg(message);
    status_->setText(text);
    updateButtons();
    notices_.notice(text);
}

void TrendForm::updateButtons()
{
    const bool running = task_.isRunning();
    const bool dates = kSpans.value(span_->currentIndex()) == TrendRange::Span::Dates;
    from_->setEnabled(dates);
    to_->setEnabled(dates);
    buildButton_->setEnabled(!running && !chosenValues().empty());
    cancelButton_->setEnabled(running);
    resetButton_->setEnabled(table_ != nullptr);
    csvButton_->setEnabled(!running && table_ != nullptr);
    pngButton_->setEnabled(!running && table_ != nullptr);
}

QString TrendForm::suggestedPath(const QString& extension) const
{
    QString name = object_.name;
    name.replace(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|])")), QStringLiteral("_"));
    return QDir::home().filePath(QStringLiteral("%1 %2.%3").arg(name, kCaption.toLower(), extension));
}

void TrendForm::exportCsv()
{
    if (!table_) {
        notices_.information(kNoTableText);
        return;
    }
    const QString path = chooseFile_(QStringLiteral("Экспорт в CSV"), suggestedPath(QStringLiteral("csv")), kCsvFilter);
    if (path.isEmpty())
        return;
    try {
        WriteTrendCsv(path, *table_);
    } catch (const KvtError& error) {
        notices_.notice(QStringLiteral("Не удалось сохранить таблицу: %1").arg(error.message()));
    }
}

void TrendForm::savePng()
{
    if (!table_) {
        notices_.information(kNoTableText);
        return;
    }
    const QString path = chooseFile_(QStringLiteral("Сохранить рисунок"), suggestedPath(QStringLiteral("png")), kPngFilter);
    if (path.isEmpty())
        return;
    if (!chart_->grab().save(path, "PNG"))
        notices_.notice(QStringLiteral("Не удалось сохранить рисунок в файл %1").arg(QDir::toNativeSeparators(path)));
}

} // namespace kvt
