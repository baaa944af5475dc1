#pragma once

#include <QString>

class QWidget;

namespace kvt {

// The small boxes a window asks the operator with: an input box and a plain message.
class OperatorDialogs {
public:
    virtual ~OperatorDialogs() = default;

    // An input box with a caption, a prompt ("\r" breaks the line) and a default text.
    // Cancel gives the empty text.
    virtual QString askText(const QString& caption, const QString& prompt, const QString& initial) = 0;
    // A plain message box with an OK button under the application's title.
    virtual void showMessage(const QString& text) = 0;
};

// The boxes as modal windows over a parent window.
class WidgetDialogs : public OperatorDialogs {
public:
    explicit WidgetDialogs(QWidget* parent) : parent_(parent) {}

    QString askText(const QString& caption, const QString& prompt, const QString& initial) override;
    void showMessage(const QString& text) override;

private:
    QWidget* parent_;
};

} // namespace kvt
