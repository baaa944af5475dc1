#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Colour values as object form files store them: 0x00BBGGRR for a plain colour, 0xFF000000 | index
// for a system colour (clScrollBar = 0xFF000000, clBtnFace = 0xFF00000F), and named identifiers
// ("clWhite") for the well-known ones.
namespace kvt {

inline constexpr quint32 kColorWhite = 0xFFFFFF;
inline constexpr quint32 kColorYellow = 0xFFFF;
inline constexpr quint32 kColorGreen = 0x8000;
inline constexpr quint32 kColorRed = 0xFF;
inline constexpr quint32 kColorBlack = 0;
inline constexpr quint32 kSystemColorFlag = 0xFF000000;
inline constexpr quint32 kColorScrollBar = kSystemColorFlag | 0;
inline constexpr quint32 kColorBtnFace = kSystemColorFlag | 15;
inline constexpr quint32 kColorWindow = kSystemColorFlag | 5;
inline constexpr quint32 kColorWindowText = kSystemColorFlag | 8;
inline constexpr quint32 kColorBtnText = kSystemColorFlag | 18;
inline constexpr quint32 kColorNone = 0x1FFFFFFF;
inline constexpr quint32 kColorDefault = 0x20000000;

// The value of a colour identifier ("clRed" -> 255), ignoring letter case; nothing when unknown.
std::optional<quint32> ColorFromIdent(QByteArrayView ident);

// The identifier of a colour value when it has one ("clRed"), else an empty array.
QByteArray IdentFromColor(quint32 color);

} // namespace kvt
