#pragma once

#include <QString>
#include <QStringView>

namespace kvt {

// Cyrillic letters to Latin (Ж -> G, Щ -> SH', Ъ and Ь -> ', Ю -> IU, Я -> IA); every other
// character is copied. Takes at most the first 140 characters and stops at a NUL character.
// Texts sent as 7-bit SMS go through it: the GSM alphabet has no Cyrillic letters.
QString Transliterate(QStringView text);

} // namespace kvt
