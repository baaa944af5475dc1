#pragma once

#include "forms/ComponentStream.h"
#include "forms/ControlConfig.h"

#include <QHash>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The domain model of a loaded object form: the root properties and the controls placed directly
// on the form, with the properties that carry meaning for decoding, commands and page switching.
// Qt Core only: the decoder and kvt-tool use it without any window; the form view draws it and
// redraws a control whenever it reports a change.
namespace kvt {

// The role of a direct control, given by its class.
enum class ControlKind {
    Led,            // TComLed: lamp driven by packet bits
    TextPanel,      // TRbPanel: packet bytes as characters
    StatusPanel,    // TPanel: text looked up by a code from the packet
    DataField,      // TEdit: packet bytes as hex or characters
    ValueText,      // TStaticText: a number decoded from packet bytes
    SettingBox,     // TSpinEdit: an object setting
    CommandButton,  // TSpeedButton: sends a command
    PageSwitch,     // TTabSet: toggles the two pages of the form
    Decoration,     // every other control: shown only
};

ControlKind KindOfClass(QStringView className);

// True for the classes whose controls have no window of their own; they come first in the
// visiting order.
bool IsGraphicControlClass(QStringView className);

// True for the accepted classes that are components without a place on the screen (timers,
// menus, data access); they are kept in the record tree but are no controls.
bool IsNonVisualClass(QStringView className);

// The lamp colours of TComLed ("lkRedLight" ...).
enum class LedKind { RedLight, GreenLight, BlueLight, YellowLight, PurpleLight, Bulb, Custom };

// Role markers carried in HelpContext.
inline constexpr int kSpecialCommandMarker = 123;  // command button: special command handler
inline constexpr int kHexFieldMarker = 0;          // data field: hex display
inline constexpr int kCharFieldMarker = 1;         // data field: character display
inline constexpr int kLinkCheckMarker = 321;       // setting box: the object's link-check setting
inline constexpr int kBlinkingMarker = 12345;      // LED: blinking (set at run time only)

// The most controls (direct and nested together) an object form may hold. Real forms hold a few
// hundred; every control is drawn as a widget of its own, and the window system cannot draw tens
// of thousands of sibling widgets without running out of stack. A larger form is refused as it
// is read, so that an object stored with one can still be selected and removed.
inline constexpr int kMaxFormControls = 10000;

class FormControl;

// True for a lamp carrying the blink marker: it is lit and put out in turn while the blink timer
// runs, whatever its decoded state.
bool IsBlinkingLamp(const FormControl& control);

// One control placed directly on the form. Setters emit changed() when the value really changes.
class FormControl : public QObject {
    Q_OBJECT
public:
    // `record` (may be null for controls built in code) stays owned by the form's record tree.
    FormControl(const QString& className, const QString& name, const StreamRecord* record = nullptr);

    const QString& className() const { return className_; }
    const QString& name() const { return name_; }
    ControlKind kind() const { return kind_; }
    bool isWindowed() const { return !IsGraphicControlClass(className_); }
    // Presentation properties (font, picture, alignment ...) and nested controls, for drawing.
    const StreamRecord* record() const { return record_; }

    QRect geometry() const { return geometry_; }
    void setGeometry(const QRect& geometry);

    QString hint() const { return hint_; }
    void setHint(const QString& hint);
    // The control configuration of the Hint, parsed at its first use and kept until the Hint
    // changes: decoding every packet asks for it again without parsing the text again.
    const ParsedConfigText& parsedHint() const;
    int helpContext() const { return helpContext_; }
    void setHelpContext(int helpContext);
    bool isVisible() const { return visible_; }
    void setVisible(bool visible);
    // A disabled control takes no clicks (a command button while its message is being sent).
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QString text() const { return text_; }
    void setText(const QString& text);
    // Delphi colour value: 0x00BBGGRR, or 0xFF000000 | index for a system colour.
    quint32 color() const { return color_; }
    void setColor(quint32 color);

    // LED
    bool isOn() const { return on_; }
    void setOn(bool on);
    LedKind ledKind() const { return ledKind_; }
    void setLedKind(LedKind kind);

    // Setting box. Like a spin edit the box holds its value within MinValue..MaxValue whenever
    // these two differ, and its text is the held value in decimal.
    int value() const { return value_; }
    void setValue(int value);
    // `value` held within MinValue..MaxValue (taken in either order) when these two differ.
    int withinRange(int value) const;
    int minValue() const { return minValue_; }
    int maxValue() const { return maxValue_; }
    void setRange(int minValue, int maxValue);  // does not re-clamp the current value

    // Page switch
    QStringList tabs() const { return tabs_; }
    void setTabs(const QStringList& tabs);
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int index);

signals:
    void changed();

private:
    template <typename T> void assign(T& field, const T& value);

    QString className_;
    QString name_;
    ControlKind kind_;
    const StreamRecord* record_;
    QRect geometry_;
    QString hint_;
    mutable std::unique_ptr<const ParsedConfigText> parsedHint_;
    int helpContext_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    QString caption_;
    QString text_;
    quint32 color_;
    bool on_ = false;
    LedKind ledKind_ = LedKind::RedLight;
    int value_ = 0;
    int minValue_ = 0;
    int maxValue_ = 0;
    QStringList tabs_;
    int tabIndex_ = -1;
};

// A loaded object form.
class ObjectForm : public QObject {
    Q_OBJECT
public:
    // An empty form (for forms built in code); add controls with addControl.
    ObjectForm();
    // The form of a stream read from a file. Throws FormatError when a property that carries
    // meaning has a value of the wrong kind (e.g. HelpContext given as text) or the form holds
    // more than kMaxFormControls controls.
    explicit ObjectForm(ComponentStream stream);
    ~ObjectForm() override;

    // Reads and models a whole file; throws IoError or FormatError.
    static std::unique_ptr<ObjectForm> FromFile(const QString& path);
    static std::unique_ptr<ObjectForm> FromBytes(const QByteArray& bytes);

    QString name() const { return name_; }          // component name of the root record
    QString className() const { return className_; }
    QString caption() const { return caption_; }
    QSize clientSize() const { return clientSize_; }  // size of the form's drawing area
    quint32 color() const { return color_; }
    const StreamRecord* record() const { return stream_.root.get(); }
    const ComponentStream& stream() const { return stream_; }

    // The direct controls in the visiting order: controls without a window of their own (TComLed,
    // TSpeedButton, TLabel, TImage, TSplitter) first, then the windowed ones, each group in file
    // order. Nested controls are not in this list.
    const std::vector<FormControl*>& controls() const { return order_; }
    FormControl* control(const QString& name) const;

    // Adds a direct control (in file order); the form owns it.
    FormControl* addControl(std::unique_ptr<FormControl> control);

    // The model of any control record of the tree, nested ones included (these are for drawing
    // only); nullptr for components without a place on screen.
    FormControl* modelOf(const StreamRecord* record) const { return byRecord_.value(record, nullptr); }

private:
    void readRoot();
    void rebuildOrder();
    void modelNested(const StreamRecord& record);

    ComponentStream stream_;
    QString name_;
    QString className_;
    QString caption_;
    QSize clientSize_;
    quint32 color_;
    std::vector<std::unique_ptr<FormControl>> fileOrder_;
    std::vector<FormControl*> order_;
    std::vector<std::unique_ptr<FormControl>> nested_;
    QHash<const StreamRecord*, FormControl*> byRecord_;
};

} // namespace kvt
