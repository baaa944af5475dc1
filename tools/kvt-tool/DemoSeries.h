#pragma once

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// A long stored history for a demo object, so that its trends have something to show: a packet
// every few minutes over the last days, whose fields move slowly up and down with some noise.
namespace kvt::tool {

// A field of the packet that moves: COUNT bytes from byte BYTE (big-endian), going between
// LOW and HIGH and back once every PERIOD hours.
struct DemoField {
    int byte = 0;
    int count = 0;
    double low = 0;
    double high = 0;
    double periodHours = 0;
};

struct DemoSeries {
    int days = 0;
    int stepMinutes = 0;
    QString templateHex;        // the packet the fields are written into
    QList<DemoField> fields;
    int shortEvery = 0;         // every this many packets is cut short (0: none)...
    int shortBytes = 0;         // ...to this many bytes
};

// Reads "DAYS|STEP_MINUTES|TEMPLATE_HEX|BYTE:COUNT:LOW:HIGH:PERIOD_HOURS ...[|EVERY:BYTES]".
std::optional<DemoSeries> ReadDemoSeries(const QString& text);

// The packets with their receipt stamps, oldest first, the newest at `now` (to the minute).
// The noise is the same on every run.
QList<QPair<QString, QString>> DemoSeriesPackets(const DemoSeries& series, const QDateTime& now);

} // namespace kvt::tool
