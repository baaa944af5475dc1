#pragma once

#include <QObject>
#include <QString>

#include <array>

namespace kvt {

// The lamps of the main window's link panel, by what they show (the widgets are named after
// the link panel's controls: ComLed5, ComLed4, ComLed1, ComLed2).
enum class LinkLamp {
    GsmModem,   // "Связь с GSM модемом"
    GsmNetwork, // "Регистрация в сети GSM"
    Radio,      // "Связь с радиомодемом"
    Rs485,      // "Порт адаптера RS-485"
};

// The state the link panel shows: four two-state lamps and the GSM signal bar. The program
// switches the lamps itself; none is bound to a port.
//
// The GSM modem, radio and RS-485 lamps carry a link-down marker (their help-context number):
// 255 while the lamp is out, 0 while it is lit, starting at 255. Other parts of the console read
// the marker, not the lamp. The network registration lamp has no marker and keeps 0.
class LinkIndicators : public QObject {
    Q_OBJECT
public:
    static constexpr int kLinkDownMarker = 255;
    static constexpr int kLinkUpMarker = 0;
    static constexpr int kSignalMin = 0;
    static constexpr int kSignalMax = 100;

    explicit LinkIndicators(QObject* parent = nullptr);

    bool isOn(LinkLamp lamp) const { return state(lamp).on; }
    void setOn(LinkLamp lamp, bool on);
    int helpContext(LinkLamp lamp) const { return state(lamp).helpContext; }
    static bool HasChangeMarker(LinkLamp lamp);
    static QString ObjectName(LinkLamp lamp);

    // The signal bar RbProgressBar2, 0 to 100.
    int signalPercent() const { return signalPercent_; }
    void setSignalPercent(int percent);

signals:
    void lampChanged(kvt::LinkLamp lamp, bool on);
    void signalPercentChanged(int percent);

private:
    struct LampState {
        bool on = false;
        int helpContext = 0;
    };
    const LampState& state(LinkLamp lamp) const { return lamps_[static_cast<size_t>(lamp)]; }
    LampState& state(LinkLamp lamp) { return lamps_[static_cast<size_t>(lamp)]; }
    // ComLed5Change, ComLed1Change, ComLed2Change: mirror the new state into the marker.
    void mirrorIntoMarker(LinkLamp lamp);

    std::array<LampState, 4> lamps_;
    int signalPercent_ = kSignalMin;
};

} // namespace kvt
