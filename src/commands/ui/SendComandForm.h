#pragma once

#include "commands/CommandHost.h"

#include <QDialog>

class QAbstractItemModel;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace kvt {

class SupervisionPause;

// The command window (TForm_Send_Comand, "Передача команды"): tops up the modem of the object
// chosen in the tree ("Пополнение счета") or sends it an AT command ("Специальные команды"), both
// as terminal requests; below both pages the terminal (Term_list) lists the objects' answers as
// they arrive. Link supervision pauses while the window is open.
class SendComandForm final : public QDialog, public commands::CommandWindow {
    Q_OBJECT
public:
    static const QString kCaption; // "Передача команды"

    // `answers` holds one terminal answer per row (the receive dispatcher adds them).
    SendComandForm(commands::TerminalSender& sender, QAbstractItemModel& answers, SupervisionPause& pause,
                   QWidget* parent = nullptr);

    void setCaption(const QString& caption) override { setWindowTitle(caption); }
    void setPage(int page) override;
    void showModal() override { exec(); }
    bool isShown() const override { return isVisible(); }

    // FormClose: link supervision goes on. Runs however the window closes.
    void FormClose();

    QTabWidget* pages() const { return pages_; }
    QPlainTextEdit* terminal() const { return terminal_; }

public slots:
    void SpeedButton4Click(); // "Пополнить счет"
    void SpeedButton1Click(); // "Отправить"
    void SpeedButton2Click(); // "Очистить терминал"

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildTopUpPage();
    QWidget* buildCommandPage();
    void showAnswers();

    commands::TerminalSender& sender_;
    QAbstractItemModel& answers_;
    SupervisionPause& pause_;
    QTabWidget* pages_ = nullptr;
    QLineEdit* cardEdit_ = nullptr;    // Edit1
    QLineEdit* commandEdit_ = nullptr; // Edit2
    QPlainTextEdit* terminal_ = nullptr;
};

} // namespace kvt
