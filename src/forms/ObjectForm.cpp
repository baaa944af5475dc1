#include "forms/ObjectForm.h"

#include "common/Errors.h"
#include "forms/DelphiColor.h"

#include <QFile>

#include <algorithm>
#include <array>

namespace kvt {
namespace {

struct ClassKind {
    const char* className;
    ControlKind kind;
};
constexpr std::array kDecodedClasses{
    ClassKind{"TComLed", ControlKind::Led},           ClassKind{"TRbPanel", ControlKind::TextPanel},
    ClassKind{"TPanel", ControlKind::StatusPanel},    ClassKind{"TEdit", ControlKind::DataField},
    ClassKind{"TStaticText", ControlKind::ValueText}, ClassKind{"TSpinEdit", ControlKind::SettingBox},
    ClassKind{"TSpeedButton", ControlKind::CommandButton}, ClassKind{"TTabSet", ControlKind::PageSwitch},
};
constexpr std::array kGraphicClasses{"TComLed", "TSpeedButton", "TLabel", "TImage", "TSplitter"};
constexpr std::array kNonVisualClasses{
    "TTimer", "TImageList", "TPopupMenu", "TMainMenu", "TMenuItem", "TComPort", "TDatabase",
    "TTable", "TDataSource", "TQuery", "TSmallintField", "TStringField", "TMemoField",
    "TApplicationEvents"};

struct LedKindName {
    const char* ident;
    LedKind kind;
};
constexpr std::array kLedKinds{
    LedKindName{"lkRedLight", LedKind::RedLight},       LedKindName{"lkGreenLight", LedKind::GreenLight},
    LedKindName{"lkBlueLight", LedKind::BlueLight},     LedKindName{"lkYellowLight", LedKind::YellowLight},
    LedKindName{"lkPurpleLight", LedKind::PurpleLight}, LedKindName{"lkBulb", LedKind::Bulb},
    LedKindName{"lkCustom", LedKind::Custom},
};

template <size_t N>
bool contains(const std::array<const char*, N>& names, QStringView name)
{
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == QLatin1String(n); });
}

// Classes whose default colour is the window colour (edit boxes and lists); others use the
// button face.
bool hasWindowColor(QStringView className)
{
    static constexpr std::array kWindowColored{"TEdit", "TMemo", "TSpinEdit", "TMaskEdit", "TTreeView",
                                               "TValueListEditor", "TScrollBox"};
    return contains(kWindowColored, className);
}

// Typed access to the values of the properties that carry meaning; a value of the wrong kind is a
// malformed file.
[[noreturn]] void wrongKind(const StreamRecord& record, const StreamProperty& property, const char* expected)
{
    throw FormatError(QStringLiteral("property %1 of %2 must be %3")
                          .arg(QString::fromLatin1(property.name), record.nameText(), QLatin1String(expected)),
                      property.offset);
}

int intOf(const StreamRecord& record, const StreamProperty& property)
{
    if (!property.value.isInteger() || property.value.integer < INT_MIN || property.value.integer > INT_MAX)
        wrongKind(record, property, "a 32-bit integer");
    return int(property.value.integer);
}

QString textOf(const StreamRecord& record, const StreamProperty& property)
{
    if (!property.value.isText())
        wrongKind(record, property, "a string");
    return property.value.text();
}

bool boolOf(const StreamRecord& record, const StreamProperty& property)
{
    if (property.value.kind == ValueKind::True)
        return true;
    if (property.value.kind == ValueKind::False)
        return false;
    wrongKind(record, property, "True or False");
}

quint32 colorOf(const StreamRecord& record, const StreamProperty& property)
{
    if (property.value.kind == ValueKind::Ident) {
        if (const auto color = ColorFromIdent(property.value.bytes))
            return *color;
        wrongKind(record, property, "a colour");
    }
    return quint32(intOf(record, property));
}

QStringList stringsOf(const StreamRecord& record, const StreamProperty& property)
{
    if (property.value.kind != ValueKind::List)
        wrongKind(record, property, "a list of strings");
    QStringList strings;
    for (const StreamValue& item : property.value.items) {
        if (!item.isText())
            wrongKind(record, property, "a list of strings");
        strings.append(item.text());
    }
    return strings;
}

LedKind ledKindOf(const StreamRecord& record, const StreamProperty& property)
{
    if (property.value.kind == ValueKind::Ident) {
        for (const auto& named : kLedKinds) {
            if (property.value.bytes == named.ident)
                return named.kind;
        }
    }
    wrongKind(record, property, "a lamp kind (lkRedLight ... lkCustom)");
}

bool ledStateOf(const StreamRecord& record, const StreamProperty& property)
{
    if (property.value.kind == ValueKind::Ident) {
        if (property.value.bytes == "lsOn")
            return true;
        if (property.value.bytes == "lsOff")
            return false;
    }
    wrongKind(record, property, "lsOn or lsOff");
}

// Applies the record's properties to a control in file order (a later assignment wins).
void applyProperties(const StreamRecord& record, FormControl& control)
{
    QRect geometry;
    int minValue = control.minValue();
    int maxValue = control.maxValue();
    std::optional<int> value;
    for (const StreamProperty& p : record.properties) {
        const QByteArray& n = p.name;
        if (n == "Left") geometry.moveLeft(intOf(record, p));
        else if (n == "Top") geometry.moveTop(intOf(record, p));
        else if (n == "Width") geometry.setWidth(intOf(record, p));
        else if (n == "Height") geometry.setHeight(intOf(record, p));
        else if (n == "Hint") control.setHint(textOf(record, p));
        else if (n == "HelpContext") control.setHelpContext(intOf(record, p));
        else if (n == "Visible") control.setVisible(boolOf(record, p));
        else if (n == "Caption") control.setCaption(textOf(record, p));
        else if (n == "Text") control.setText(textOf(record, p));
        else if (n == "Color") control.setColor(colorOf(record, p));
        else if (n == "State") control.setOn(ledStateOf(record, p));
        else if (n == "Kind" && control.kind() == ControlKind::Led) control.setLedKind(ledKindOf(record, p));
        else if (n == "Value") value = intOf(record, p);
        else if (n == "MinValue") minValue = intOf(record, p);
        else if (n == "MaxValue") maxValue = intOf(record, p);
        else if (n == "Tabs.Strings") control.setTabs(stringsOf(record, p));
        else if (n == "TabIndex") control.setTabIndex(intOf(record, p));
    }
    control.setGeometry(geometry);
    control.setRange(minValue, maxValue);
    if (value)
        control.setValue(*value);
}

// The controls of the record tree below `record`, nested ones included; counting stops past `limit`.
int CountControls(const StreamRecord& record, int limit)
{
    int count = 0;
    for (const auto& child : record.children) {
        if (IsNonVisualClass(child->classText()))
            continue;
        count += 1 + CountControls(*child, limit - count);
        if (count > limit)
            break;
    }
    return count;
}

} // namespace

bool IsBlinkingLamp(const FormControl& control)
{
    return control.kind() == ControlKind::Led && control.helpContext() == kBlinkingMarker;
}

ControlKind KindOfClass(QStringView className)
{
    for (const auto& entry : kDecodedClasses) {
        if (className == QLatin1String(entry.className))
            return entry.kind;
    }
    return ControlKind::Decoration;
}

bool IsGraphicControlClass(QStringView className)
{
    return contains(kGraphicClasses, className);
}

bool IsNonVisualClass(QStringView className)
{
    return contains(kNonVisualClasses, className);
}

// ---------------------------------------------------------------------------------------------

FormControl::FormControl(const QString& className, const QString& name, const StreamRecord* record)
    : className_(className), name_(name), kind_(KindOfClass(className)), record_(record),
      color_(hasWindowColor(className) ? kColorWindow : kColorBtnFace)
{
    setObjectName(name);
}

template <typename T>
void FormControl::assign(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    emit changed();
}

void FormControl::setGeometry(const QRect& geometry) { assign(geometry_, geometry); }
void FormControl::setHint(const QString& hint)
{
    if (hint != hint_)
        parsedHint_.reset();
    assign(hint_, hint);
}

const ParsedConfigText& FormControl::parsedHint() const
{
    if (!parsedHint_)
        parsedHint_ = std::make_unique<const ParsedConfigText>(hint_);
    return *parsedHint_;
}
void FormControl::setHelpContext(int helpContext) { assign(helpContext_, helpContext); }
void FormControl::setVisible(bool visible) { assign(visible_, visible); }
void FormControl::setEnabled(bool enabled) { assign(enabled_, enabled); }
void FormControl::setCaption(const QString& caption) { assign(caption_, caption); }
void FormControl::setText(const QString& text) { assign(text_, text); }
void FormControl::setColor(quint32 color) { assign(color_, color); }
void FormControl::setOn(bool on) { assign(on_, on); }
void FormControl::setLedKind(LedKind kind) { assign(ledKind_, kind); }
void FormControl::setTabs(const QStringList& tabs) { assign(tabs_, tabs); }
void FormControl::setTabIndex(int index) { assign(tabIndex_, index); }

int FormControl::withinRange(int value) const
{
    if (minValue_ == maxValue_)
        return value;
    return std::clamp(value, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
}

void FormControl::setValue(int value)
{
    value = withinRange(value);
    const QString text = QString::number(value);
    if (value == value_ && text == text_)
        return;
    value_ = value;
    text_ = text;
    emit changed();
}

void FormControl::setRange(int minValue, int maxValue)
{
    if (minValue == minValue_ && maxValue == maxValue_)
        return;
    minValue_ = minValue;
    maxValue_ = maxValue;
    emit changed();
}

// ---------------------------------------------------------------------------------------------

ObjectForm::ObjectForm() : color_(kColorBtnFace) {}

ObjectForm::ObjectForm(ComponentStream stream) : stream_(std::move(stream)), color_(kColorBtnFace)
{
    if (!stream_.root)
        throw FormatError(QStringLiteral("object form stream without a form record"));
    if (CountControls(*stream_.root, kMaxFormControls) > kMaxFormControls)
        throw FormatError(QStringLiteral("the object form holds more than %1 controls, more than a form may hold")
                              .arg(kMaxFormControls));
    readRoot();
    for (const auto& child : stream_.root->children) {
        const QString className = child->classText();
        if (IsNonVisualClass(className))
            continue;
        auto control = std::make_unique<FormControl>(className, child->nameText(), child.get());
        applyProperties(*child, *control);
        byRecord_.insert(child.get(), control.get());
        fileOrder_.push_back(std::move(control));
        modelNested(*child);
    }
    rebuildOrder();
}

void ObjectForm::modelNested(const StreamRecord& record)
{
    for (const auto& child : record.children) {
        const QString className = child->classText();
        if (IsNonVisualClass(className))
            continue;
        auto control = std::make_unique<FormControl>(className, child->nameText(), child.get());
        applyProperties(*child, *control);
        byRecord_.insert(child.get(), control.get());
        nested_.push_back(std::move(control));
        modelNested(*child);
    }
}

ObjectForm::~ObjectForm() = default;

std::unique_ptr<ObjectForm> ObjectForm::FromBytes(const QByteArray& bytes)
{
    return std::make_unique<ObjectForm>(ReadComponentStream(bytes));
}

std::unique_ptr<ObjectForm> ObjectForm::FromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("cannot read the object form %1: %2").arg(path, file.errorString()));
    return FromBytes(file.readAll());
}

void ObjectForm::readRoot()
{
    const StreamRecord& root = *stream_.root;
    name_ = root.nameText();
    className_ = root.classText();
    int width = 0, height = 0, clientWidth = -1, clientHeight = -1;
    for (const StreamProperty& p : root.properties) {
        if (p.name == "Caption") caption_ = textOf(root, p);
        else if (p.name == "Color") color_ = colorOf(root, p);
        else if (p.name == "Width") width = intOf(root, p);
        else if (p.name == "Height") height = intOf(root, p);
        else if (p.name == "ClientWidth") clientWidth = intOf(root, p);
        else if (p.name == "ClientHeight") clientHeight = intOf(root, p);
    }
    clientSize_ = QSize(clientWidth >= 0 ? clientWidth : width, clientHeight >= 0 ? clientHeight : height);
}

FormControl* ObjectForm::addControl(std::unique_ptr<FormControl> control)
{
    control->setParent(nullptr);
    FormControl* added = control.get();
    fileOrder_.push_back(std::move(control));
    rebuildOrder();
    return added;
}

void ObjectForm::rebuildOrder()
{
    order_.clear();
    for (const auto& control : fileOrder_) {
        if (!control->isWindowed())
            order_.push_back(control.get());
    }
    for (const auto& control : fileOrder_) {
        if (control->isWindowed())
            order_.push_back(control.get());
    }
}

FormControl* ObjectForm::control(const QString& name) const
{
    for (FormControl* control : order_) {
        if (control->name().compare(name, Qt::CaseInsensitive) == 0)
            return control;
    }
    return nullptr;
}

} // namespace kvt
