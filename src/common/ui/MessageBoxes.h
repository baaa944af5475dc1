#pragma once

#include "common/Confirmation.h"
#include "common/OperatorNotices.h"
#include "common/TextQuestion.h"

class QWidget;

namespace kvt {

// The operator's boxes as modal windows over a parent window: notices with an OK button under
// the application's title, OK/Cancel confirmations and the input box.
class MessageBoxes final : public OperatorNotices, public Confirmation, public TextQuestion {
public:
    explicit MessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }

    void notice(const QString& text) override;
    void information(const QString& text) override;
    bool confirm(const QString& question) override;
    QString askText(const QString& caption, const QString& prompt, const QString& initial) override;

private:
    QWidget* parent_;
};

} // namespace kvt
