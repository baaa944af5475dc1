#pragma once

#include "common/OperatorMessage.h"

class QWidget;

namespace kvt {

// Shows a notice in a plain modal message box with an OK button.
class MessageBoxMessage final : public OperatorMessage {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    void showMessage(const QString& text) override;

private:
    QWidget* parent_ = nullptr;
};

} // namespace kvt
