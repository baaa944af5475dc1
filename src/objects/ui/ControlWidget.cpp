#include "objects/ui/ControlWidget.h"

#include "common/ErrorHandler.h"
#include "forms/DelphiColor.h"
#include "forms/FormWiring.h"
#include "forms/ObjectForm.h"
#include "objects/ui/FormPainting.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace kvt {
namespace {

constexpr int kBevel = 1;
constexpr int kTabMargin = 8;
constexpr int kTabSlant = 4;
constexpr int kRowHeight = 18;
constexpr int kTreeIndent = 16;
constexpr int kGlyphSpacing = 4;
constexpr int kLightFactor = 150;
constexpr int kDarkFactor = 300;
constexpr int kProgressMaxDefault = 100;

QColor lampColor(LedKind kind)
{
    switch (kind) {
    case LedKind::RedLight: return QColor(255, 40, 40);
    case LedKind::GreenLight: return QColor(40, 220, 40);
    case LedKind::BlueLight: return QColor(60, 110, 255);
    case LedKind::YellowLight: return QColor(255, 230, 40);
    case LedKind::PurpleLight: return QColor(190, 60, 220);
    case LedKind::Bulb: return QColor(255, 250, 190);
    case LedKind::Custom: break;
    }
    return QColor(200, 200, 200);
}

void bevel(QPainter& p, const QRect& r, bool raised)
{
    const QColor light = ScreenColor(kSystemColorFlag | 20);
    const QColor dark = ScreenColor(kSystemColorFlag | 16);
    p.setPen(raised ? light : dark);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(raised ? dark : light);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

Qt::Alignment alignmentOf(const StreamRecord* record, Qt::Alignment fallback)
{
    if (!record)
        return fallback;
    const QByteArray a = IdentProperty(*record, "Alignment");
    if (a == "taLeftJustify")
        return Qt::AlignLeft;
    if (a == "taRightJustify")
        return Qt::AlignRight;
    if (a == "taCenter")
        return Qt::AlignHCenter;
    return fallback;
}

bool isClass(const FormControl& c, const char* name) { return c.className() == QLatin1String(name); }

} // namespace

void BuildChildWidgets(const StreamRecord& record, QWidget* parent, FormViewState& state, const QFont& font,
                       const QColor& fontColor, const QColor& background)
{
    for (const bool windowed : {false, true}) {
        for (const auto& child : record.children) {
            FormControl* model = state.form->modelOf(child.get());
            if (model && model->isWindowed() == windowed)
                new ControlWidget(*model, state, font, fontColor, background, parent);
        }
    }
}

ControlWidget::ControlWidget(FormControl& model, FormViewState& state, const QFont& parentFont,
                             const QColor& parentFontColor, const QColor& parentBackground, QWidget* parent)
    : QWidget(parent), model_(model), state_(state), parentBackground_(parentBackground)
{
    setObjectName(model.name());
    const StreamRecord* record = model.record();
    font_ = record ? FontOf(*record, parentFont, fontColor_, parentFontColor) : parentFont;
    if (!record)
        fontColor_ = parentFontColor;
    setFont(font_);
    if (record && isClass(model, "TImage")) {
        if (const StreamProperty* p = record->property("Picture.Data"); p && p->value.kind == ValueKind::Binary)
            picture_ = PictureFromData(p->value.bytes);
    } else if (record && isClass(model, "TSpeedButton")) {
        if (const StreamProperty* p = record->property("Glyph.Data"); p && p->value.kind == ValueKind::Binary)
            picture_ = FirstGlyph(BitmapFromData(p->value.bytes), IntProperty(*record, "NumGlyphs", 1));
    }
    createEditor();
    if (record)
        BuildChildWidgets(*record, this, state_, font_, fontColor_, background());
    connect(&model_, &FormControl::changed, this, &ControlWidget::syncFromModel);
    syncFromModel();
}

void ControlWidget::createEditor()
{
    if (isClass(model_, "TEdit") || isClass(model_, "TMaskEdit")) {
        auto* edit = new QLineEdit(this);
        connect(edit, &QLineEdit::textEdited, &model_, &FormControl::setText);
        editor_ = edit;
    } else if (isClass(model_, "TMemo")) {
        auto* memo = new QPlainTextEdit(this);
        if (model_.record())
            memo->setPlainText(StringsProperty(*model_.record(), "Lines.Strings").join(u'\n'));
        editor_ = memo;
    } else if (isClass(model_, "TSpinEdit")) {
        auto* spin = new QSpinBox(this);
        connect(spin, &QSpinBox::valueChanged, &model_, &FormControl::setValue);
        spin->installEventFilter(this);
        for (QObject* child : spin->children()) {
            if (child->isWidgetType())
                child->installEventFilter(this);
        }
        editor_ = spin;
    }
    if (editor_)
        editor_->setFont(font_);
}

QColor ControlWidget::background() const
{
    const StreamRecord* record = model_.record();
    const bool storedColor = record && record->property("Color");
    if (isClass(model_, "TLabel") && !storedColor)
        return parentBackground_;
    return ScreenColor(model_.color());
}

void ControlWidget::syncFromModel()
{
    setGeometry(model_.geometry());
    setVisible(model_.isVisible());
    setEnabled(model_.isEnabled());
    if (auto* edit = qobject_cast<QLineEdit*>(editor_)) {
        if (edit->text() != model_.text())
            edit->setText(model_.text());
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor_)) {
        const QSignalBlocker block(spin);
        const bool bounded = model_.minValue() != model_.maxValue();
        spin->setRange(bounded ? std::min(model_.minValue(), model_.maxValue()) : INT_MIN,
                       bounded ? std::max(model_.minValue(), model_.maxValue()) : INT_MAX);
        spin->setValue(model_.value());
    }
    if (editor_) {
        editor_->setGeometry(rect());
        QPalette palette = editor_->palette();
        palette.setColor(QPalette::Base, ScreenColor(model_.color()));
        palette.setColor(QPalette::Text, fontColor_);
        editor_->setPalette(palette);
    }
    update();
}

QString ControlWidget::captionText() const
{
    return model_.caption();
}

void ControlWidget::paintEvent(QPaintEvent*)
{
    if (editor_)
        return;
    QPainter p(this);
    p.setFont(font_);
    const QString& c = model_.className();
    if (c == QLatin1String("TComLed")) paintLed(p);
    else if (c == QLatin1String("TPanel") || c == QLatin1String("TRbPanel")) paintPanel(p, true);
    else if (c == QLatin1String("TStaticText")) paintPanel(p, false);
    else if (c == QLatin1String("TLabel")) paintLabel(p);
    else if (c == QLatin1String("TSpeedButton")) paintSpeedButton(p);
    else if (c == QLatin1String("TTabSet")) paintTabSet(p);
    else if (c == QLatin1String("TRbProgressBar")) paintProgressBar(p);
    else if (c == QLatin1String("TImage")) paintImage(p);
    else if (c == QLatin1String("TTreeView")) paintTree(p);
    else if (c == QLatin1String("TValueListEditor")) paintValueList(p);
    else if (c == QLatin1String("TScrollBox")) {
        p.fillRect(rect(), background());
        paintSunkenFrame(p);
    } else if (c == QLatin1String("TSplitter")) {
        p.fillRect(rect(), ScreenColor(kColorBtnFace));
        bevel(p, rect().adjusted(0, 0, -1, -1), true);
    } else {
        p.fillRect(rect(), background());
    }
}

void ControlWidget::paintLed(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    const bool lit = model_.isOn();
    const QColor base = lampColor(model_.ledKind());
    const QColor fill = lit ? base : base.darker(kDarkFactor);
    const int side = std::min(width(), height()) - 2;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    QRadialGradient gradient(circle.center() - QPointF(side / 5.0, side / 5.0), side / 1.5);
    gradient.setColorAt(0, lit ? fill.lighter(kLightFactor) : fill.lighter(120));
    gradient.setColorAt(1, fill);
    p.setBrush(gradient);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawEllipse(circle);
}

void ControlWidget::paintPanel(QPainter& p, bool bevelled)
{
    p.fillRect(rect(), background());
    const StreamRecord* record = model_.record();
    const QByteArray outer = record ? IdentProperty(*record, "BevelOuter", "bvRaised") : QByteArray("bvRaised");
    if (bevelled && outer != "bvNone")
        bevel(p, rect().adjusted(0, 0, -1, -1), outer != "bvLowered");
    const QByteArray border = record ? IdentProperty(*record, "BorderStyle") : QByteArray();
    if (!bevelled && (border == "sbsSunken" || border == "sbsSingle"))
        paintSunkenFrame(p);
    p.setPen(fontColor_);
    const Qt::Alignment horizontal = alignmentOf(record, bevelled ? Qt::AlignHCenter : Qt::AlignLeft);
    p.drawText(rect().adjusted(2 * kBevel, kBevel, -2 * kBevel, -kBevel),
               horizontal | (bevelled ? Qt::AlignVCenter : Qt::AlignTop), captionText());
}

void ControlWidget::paintLabel(QPainter& p)
{
    const StreamRecord* record = model_.record();
    const bool transparent = record && BoolProperty(*record, "Transparent", false);
    if (!transparent)
        p.fillRect(rect(), background());
    p.setPen(fontColor_);
    const bool wrap = record && BoolProperty(*record, "WordWrap", false);
    p.drawText(rect(), alignmentOf(record, Qt::AlignLeft) | Qt::AlignTop | (wrap ? Qt::TextWordWrap : 0),
               captionText());
}

void ControlWidget::paintSpeedButton(QPainter& p)
{
    p.fillRect(rect(), ScreenColor(kColorBtnFace));
    const bool flat = model_.record() && BoolProperty(*model_.record(), "Flat", false);
    if (!flat || pressed_)
        bevel(p, rect().adjusted(0, 0, -1, -1), !pressed_);
    const int shift = pressed_ ? 1 : 0;
    const QString caption = captionText();
    const int textWidth = caption.isEmpty() ? 0 : p.fontMetrics().horizontalAdvance(caption);
    const int glyphWidth = picture_.isNull() ? 0 : picture_.width();
    const int total = glyphWidth + textWidth + (glyphWidth && textWidth ? kGlyphSpacing : 0);
    int x = (width() - total) / 2 + shift;
    if (!picture_.isNull()) {
        p.drawImage(QPoint(x, (height() - picture_.height()) / 2 + shift), picture_);
        x += glyphWidth + (textWidth ? kGlyphSpacing : 0);
    }
    p.setPen(isEnabled() ? fontColor_ : palette().color(QPalette::Disabled, QPalette::WindowText));
    p.drawText(QRect(x, shift, textWidth + 1, height()), Qt::AlignLeft | Qt::AlignVCenter, caption);
}

int ControlWidget::tabAt(const QPoint& point) const
{
    const QFontMetrics metrics(font_);
    int x = kTabSlant;
    const QStringList tabs = model_.tabs();
    for (int i = 0; i < tabs.size(); ++i) {
        const int w = metrics.horizontalAdvance(tabs[i]) + 2 * kTabMargin;
        if (point.x() >= x && point.x() < x + w)
            return i;
        x += w;
    }
    return -1;
}

void ControlWidget::paintTabSet(QPainter& p)
{
    p.fillRect(rect(), background());
    p.setPen(ScreenColor(kSystemColorFlag | 16));
    p.drawLine(0, 0, width(), 0);
    int x = kTabSlant;
    const QStringList tabs = model_.tabs();
    for (int i = 0; i < tabs.size(); ++i) {
        const int w = p.fontMetrics().horizontalAdvance(tabs[i]) + 2 * kTabMargin;
        const bool selected = i == model_.tabIndex();
        QPainterPath shape;
        shape.moveTo(x - kTabSlant, 0);
        shape.lineTo(x, height() - 2);
        shape.lineTo(x + w, height() - 2);
        shape.lineTo(x + w + kTabSlant, 0);
        p.fillPath(shape, selected ? ScreenColor(kColorWindow) : ScreenColor(kColorBtnFace));
        p.setPen(Qt::black);
        p.drawPath(shape);
        p.setPen(fontColor_);
        p.drawText(QRect(x, 0, w, height() - 2), Qt::AlignCenter, tabs[i]);
        x += w;
    }
}

void ControlWidget::paintProgressBar(QPainter& p)
{
    p.fillRect(rect(), background());
    paintSunkenFrame(p);
    const StreamRecord* record = model_.record();
    const int minimum = record ? IntProperty(*record, "Min", 0) : 0;
    const int maximum = record ? IntProperty(*record, "Max", kProgressMaxDefault) : kProgressMaxDefault;
    const int position = record ? IntProperty(*record, "Position", 0) : 0;
    if (maximum > minimum) {
        const double share = std::clamp(double(position - minimum) / (maximum - minimum), 0.0, 1.0);
        p.fillRect(QRectF(2, 2, (width() - 4) * share, height() - 4), ScreenColor(kSystemColorFlag | 13));
    }
}

void ControlWidget::paintImage(QPainter& p)
{
    const StreamRecord* record = model_.record();
    if (picture_.isNull()) {
        p.setPen(QPen(ScreenColor(kSystemColorFlag | 16), 1, Qt::DashLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    if (record && BoolProperty(*record, "Stretch", false))
        p.drawImage(rect(), picture_);
    else if (record && BoolProperty(*record, "Center", false))
        p.drawImage(QPoint((width() - picture_.width()) / 2, (height() - picture_.height()) / 2), picture_);
    else
        p.drawImage(QPoint(0, 0), picture_);
}

void ControlWidget::paintSunkenFrame(QPainter& p)
{
    bevel(p, rect().adjusted(0, 0, -1, -1), false);
}

void ControlWidget::paintTree(QPainter& p)
{
    p.fillRect(rect(), background());
    paintSunkenFrame(p);
    const StreamRecord* record = model_.record();
    const StreamProperty* data = record ? record->property("Items.Data") : nullptr;
    if (!data || data->value.kind != ValueKind::Binary)
        return;
    p.setPen(fontColor_);
    int y = 2;
    for (const TreeItem& item : TreeItemsFromData(data->value.bytes)) {
        p.drawText(QRect(4 + item.depth * kTreeIndent, y, width(), kRowHeight), Qt::AlignVCenter, item.text);
        y += kRowHeight;
    }
}

void ControlWidget::paintValueList(QPainter& p)
{
    p.fillRect(rect(), background());
    paintSunkenFrame(p);
    const int half = width() / 2;
    p.fillRect(QRect(1, 1, width() - 2, kRowHeight), ScreenColor(kColorBtnFace));
    p.setPen(fontColor_);
    p.drawText(QRect(4, 1, half - 4, kRowHeight), Qt::AlignVCenter, QStringLiteral("Key"));
    p.drawText(QRect(half + 4, 1, half - 4, kRowHeight), Qt::AlignVCenter, QStringLiteral("Value"));
    int y = 1 + kRowHeight;
    const QStringList rows = model_.record() ? StringsProperty(*model_.record(), "Strings.Strings") : QStringList();
    for (const QString& row : rows) {
        const qsizetype eq = row.indexOf(u'=');
        p.setPen(ScreenColor(kSystemColorFlag | 16));
        p.drawLine(1, y + kRowHeight, width() - 2, y + kRowHeight);
        p.drawLine(half, y, half, y + kRowHeight);
        p.setPen(fontColor_);
        p.drawText(QRect(4, y, half - 4, kRowHeight), Qt::AlignVCenter, eq < 0 ? row : row.left(eq));
        p.drawText(QRect(half + 4, y, half - 4, kRowHeight), Qt::AlignVCenter, eq < 0 ? QString() : row.mid(eq + 1));
        y += kRowHeight;
    }
}

void ControlWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isClass(model_, "TSpeedButton")) {
        pressed_ = true;
        update();
    }
    if (event->button() == Qt::LeftButton && model_.kind() == ControlKind::PageSwitch) {
        const int tab = tabAt(event->position().toPoint());
        if (tab >= 0 && state_.wiring)
            Guarded([&] { state_.wiring->selectTab(model_, tab); });
        else if (tab >= 0)
            model_.setTabIndex(tab);
    }
    if (model_.kind() == ControlKind::CommandButton || model_.kind() == ControlKind::PageSwitch)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (pressed_) {
        pressed_ = false;
        update();
        if (rect().contains(event->position().toPoint()) && state_.wiring)
            Guarded([&] { state_.wiring->click(model_); });
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (state_.wiring)
        Guarded([&] { state_.wiring->doubleClick(model_); });
    QWidget::mouseDoubleClickEvent(event);
}

bool ControlWidget::eventFilter(QObject* watched, QEvent* event)
{
    // The spin box's inner line edit takes the double-click; the setting box editors need it.
    if (event->type() == QEvent::MouseButtonDblClick && state_.wiring) {
        Guarded([&] { state_.wiring->doubleClick(model_); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kvt
