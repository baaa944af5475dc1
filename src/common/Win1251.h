#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

namespace kvt {

// Windows-1251, the code page of every file, packet text and SMS text of the console.
// Every one of the 256 byte values maps to one character and back to the same byte.

// The character of one byte.
QChar Win1251Char(unsigned char byte);

// The byte of one character; characters outside the code page become '?'.
unsigned char Win1251Byte(QChar ch);

// True when the character has a byte of its own in the code page.
bool IsWin1251Char(QChar ch);

QString FromWin1251(QByteArrayView bytes);
QByteArray ToWin1251(QStringView text);

} // namespace kvt
