#pragma once

#include "common/OperatorMessage.h"
#include "objects/RegistryPorts.h"

class QWidget;

namespace kvt {

// Shows notices in modal message boxes with an OK button: plain boxes, and information boxes
// for refusals.
class MessageBoxMessage final : public OperatorMessage, public registry::OperatorMessages {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    void showMessage(const QString& text) override;
    void information(const QString& text) override;
    void notice(const QString& text) override { showMessage(text); }

private:
    QWidget* parent_ = nullptr;
};

} // namespace kvt
