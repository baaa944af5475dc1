#pragma once

#include <QLabel>

namespace kvt {

// A label that reads like a link ("обновить"): blue, underlined, hand cursor, clickable.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace kvt
