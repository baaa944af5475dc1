#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace kvt {

// What one call of ApplyStatePacket collects while it visits the controls: the texts the state
// archive, the forwarding and the alarm notifications are built from. Entries follow the
// visiting order of the controls.
class StateSummaries {
public:
    // The state and alarm summaries stop growing at this many characters.
    static constexpr int kSummaryLimit = 1024;

    // Entries as the archive and the forwarded text show them.
    void addState(QStringView title, QStringView text);     // title " - " text "; "  (capped)
    void addAlarm(QStringView title);                       // title "; "             (capped)
    void addSetting(QStringView title, QStringView text);   // title " - " text "; "
    void addForward(QStringView title, QStringView text);   // title "-" text "; "
    void addForwardAlarm(QStringView title);                // title ";"

    void raiseAlarm() { alarm_ = true; }
    void setGkText(const QString& text) { gk_ = text; }
    void setLinkCheck(const QString& value) { linkCheck_ = value; }

    bool alarm() const { return alarm_; }
    const QString& stateSummary() const { return state_; }
    const QString& alarmSummary() const { return alarms_; }
    const QString& settingsSummary() const { return settings_; }
    const QString& forwardSummary() const { return forward_; }
    const QString& forwardAlarms() const { return forwardAlarms_; }
    // Empty, "GK-zakr" or "GK-otkr".
    const QString& gkText() const { return gk_; }
    // The value for the object's link-check setting, when a marked setting box gave one.
    const std::optional<QString>& linkCheck() const { return linkCheck_; }

private:
    bool alarm_ = false;
    QString state_;
    QString alarms_;
    QString settings_;
    QString forward_;
    QString forwardAlarms_;
    QString gk_;
    std::optional<QString> linkCheck_;
};

// The hand-over of a fully processed packet to the archive, forwarding and alarm steps.
struct StatePacketResult {
    StateSummaries summaries;
    QString stamp;       // receipt stamp "dd.mm.yy  hh:mm"
    QString objectName;  // Name_O
    QString phone;       // Phone_O
};

} // namespace kvt
