#include "common/Transliterate.h"

#include <algorithm>
#include <array>

// Cyrillic to Latin for texts sent as 7-bit SMS, whose alphabet has no Cyrillic letters.
namespace kvt {

namespace {

constexpr qsizetype kMaxTransliteratedChars = 140;
constexpr char16_t kCapitalA = u'А';  // U+0410; А..Я and а..я are two runs of 32 letters
constexpr char16_t kSmallA = u'а';    // U+0430
constexpr int kAlphabetRun = 32;

// Latin of А, Б, ... Я in order (capital forms; small letters give the lower case).
constexpr std::array<const char*, kAlphabetRun> kLatin = {
    "A", "B", "V", "G", "D", "E", "G", "Z", "I", "I", "K", "L", "M", "N", "O", "P",
    "R", "S", "T", "U", "F", "H", "C", "CH", "SH", "SH'", "'", "I", "'", "E", "IU", "IA",
};
constexpr int kIndexOfE = 5;  // Ё and ё go as Е and е

// Index of the letter in the А..Я run and whether it is a small letter; -1 for others.
int letterIndex(QChar ch, bool& small)
{
    const char16_t u = ch.unicode();
    small = false;
    if (u >= kCapitalA && u < kCapitalA + kAlphabetRun)
        return u - kCapitalA;
    if (u >= kSmallA && u < kSmallA + kAlphabetRun) {
        small = true;
        return u - kSmallA;
    }
    if (u == u'Ё')
        return kIndexOfE;
    if (u == u'ё') {
        small = true;
        return kIndexOfE;
    }
    return -1;
}

} // namespace

QString Transliterate(QStringView text)
{
    QString out;
    const qsizetype limit = std::min(text.size(), kMaxTransliteratedChars);
    out.reserve(limit * 2);
    for (qsizetype i = 0; i < limit && !text[i].isNull(); ++i) {
        bool small = false;
        const int index = letterIndex(text[i], small);
        if (index < 0) {
            out.append(text[i]);
            continue;
        }
        const QString latin = QString::fromLatin1(kLatin[index]);
        out.append(small ? latin.toLower() : latin);
    }
    return out;
}

} // namespace kvt
