#include "objects/ui/ObjOptEditor.h"

#include "forms/ObjectForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>


namespace kvt {

namespace {

const QString kMinus = QStringLiteral("-");
const QString kPlus = QStringLiteral("+");
constexpr int kMinusIndex = 0;
constexpr int kPlusIndex = 1;

QSpinBox* spinField(QWidget* parent, const QString& name, int maximum, int digits)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(0, maximum);
    spin->setFixedWidth(30 + 9 * digits);
    return spin;
}

QComboBox* signField(QWidget* parent, const QString& name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems({kMinus, kPlus});
    combo->setEditable(false);
    return combo;
}

QLabel* unitLabel(const QString& unit, QWidget* parent)
{
    auto* label = new QLabel(unit, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QGroupBox* group(QWidget* parent, const QString& name, const QString& caption, QComboBox* sign, QSpinBox* major,
                 const QString& majorUnit, QSpinBox* minor, const QString& minorUnit)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    auto* row = new QHBoxLayout(box);
    sign->setParent(box);
    major->setParent(box);
    minor->setParent(box);
    row->addWidget(sign);
    row->addWidget(major);
    row->addWidget(unitLabel(majorUnit, box));
    row->addWidget(minor);
    row->addWidget(unitLabel(minorUnit, box));
    row->addStretch();
    return box;
}

} // namespace

ObjOptEditor::ObjOptEditor(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("F_ObjOptEdit"));
    setWindowTitle(QStringLiteral("Редактор настроек"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    time_ = {spinField(this, QStringLiteral("SpinEdit1"), kTimeRange.majorMax, 2),
             spinField(this, QStringLiteral("SpinEdit2"), kMinorMax, 2), signField(this, QStringLiteral("ComboBox1"))};
    coordinate_ = {spinField(this, QStringLiteral("SpinEdit3"), kCoordinateRange.majorMax, 3),
                   spinField(this, QStringLiteral("SpinEdit4"), kMinorMax, 2),
                   signField(this, QStringLiteral("ComboBox2"))};
    timeGroup_ = group(this, QStringLiteral("GroupBox1"), QStringLiteral("Настройка времени"), time_.sign, time_.major,
                       QStringLiteral("ч."), time_.minor, QStringLiteral("м."));
    coordinateGroup_ = group(this, QStringLiteral("GroupBox2"), QStringLiteral("Настройка координат"),
                             coordinate_.sign, coordinate_.major, QStringLiteral("°"), coordinate_.minor,
                             QStringLiteral("'"));

    auto* apply = new QPushButton(QStringLiteral("Применить"), this);
    apply->setObjectName(QStringLiteral("BitBtn1"));
    apply->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    connect(apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(timeGroup_);
    layout->addWidget(coordinateGroup_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ObjOptEditor::Fields ObjOptEditor::fields(Group group) const
{
    return group == Group::Time ? time_ : coordinate_;
}

int ObjOptEditor::runModal()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(screen->availableGeometry().center() - rect().center());
    }
    return exec();
}

std::optional<SplitParameter> ObjOptEditor::edit(Group group, const SplitParameter& parts)
{
    timeGroup_->setVisible(group == Group::Time);
    coordinateGroup_->setVisible(group == Group::Coordinate);
    const Fields f = fields(group);
    f.major->setValue(parts.major);
    f.minor->setValue(parts.minor);
    f.sign->setCurrentIndex(parts.negative ? kMinusIndex : kPlusIndex);
    if (runModal() != QDialog::Accepted)
        return std::nullopt;
    return SplitParameter{f.major->value(), f.minor->value(), f.sign->currentIndex() == kMinusIndex};
}

int SettingBoxValue(const FormControl& box)
{
    bool isNumber = false;
    const int value = box.text().toInt(&isNumber);
    if (!isNumber)
        return box.minValue();
    return box.withinRange(value);
}

void ObjOptEditor::editSettingBox(FormControl& sender, Group group)
{
    bool isNumber = false;
    int value = sender.text().toInt(&isNumber);
    if (!isNumber)
        value = 0;
    const ParameterRange range = group == Group::Time ? kTimeRange : kCoordinateRange;
    const std::optional<SplitParameter> applied = edit(group, SplitParameterValue(value, SettingBoxValue(sender), range));
    if (!applied)
        return;
    bool readable = false;
    const int written = CombineParameterText(*applied).toInt(&readable);
    sender.setValue(readable ? written : 0);
}

} // namespace kvt
