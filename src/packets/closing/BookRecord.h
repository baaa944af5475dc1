#pragma once

#include "common/MonthlyBookPath.h"

#include <QString>

namespace kvt {

struct StatePacketResult;

// The texts of the monthly books (Windows-1251 HTML, never closed, one record line per packet).

// The head written once at the top of a new book: the page head with the book's title and the
// style sheet of its tables.
QString BookHead(MonthlyBook book);

// One record of a fully processed packet, ended by CR LF: a table headed by the object name,
// phone and receipt stamp, with the rows of the state, settings and alarm summaries. Every text
// that comes from the object or its packet is HTML-escaped, so a packet can never inject markup;
// the fixed pieces are written exactly as they are.
QString BookRecordLine(MonthlyBook book, const StatePacketResult& packet);

} // namespace kvt
