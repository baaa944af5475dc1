#pragma once

#include "commands/CommandHost.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QToolButton;

namespace kvt {

// The top-up window of the console's modem (TForm_popoln_schet, "Пополнение баланса"): the
// operator types the secret code of a payment card with its service characters and sends it;
// a row of dots shows the wait for the network's answer.
class PopolnenSchetaForm final : public QDialog, public commands::TopUpWindow {
    Q_OBJECT
public:
    static const QString kCaption;         // "Пополнение баланса"
    static const QString kInitialProgress; // 48 dots

    explicit PopolnenSchetaForm(commands::TopUpSender& sender, QWidget* parent = nullptr);

    void clearProgress() override;
    void showModal() override { exec(); }

    QLabel* progress() const { return progress_; }

public slots:
    // The send button: the card code goes to the network.
    void SpeedButton4Click();

private:
    commands::TopUpSender& sender_;
    QLineEdit* code_ = nullptr;      // Edit1
    QToolButton* send_ = nullptr;    // SpeedButton4
    QLabel* progress_ = nullptr;     // Label2
};

} // namespace kvt
