#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

namespace kvt {

class FormControl;
class FormWiring;
class ObjectForm;
struct StreamRecord;

// What every control widget of one drawn form shares: the model and the wiring of the
// operator's actions.
struct FormViewState {
    ObjectForm* form = nullptr;
    FormWiring* wiring = nullptr;  // null while the form is not wired
};

// Builds the widgets of a record's child controls inside `parent`: controls without a window of
// their own first, so the windowed ones lie above them, each group in file order.
void BuildChildWidgets(const StreamRecord& record, QWidget* parent, FormViewState& state, const QFont& font,
                       const QColor& fontColor, const QColor& background);

// One control of an object form, drawn after its class at its file geometry. The widget follows
// its model: whenever the decoder or a handler changes the control it is redrawn. Its objectName
// is the control's name.
class ControlWidget : public QWidget {
    Q_OBJECT
public:
    ControlWidget(FormControl& model, FormViewState& state, const QFont& parentFont, const QColor& parentFontColor,
                  const QColor& parentBackground, QWidget* parent);

    FormControl& model() const { return model_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void syncFromModel();
    void createEditor();
    QColor background() const;
    void paintLed(class QPainter& p);
    void paintPanel(QPainter& p, bool bevelled);
    void paintLabel(QPainter& p);
    void paintSpeedButton(QPainter& p);
    void paintTabSet(QPainter& p);
    void paintProgressBar(QPainter& p);
    void paintImage(QPainter& p);
    void paintTree(QPainter& p);
    void paintValueList(QPainter& p);
    void paintSunkenFrame(QPainter& p);
    int tabAt(const QPoint& point) const;
    QString captionText() const;

    FormControl& model_;
    FormViewState& state_;
    QFont font_;
    QColor fontColor_;
    QColor parentBackground_;
    QImage picture_;
    QWidget* editor_ = nullptr;  // line edit, memo or spin box of the edit classes
    bool pressed_ = false;
};

} // namespace kvt
