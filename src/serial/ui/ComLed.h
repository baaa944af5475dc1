#pragma once

#include "serial/LinkIndicators.h"

#include <QWidget>

namespace kvt {

// A lamp of the link panel (TComLed): shows one lamp of LinkIndicators, lit or out. Its
// objectName is the lamp's name (ComLed5, ComLed4, ComLed1, ComLed2).
class ComLed : public QWidget {
    Q_OBJECT
public:
    ComLed(LinkIndicators& indicators, LinkLamp lamp, QWidget* parent = nullptr);

    bool isOn() const { return indicators_.isOn(lamp_); }
    void setOn(bool on) { indicators_.setOn(lamp_, on); }
    // The link-down marker of the lamp (255 out, 0 lit; always 0 on ComLed4).
    int helpContext() const { return indicators_.helpContext(lamp_); }
    LinkLamp lamp() const { return lamp_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LinkIndicators& indicators_;
    LinkLamp lamp_;
};

} // namespace kvt
