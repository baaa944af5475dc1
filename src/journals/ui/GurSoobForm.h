#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;
class QTableView;

namespace kvt {

class Confirmation;
class DesktopShell;
class EventLog;
class JournalListModel;
class SupervisionPause;

// The event journal window (TForm_Gur_Sob): shows report.log or one of the journal archives
// under Reports/, one row per event in the colour of its line; reloads, archives the current
// log and exports the list to PrintLog.html for printing. While it shows a list, link
// supervision pauses. Created once by the main window and shown modally any number of times.
class GurSoobForm final : public QDialog {
    Q_OBJECT
public:
    static const QString kCaption;          // "Журнал событий"
    static const QString kCurrentEntry;     // "-ТЕКУЩИЙ-"
    static const QString kExportFileName;   // "PrintLog.html"
    static const QString kExportFailed;     // "Журнал невозможно экспортировать"
    static const QString kListName;         // "ListView1"

    static constexpr int kDateColumnWidth = 160;
    static constexpr int kMessageColumnWidth = 500;
    // After the window is resized, the message column takes the window's width less this.
    static constexpr int kMessageColumnMargin = 200;

    // `log` gives the program directory, the current log and the status line; `confirmation`
    // asks before archiving; `shell` opens the exported page.
    GurSoobForm(EventLog& log, SupervisionPause& pause, Confirmation& confirmation, DesktopShell& shell,
                QWidget* parent = nullptr);
    ~GurSoobForm() override;

    // Loads one log file into the list, shows its last line in the status line and pauses link
    // supervision. A file that cannot be read throws IoError and leaves the list empty.
    void RefrList(const QString& path);
    // "Обновить": rebuilds the archive selector and loads report.log.
    void Refresh();
    // "Архивировать": the operator's confirmed clearing of the event log, then "Обновить".
    void Archive();
    // "Экспорт для печати": writes PrintLog.html and opens it. Returns true on success.
    bool Export();
    // Choosing an entry of the archive selector.
    void ChooseArchive(int index);

    const JournalListModel& list() const { return *model_; }
    QString exportPath() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildWidgets();
    void keepMessageColumnWide(int section, int newSize);
    void showNotice(const QString& text);

    EventLog& log_;
    SupervisionPause& pause_;
    Confirmation& confirmation_;
    DesktopShell& shell_;
    JournalListModel* model_;
    QTableView* listView_ = nullptr;
    QComboBox* selector_ = nullptr;
    int messageColumnMinimum_ = kMessageColumnWidth;
};

} // namespace kvt
