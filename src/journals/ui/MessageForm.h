#pragma once

#include <QDialog>

class QPushButton;
class QTimer;

namespace kvt {

// The notification window (TForm_MSG): asks the operator to wait for the previous action to end.
// It counts down on its button and closes by itself about eleven seconds after it appeared.
class MessageForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCountdownStart = 10;
    static constexpr int kTickMs = 1000;

    explicit MessageForm(QWidget* parent = nullptr);

    int counter() const { return counter_; }
    QPushButton* okButton() const { return button_; }
    QTimer* countdownTimer() const { return timer_; }

public slots:
    // One tick of the one-second countdown.
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QPushButton* button_;
    QTimer* timer_;
    int counter_ = 0;
};

} // namespace kvt
