#pragma once

#include <QString>
#include <QStringList>

namespace kvt {

// How subscribers are told of an alarm: by a call, or by an SMS report.
enum class AlarmNotificationMethod { Call, Sms };

// The settings the closing steps of a packet use; the caller fills it from the settings model
// at the time of the packet. The method list's first item, "Дозвон", calls; any other item,
// and no selection, sends SMS reports.
struct NotificationSettings {
    // Forwarding of every packet's summary to the higher dispatch point.
    bool forwardActive = false;
    QString forwardPhone;

    // Alarm notifications to the subscribers, in list order.
    bool alarmsActive = false;
    AlarmNotificationMethod alarmMethod = AlarmNotificationMethod::Call;
    int alarmSmsAttempts = 2;  // per subscriber; 0 or less sends nothing
    QStringList subscribers;
};

} // namespace kvt
