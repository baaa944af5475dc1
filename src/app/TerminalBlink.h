#pragma once

#include <QColor>

#include <functional>

class QWidget;

namespace kvt {

class MainTimers;

// The blinking caption of "Терминал (GSM)" that announces a terminal answer (Timer1): the caption
// turns red and black in turn until the terminal window is seen.
class TerminalBlink {
public:
    static const QColor kRed;
    static const QColor kBlack;

    TerminalBlink(QWidget& button, MainTimers& timers, std::function<bool()> terminalWindowShown);

    // One tick of Timer1.
    void tick();

    QColor captionColour() const;

private:
    void setCaptionColour(const QColor& colour);

    QWidget& button_;
    MainTimers& timers_;
    std::function<bool()> terminalWindowShown_;
};

} // namespace kvt
