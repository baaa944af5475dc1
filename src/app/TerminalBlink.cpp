#include "app/TerminalBlink.h"

#include "common/MainTimers.h"

#include <QPalette>
#include <QWidget>

namespace kvt {

const QColor TerminalBlink::kRed(255, 0, 0);
const QColor TerminalBlink::kBlack(0, 0, 0);

TerminalBlink::TerminalBlink(QWidget& button, MainTimers& timers, std::function<bool()> terminalWindowShown)
    : button_(button), timers_(timers), terminalWindowShown_(std::move(terminalWindowShown))
{
}

QColor TerminalBlink::captionColour() const
{
    return button_.palette().color(QPalette::ButtonText);
}

void TerminalBlink::setCaptionColour(const QColor& colour)
{
    QPalette palette = button_.palette();
    palette.setColor(QPalette::ButtonText, colour);
    button_.setPalette(palette);
}

void TerminalBlink::tick()
{
    setCaptionColour(captionColour() == kRed ? kBlack : kRed);
    if (terminalWindowShown_ && terminalWindowShown_()) {
        setCaptionColour(kBlack);
        timers_.stop(MainTimer::Timer1);
    }
}

} // namespace kvt
