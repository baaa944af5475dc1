#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace kvt::registry {

// The add/edit object window (TAddNewObject): a tool window centred on the desktop, shown
// modally. It only holds the fields and buttons; the registry's commands act on them.
class AddNewObjectForm : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Add, Edit };

    static inline const QString kAddCaption = QStringLiteral("Добавление нового объекта");
    static inline const QString kEditCaption = QStringLiteral("Изменение параметров объекта");
    // The file dialog offers object form files in either letter case.
    static inline const QString kFileFilter = QStringLiteral("Kvantris Object File (*.KOF *.kof)");

    explicit AddNewObjectForm(QWidget* parent = nullptr);

    // Caption and the button shown for the mode ("Добавить" or "Изменить").
    void setMode(Mode mode);
    Mode mode() const { return mode_; }

    QString name() const;
    QString path() const;
    QString phone() const;
    QString dh() const;
    QString dl() const;
    QString rs485Address() const;
    void setName(const QString& text);
    void setPath(const QString& text);
    void setPhone(const QString& text);
    void setDh(const QString& text);
    void setDl(const QString& text);
    void setRs485Address(const QString& text);

    // Centres the window on the screen it is shown on.
    void centreOnDesktop();

signals:
    void addClicked();    // "Добавить"
    void editClicked();   // "Изменить"
    void browseClicked(); // "..."

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* makeEdit(const char* objectName);

    Mode mode_ = Mode::Add;
    QLineEdit* nameEdit_;
    QLineEdit* pathEdit_;
    QLineEdit* phoneEdit_;
    QLineEdit* dhEdit_;
    QLineEdit* dlEdit_;
    QLineEdit* rs485Edit_;
    QToolButton* browseButton_;
    QPushButton* addButton_;
    QPushButton* editButton_;
    QPushButton* cancelButton_;
};

} // namespace kvt::registry
