#pragma once

#include "links/LinkKind.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The register map of the objects' controllers on the RS-485 link (Modbus RTU, the console is
// the master, each object a slave):
//
//   input registers from 0x0000, 70 of them: the report, 140 bytes, each register's high byte
//     first (read with function 0x04);
//   holding registers from 0x0100: a command frame, from 0x0200: a settings frame (written with
//     function 0x10): the first register holds the byte count n, the following registers the
//     bytes, high byte first, an odd last byte padded with 0.
namespace kvt::links::rs485 {

inline constexpr int kReportAddress = 0x0000;
inline constexpr int kReportRegisters = kLinkReportSize / 2;
inline constexpr int kCommandAddress = 0x0100;
inline constexpr int kSettingsAddress = 0x0200;
// At most this many registers go in one write (the limit of function 0x10).
inline constexpr int kMaxWriteRegisters = 123;
inline constexpr int kMaxFrameBytes = (kMaxWriteRegisters - 1) * 2;

// The bytes of registers, each register's high byte first.
QByteArray RegistersToBytes(const QList<quint16>& registers);
// The registers that carry a frame: the byte count, then the bytes in pairs.
QList<quint16> FrameRegisters(QByteArrayView frame);

} // namespace kvt::links::rs485
