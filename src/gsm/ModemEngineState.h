#pragma once

#include "gsm/ModemDialogueState.h"

#include <QtGlobal>

namespace kvt {

// The shared flags of the modem engine: the receive dispatcher (QueryTimer) raises the
// answered counter, the keep-alive cycle (ATTimer) tests it and walks its command rotation.
struct ModemEngineState {
    static constexpr quint8 kFirstKeepAliveStep = 1;
    static constexpr quint8 kLastKeepAliveStep = 5;

    // The next command of the keep-alive rotation, 1 to 5; 1 when the modem is connected.
    quint8 keepAliveStep = kFirstKeepAliveStep;
    // Raised for every modem read that holds CR LF; tested and cleared by the keep-alive cycle.
    quint8 modemAnswered = 0;
    // Keep-alive ticks in a row without an answer (wraps from 255 to 0).
    quint8 noAnswerCount = 0;
    // Set after more than 10 silent ticks and at start-up; cleared when the modem answers.
    bool modemLost = true;
    // The modem has been reported silent ("GSM Модем не отвечает") and has not answered since:
    // its recovery is logged once when it answers again, and the operator actions that need the
    // modem refuse meanwhile.
    bool silenceReported = false;
    // Index of the next message left in the modem's memory to read.
    quint8 missedMessageIndex = 0;
    // Set while a poll ordered by the higher dispatch point runs.
    bool dispatchPollFlag = false;
    // Whether a dialogue with the modem is under way.
    gsm::ModemDialogueState dialogue;

    // What the refusals that look for "Модем не отвечает" ask.
    bool modemReportedSilent() const { return silenceReported; }
};

} // namespace kvt
