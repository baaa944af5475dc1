#pragma once

#include "common/Confirmation.h"

class QWidget;

namespace kvt {

// Asks with a modal message box carrying OK and Cancel.
class MessageBoxConfirmation final : public Confirmation {
public:
    explicit MessageBoxConfirmation(QWidget* parent = nullptr) : parent_(parent) {}
    bool confirm(const QString& question) override;

private:
    QWidget* parent_;
};

} // namespace kvt
