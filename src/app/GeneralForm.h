#pragma once

#include <QMainWindow>

namespace kvt {

// The main window of the console (TGeneral).
class GeneralForm : public QMainWindow {
    Q_OBJECT
public:
    explicit GeneralForm(QString programDirectory, QWidget* parent = nullptr);

    static const QString kCaption;

    const QString& programDirectory() const { return programDirectory_; }

private:
    QString programDirectory_;
};

} // namespace kvt
