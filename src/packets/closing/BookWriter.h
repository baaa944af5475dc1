#pragma once

#include "common/MonthlyBookPath.h"

#include <QString>

namespace kvt {

class Clock;
struct StatePacketResult;

// Appends records to the monthly books of the program directory, in the month of the local
// clock at the time of writing. A book is started with its head; a book's folder that is
// missing (deleted while the console runs) is created again.
class MonthlyBookWriter {
public:
    // `programDirectory` ends with '/'.
    MonthlyBookWriter(QString programDirectory, const Clock& clock);

    // Appends the packet's record to this month's book and returns the book's path. The head
    // and the record go to the file in one write, so a failure never leaves half a line: what
    // was written of it is cut off again. Throws IoError naming the file or folder and the
    // system's reason.
    QString append(MonthlyBook book, const StatePacketResult& packet) const;

private:
    QString programDirectory_;
    const Clock& clock_;
};

} // namespace kvt
