#pragma once

#include "forms/ComponentStream.h"

#include <QIODevice>
#include <QString>

#include <functional>

// The text form of object form files: a readable, editable notation for a component stream in
// which every value kind can be written, so that binary -> text -> binary gives the same bytes.
// The notation is described in docs/object-form-text.md.
//
//   object Station: TStationForm
//     Caption = 'Насосная станция'
//     ClientWidth = 640
//     object ComLed1: TComLed
//       Left = 24
//       Kind = lkGreenLight
//       Hint = 'crc1endcrc' +
//         'name0Заголовок для журналаendname0value0Насос 1endvalue0'
//     end
//   end
namespace kvt {

// The text of a stream (UTF-8 when saved).
QString FormToText(const ComponentStream& stream);

// The same text handed to `sink` a piece at a time, with the bytes after the form record read
// from `trailing` to its end instead of taken from the stream: a file's large trailing block is
// never held whole, neither as bytes nor as text.
void WriteFormText(const ComponentStream& stream, QIODevice& trailing, const std::function<void(const QString&)>& sink);

// Parses a text form; throws FormatError naming the line and column of the first mistake.
ComponentStream FormFromText(const QString& text);

} // namespace kvt
