#pragma once

#include <QDialog>

namespace kvt {

// The about window (TFormAbout): banner, program title and a short description.
class AboutForm : public QDialog {
    Q_OBJECT
public:
    static const QString kTitle;

    explicit AboutForm(QWidget* parent = nullptr);

    // The banner across the top, drawn for this program.
    static QPixmap banner();
};

} // namespace kvt
