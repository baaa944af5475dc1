#pragma once

#include "forms/ComponentStream.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QStringList>

// How the presentation properties of object form records become screen colours, fonts and
// pictures.
namespace kvt {

// The screen colour of a stored colour value; system colours get the usual desktop palette.
QColor ScreenColor(quint32 color);

// The font of a form or control: the parent's font with the record's own Font.* properties
// (Name, Height or Size, Style, Color) over it. `color` receives the text colour.
QFont FontOf(const StreamRecord& record, const QFont& parentFont, QColor& color, const QColor& parentColor);

// The font a form has when it stores none.
QFont DefaultFormFont();

// An integer, identifier or string list property of a record, with a fallback.
int IntProperty(const StreamRecord& record, QByteArrayView name, int fallback);
QByteArray IdentProperty(const StreamRecord& record, QByteArrayView name, const QByteArray& fallback = {});
bool BoolProperty(const StreamRecord& record, QByteArrayView name, bool fallback);
QStringList StringsProperty(const StreamRecord& record, QByteArrayView name);

// A picture stored as TPicture data (a class name, then the graphic's data): bitmaps and the
// other formats the platform reads; a null image for any other (drawn as an empty frame).
QImage PictureFromData(const QByteArray& data);

// A bitmap stored as TBitmap data (4-byte size, then the bitmap file), e.g. a button glyph;
// a null image when it cannot be read.
QImage BitmapFromData(const QByteArray& data);

// The first of `glyphCount` glyphs side by side in a button glyph, its background (the colour of
// the bottom-left pixel) made transparent.
QImage FirstGlyph(const QImage& glyphs, int glyphCount);

// Node captions of a tree view stored as Items.Data, with their depth; empty when unreadable.
struct TreeItem {
    QString text;
    int depth = 0;
};
std::vector<TreeItem> TreeItemsFromData(const QByteArray& data);

} // namespace kvt
