#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace kvt {

// The decoder's own copy of a state packet: upper-case hex text, two characters per byte, byte 1
// first, ending at the first NUL character of the text it was given. Positions are 1-based.
class StatePacket {
public:
    explicit StatePacket(QStringView raw);

    const QString& text() const { return text_; }
    qsizetype length() const { return text_.size(); }

    // True when character position `position` lies within the packet.
    bool reaches(qint64 position) const { return position >= 1 && position <= text_.size(); }

    // The two characters of byte `number` (fewer at the end of the packet, none outside it).
    QString byteText(qint64 number) const;

    // The hex text of bytes first .. first+count-1: characters 2*first-1 through 2*(first+count-1).
    struct Run {
        QString hex;          // the characters of that range that lie within the packet
        bool complete = false; // every position of the range lies within the packet
    };
    Run run(qint64 first, qint64 count) const;

    // The packet read as characters: each byte one Windows-1251 character, carriage returns
    // left out, a trailing half byte ignored, at most the first 255 characters kept.
    // Throws ConversionError when a byte is not hexadecimal.
    QString characters() const;

    // Devices report two readings as decimal digits: when the packet holds at least 16 bytes and
    // bytes 7 and 12 are 'A' and 'E', the characters of bytes 8-11 and then of bytes 13-16 (the
    // fourth left out when it is a space) are read as a decimal number whose 16-bit big-endian
    // value replaces the first two bytes of the field. Throws ConversionError when a field is
    // not a number.
    void convertDecimalFields();

    // The copy a text panel reads: when bytes 6 and 7 are 20 and 41 (" A"), bytes 1-6 become
    // spaces (20).
    StatePacket withBlankedHeader() const;

private:
    void convertDecimalField(qint64 firstByte);

    QString text_;
};

} // namespace kvt
