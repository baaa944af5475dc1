#include "gsm/PduConv.h"

#include "common/Win1251.h"

#include <array>
#include <initializer_list>

// The conversion of a single-byte text to the GSM 7-bit default alphabet (3GPP TS 23.038 §6.2.1).
// The table was laid out for the Windows-1252 character set: a byte is looked up by its value,
// so on the console's Windows-1251 texts a Cyrillic letter gets the code of the Western
// character with the same byte (Ж, byte 0xC6, becomes Æ, code 28).
namespace kvt {

namespace {

constexpr unsigned char kEscape = 27;         // announces a code of the extension table
constexpr unsigned char kUnknown = 63;        // '?', for bytes without a usable character
constexpr unsigned char kExtensionFlag = 0x80; // table marker: the entry is an extension code
constexpr unsigned char kCodeMask = 0x7F;

struct Mapping {
    unsigned char code;
    std::initializer_list<unsigned char> bytes;
};

using Table = std::array<unsigned char, 256>;

constexpr Table BuildTable()
{
    Table table{};
    for (auto& entry : table)
        entry = kUnknown;
    // Printable ASCII keeps its value unless listed below.
    for (int byte = 0x20; byte <= 0x7E; ++byte)
        table[byte] = static_cast<unsigned char>(byte);

    // Characters the GSM alphabet has, by their Windows-1252 byte (0xED, í, shares ì's code).
    const Mapping kExact[] = {
        {0, {'@'}},   {2, {'$'}},   {17, {'_'}},  {64, {0xA1}}, {1, {0xA3}},  {36, {0xA4}},
        {3, {0xA5}},  {95, {0xA7}}, {96, {0xBF}}, {91, {0xC4}}, {14, {0xC5}}, {28, {0xC6}},
        {9, {0xC7}},  {31, {0xC9}}, {93, {0xD1}}, {92, {0xD6}}, {11, {0xD8}}, {94, {0xDC}},
        {30, {0xDF}}, {127, {0xE0}}, {123, {0xE4}}, {15, {0xE5}}, {29, {0xE6}}, {4, {0xE8}},
        {5, {0xE9}},  {7, {0xEC, 0xED}}, {125, {0xF1}}, {8, {0xF2}}, {124, {0xF6}}, {12, {0xF8}},
        {6, {0xF9}},  {126, {0xFC}}, {10, {0x0A}}, {13, {0x0D}},
    };
    // Characters of the extension table: escape, then this code.
    const Mapping kExtension[] = {
        {10, {0x0C}}, {20, {'^'}}, {40, {'{'}}, {41, {'}'}}, {47, {'\\'}},
        {60, {'['}},  {61, {'~'}}, {62, {']'}}, {64, {'|'}},
    };
    // Nearest GSM character for characters the alphabet lacks.
    const Mapping kApproximate[] = {
        {39, {0x60, 0x82, 0x8B, 0x91, 0x92, 0x98, 0x9B, 0xB4}},
        {34, {0x84, 0x93, 0x94, 0xA8}},
        {45, {0x96, 0x97, 0xAD}},
        {42, {0x95, 0xD7}},
        {32, {0xA0}}, {33, {0xA6}}, {60, {0xAB}}, {62, {0xBB}}, {47, {0xF7}},
        {49, {0xB9}}, {50, {0xB2}}, {51, {0xB3}},
        {65, {0xC0, 0xC1, 0xC2, 0xC3}},
        {31, {0xC8, 0xCA, 0xCB}},
        {73, {0xCC, 0xCD, 0xCE, 0xCF}},
        {68, {0xD0}},
        {79, {0xD2, 0xD3, 0xD4, 0xD5}},
        {85, {0xD9, 0xDA, 0xDB}},
        {89, {0x9F, 0xDD}},
        {83, {0x8A}},
        {97, {0xE1, 0xE2, 0xE3}},
        {9, {0xE7}},
        {101, {0xEA, 0xEB}},
        {105, {0xEE, 0xEF}},
        {111, {0x9C, 0xF3, 0xF4, 0xF5}},
        {117, {0xB5, 0xFA, 0xFB}},
        {121, {0xFD, 0xFF}},
        {99, {0xA2}}, {102, {0x83}}, {115, {0x9A}},
    };
    for (const Mapping& m : kExact)
        for (unsigned char byte : m.bytes)
            table[byte] = m.code;
    for (const Mapping& m : kApproximate)
        for (unsigned char byte : m.bytes)
            table[byte] = m.code;
    for (const Mapping& m : kExtension)
        for (unsigned char byte : m.bytes)
            table[byte] = static_cast<unsigned char>(kExtensionFlag | m.code);

    // 0x8C (Œ in Windows-1252, Њ in the console's Windows-1251) has no GSM character, and the
    // table's original entry (214) is not a 7-bit code; it becomes '?' like its unmapped
    // neighbours 0x85..0x89 and 0x8D..0x90.
    table[0x8C] = kUnknown;
    return table;
}

constexpr Table kGsmTable = BuildTable();

} // namespace

QByteArray ToGsmAlphabet(QByteArrayView bytes)
{
    QByteArray codes;
    codes.reserve(bytes.size());
    for (char ch : bytes) {
        const unsigned char entry = kGsmTable[static_cast<unsigned char>(ch)];
        if (entry & kExtensionFlag)
            codes.append(static_cast<char>(kEscape));
        codes.append(static_cast<char>(entry & kCodeMask));
    }
    return codes;
}

QByteArray ToGsmAlphabet(QStringView text)
{
    return ToGsmAlphabet(ToWin1251(text));
}

} // namespace kvt
