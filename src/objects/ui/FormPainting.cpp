#include "objects/ui/FormPainting.h"

#include "common/Win1251.h"
#include "forms/DelphiColor.h"

#include <QtEndian>

#include <array>

namespace kvt {
namespace {

// The classic desktop palette for the system colours 0..30 (0x00RRGGBB).
constexpr std::array<quint32, 31> kSystemPalette{
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x434E54, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0,
};
constexpr quint32 kUnknownSystemColor = 0xF0F0F0;
constexpr quint32 kSystemIndexMask = 0xFF;
constexpr int kDefaultFontPixels = 11;  // 8 points at 96 dots per inch
constexpr double kPointsToPixels = 96.0 / 72.0;
constexpr double kCellHeightToPixels = 0.8;  // a positive height includes the internal leading
constexpr int kSizeFieldBytes = 4;
constexpr int kTreeNodeTextBytes = 256;          // string[255] of a node record
constexpr int kTreeNodeHeaderBytes = 6 * 4;      // image, selected, state, overlay, data, count
constexpr int kMaxTreeDepth = 32;

const StreamProperty* find(const StreamRecord& record, QByteArrayView name)
{
    return record.property(name);
}

} // namespace

QColor ScreenColor(quint32 color)
{
    if ((color & kSystemColorFlag) == kSystemColorFlag) {
        const quint32 index = color & kSystemIndexMask;
        return QColor::fromRgb(index < kSystemPalette.size() ? kSystemPalette[index] : kUnknownSystemColor);
    }
    if (color == kColorNone || color == kColorDefault)
        return QColor(Qt::transparent);
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

QFont DefaultFormFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kDefaultFontPixels);
    return font;
}

int IntProperty(const StreamRecord& record, QByteArrayView name, int fallback)
{
    const StreamProperty* p = find(record, name);
    return p && p->value.isInteger() ? int(p->value.integer) : fallback;
}

QByteArray IdentProperty(const StreamRecord& record, QByteArrayView name, const QByteArray& fallback)
{
    const StreamProperty* p = find(record, name);
    return p && p->value.kind == ValueKind::Ident ? p->value.bytes : fallback;
}

bool BoolProperty(const StreamRecord& record, QByteArrayView name, bool fallback)
{
    const StreamProperty* p = find(record, name);
    if (!p)
        return fallback;
    return p->value.kind == ValueKind::True ? true : p->value.kind == ValueKind::False ? false : fallback;
}

QStringList StringsProperty(const StreamRecord& record, QByteArrayView name)
{
    QStringList strings;
    if (const StreamProperty* p = find(record, name); p && p->value.kind == ValueKind::List) {
        for (const StreamValue& item : p->value.items)
            strings << item.text();
    }
    return strings;
}

QFont FontOf(const StreamRecord& record, const QFont& parentFont, QColor& color, const QColor& parentColor)
{
    QFont font = parentFont;
    color = parentColor;
    if (const StreamProperty* p = find(record, "Font.Name"); p && p->value.isText())
        font.setFamily(p->value.text());
    if (const StreamProperty* p = find(record, "Font.Height"); p && p->value.isInteger() && p->value.integer != 0) {
        const qint64 height = p->value.integer;
        font.setPixelSize(std::max(1, int(height < 0 ? -height : height * kCellHeightToPixels)));
    } else if (const StreamProperty* p = find(record, "Font.Size"); p && p->value.isInteger() && p->value.integer > 0) {
        font.setPixelSize(std::max(1, int(p->value.integer * kPointsToPixels + 0.5)));
    }
    if (const StreamProperty* p = find(record, "Font.Style"); p && p->value.kind == ValueKind::Set) {
        const auto& e = p->value.elements;
        auto has = [&](const char* name) { return std::find(e.begin(), e.end(), QByteArray(name)) != e.end(); };
        font.setBold(has("fsBold"));
        font.setItalic(has("fsItalic"));
        font.setUnderline(has("fsUnderline"));
        font.setStrikeOut(has("fsStrikeOut"));
    }
    if (const StreamProperty* p = find(record, "Font.Color")) {
        if (p->value.isInteger())
            color = ScreenColor(quint32(p->value.integer));
        else if (const auto named = ColorFromIdent(p->value.bytes); p->value.kind == ValueKind::Ident && named)
            color = ScreenColor(*named);
    }
    return font;
}

QImage BitmapFromData(const QByteArray& data)
{
    if (data.size() < kSizeFieldBytes)
        return {};
    const qint64 size = qFromLittleEndian<qint32>(data.constData());
    if (size <= 0 || size > data.size() - kSizeFieldBytes)
        return {};
    QImage image;
    image.loadFromData(data.mid(kSizeFieldBytes, size));
    return image;
}

QImage PictureFromData(const QByteArray& data)
{
    if (data.isEmpty())
        return {};
    const int nameLength = quint8(data[0]);
    if (1 + nameLength > data.size())
        return {};
    // Bitmaps, icons and JPEG pictures all keep a 4-byte size before the file; metafiles and
    // unknown graphics are left undrawn.
    QImage image = BitmapFromData(data.mid(1 + nameLength));
    if (image.isNull()) {
        QImage whole;
        whole.loadFromData(data.mid(1 + nameLength));
        image = whole;
    }
    return image;
}

QImage FirstGlyph(const QImage& glyphs, int glyphCount)
{
    if (glyphs.isNull())
        return {};
    const int width = glyphs.width() / std::max(1, glyphCount);
    QImage glyph = glyphs.copy(0, 0, std::max(1, width), glyphs.height()).convertToFormat(QImage::Format_ARGB32);
    const QRgb background = glyph.pixel(0, glyph.height() - 1);
    for (int y = 0; y < glyph.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(glyph.scanLine(y));
        for (int x = 0; x < glyph.width(); ++x) {
            if (line[x] == background)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return glyph;
}

namespace {

// Node records as the tree view writes them: a count, then per node six 32-bit fields (images,
// data, child count) and the caption as string[255], its children following it.
bool readNodes(const QByteArray& data, qsizetype& pos, qint32 count, int depth, std::vector<TreeItem>& items)
{
    if (depth > kMaxTreeDepth)
        return false;
    for (qint32 i = 0; i < count; ++i) {
        if (data.size() - pos < kTreeNodeHeaderBytes + kTreeNodeTextBytes)
            return false;
        const qint32 children = qFromLittleEndian<qint32>(data.constData() + pos + kTreeNodeHeaderBytes - 4);
        const int length = quint8(data[pos + kTreeNodeHeaderBytes]);
        items.push_back({FromWin1251(data.mid(pos + kTreeNodeHeaderBytes + 1, length)), depth});
        pos += kTreeNodeHeaderBytes + kTreeNodeTextBytes;
        if (children < 0 || !readNodes(data, pos, children, depth + 1, items))
            return false;
    }
    return true;
}

} // namespace

std::vector<TreeItem> TreeItemsFromData(const QByteArray& data)
{
    std::vector<TreeItem> items;
    if (data.size() < kSizeFieldBytes)
        return items;
    qsizetype pos = kSizeFieldBytes;
    const qint32 count = qFromLittleEndian<qint32>(data.constData());
    if (count < 0 || !readNodes(data, pos, count, 0, items))
        items.clear();
    return items;
}

} // namespace kvt
