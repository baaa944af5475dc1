#pragma once

#include "objects/RegistryPorts.h"

class QWidget;

namespace kvt::registry {

class Registry;

// The operator's message boxes: an information box with OK, and a plain box.
class MessageBoxMessages final : public OperatorMessages {
public:
    explicit MessageBoxMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void information(const QString& text) override;
    void notice(const QString& text) override;

private:
    QWidget* parent_;
};

} // namespace kvt::registry
