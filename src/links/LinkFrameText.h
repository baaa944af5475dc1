#pragma once

#include <QString>

namespace kvt::links {

// The frame texts that the command and settings buttons leave in the link mailboxes, as
// hexadecimal text.
//
// A radio frame starts with LL: the number of bytes that the rest of the frame decodes to,
// plus one for LL itself, in upper-case hexadecimal with at least two digits. A trailing odd
// character of the body stays in the text but is not counted. RS-485 frames have no LL.
// A body that is not hexadecimal throws ConversionError while LL is counted.
QString WithLengthPrefix(const QString& body);

QString RadioCommandFrame(const QString& data);
// D + S + the console's radio address halves ("SH", "SL" of the settings window).
QString RadioSettingsFrame(const QString& data, const QString& settings, const QString& sh, const QString& sl);
QString Rs485CommandFrame(const QString& data);
// D + S + the console's RS-485 address ("Адрес в сети RS-485").
QString Rs485SettingsFrame(const QString& data, const QString& settings, const QString& ownAddress);

} // namespace kvt::links
