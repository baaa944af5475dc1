#include "forms/FormText.h"

#include "common/Errors.h"
#include "common/Win1251.h"
#include "forms/FormTextValues.h"

#include <QBuffer>

#include <algorithm>
#include <array>
#include <functional>

namespace kvt {
namespace {

using namespace formtext;

constexpr int kIndentStep = 2;
constexpr int kStringPieceLength = 64;  // characters of a long string per line
constexpr int kBinaryBytesPerLine = 32;

constexpr qint64 kTrailingChunk = 2048 * kBinaryBytesPerLine;  // bytes read at a time
constexpr qsizetype kSpillChars = 1 << 16;                         // text handed on at a time

// The bytes of the binary text line that starts at `at`.
QByteArrayView lineAt(QByteArrayView bytes, qsizetype at)
{
    return bytes.sliced(at, std::min<qsizetype>(kBinaryBytesPerLine, bytes.size() - at));
}

class TextWriter {
public:
    using Sink = std::function<void(const QString&)>;

    // Without a sink the whole text is kept and returned; with one, it is handed on in pieces.
    explicit TextWriter(Sink sink = {}) : sink_(std::move(sink)) {}

    QString write(const ComponentStream& stream, QIODevice& trailing)
    {
        record(*stream.root, 0);
        trailingBlock(trailing);
        if (sink_) {
            sink_(out_);
            out_.clear();
        }
        return out_;
    }

private:
    // The bytes after the form record, read to the end of `in` a chunk at a time; the same
    // text as binary() gives for them at level 0.
    void trailingBlock(QIODevice& in)
    {
        QByteArray pending = in.read(kTrailingChunk);
        if (pending.isEmpty())
            return;
        out_ += QLatin1String("trailing ");
        if (pending.size() <= kBinaryBytesPerLine / 2 && in.atEnd()) {
            binary(pending, 0);
            out_ += u'\n';
            return;
        }
        out_ += u'{';
        for (;;) {
            qsizetype done = 0;
            const bool last = in.atEnd();
            while (pending.size() - done >= kBinaryBytesPerLine || (last && done < pending.size())) {
                binaryLine(lineAt(pending, done), 0);
                done += kBinaryBytesPerLine;
            }
            spill();
            if (last)
                break;
            const QByteArray more = in.read(kTrailingChunk);
            if (more.isEmpty() && !in.atEnd())
                throw IoError(QStringLiteral("cannot read the bytes after the form: %1").arg(in.errorString()));
            pending = pending.mid(done) + more;
        }
        out_ += QLatin1String("}\n");
    }

    void spill()
    {
        if (sink_ && out_.size() >= kSpillChars) {
            sink_(out_);
            out_.clear();
        }
    }

    void binaryLine(QByteArrayView bytes, int level)
    {
        out_ += u'\n';
        indent(level + 1);
        out_ += QString::fromLatin1(bytes.toByteArray().toHex().toUpper());
    }

    void indent(int level) { out_ += QString(level * kIndentStep, u' '); }

    void record(const StreamRecord& r, int level)
    {
        indent(level);
        out_ += QLatin1String("object ") + NameText(r.name) + QLatin1String(": ") + NameText(r.className);
        if (r.hasPrefix) {
            out_ += QLatin1String(" flags ") + QString::number(r.flags);
            if (r.childPosition)
                out_ += QLatin1String(" position ") + ScalarText(*r.childPosition);
        }
        out_ += u'\n';
        properties(r.properties, level + 1);
        for (const auto& child : r.children)
            record(*child, level + 1);
        indent(level);
        out_ += QLatin1String("end\n");
    }

    void properties(const std::vector<StreamProperty>& list, int level)
    {
        for (const StreamProperty& p : list) {
            indent(level);
            out_ += NameText(p.name) + QLatin1String(" = ");
            value(p.value, level);
            out_ += u'\n';
        }
    }

    // Strings longer than a line are split into pieces joined by "+".
    void quoted(const QString& function, const std::vector<QString>& pieces, int level)
    {
        if (!function.isEmpty())
            out_ += function + u'(';
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (i > 0) {
                out_ += QLatin1String(" +\n");
                indent(level + 1);
            }
            out_ += pieces[i];
        }
        if (!function.isEmpty())
            out_ += u')';
    }

    void binary(const QByteArray& bytes, int level)
    {
        if (bytes.size() <= kBinaryBytesPerLine / 2) {
            out_ += u'{' + QString::fromLatin1(bytes.toHex().toUpper()) + u'}';
            return;
        }
        out_ += u'{';
        for (qsizetype i = 0; i < bytes.size(); i += kBinaryBytesPerLine)
            binaryLine(lineAt(bytes, i), level);
        out_ += u'}';
    }

    void value(const StreamValue& v, int level)
    {
        switch (v.kind) {
        case ValueKind::String:
            quoted({}, StringPieces(v, kStringPieceLength), level);
            break;
        case ValueKind::LString:
            quoted(QStringLiteral("lstring"), StringPieces(v, kStringPieceLength), level);
            break;
        case ValueKind::WString:
            quoted(QStringLiteral("wstring"), StringPieces(v, kStringPieceLength), level);
            break;
        case ValueKind::Utf8String:
            if (IsCleanUtf8(v.bytes)) {
                quoted(QStringLiteral("utf8"), StringPieces(v, kStringPieceLength), level);
            } else {
                out_ += QLatin1String("utf8(");
                binary(v.bytes, level);
                out_ += u')';
            }
            break;
        case ValueKind::Binary:
            binary(v.bytes, level);
            break;
        case ValueKind::List:
            out_ += u'(';
            for (const StreamValue& item : v.items) {
                out_ += u'\n';
                indent(level + 1);
                value(item, level + 1);
            }
            out_ += u')';
            break;
        case ValueKind::Collection:
            out_ += u'<';
            for (const CollectionItem& item : v.collection) {
                out_ += u'\n';
                indent(level + 1);
                out_ += QLatin1String("item");
                if (item.order)
                    out_ += QLatin1String(" [") + ScalarText(*item.order) + u']';
                out_ += u'\n';
                properties(item.properties, level + 2);
                indent(level + 1);
                out_ += QLatin1String("end");
            }
            out_ += u'>';
            break;
        default:
            out_ += ScalarText(v);
            break;
        }
    }

    Sink sink_;
    QString out_;
};

} // namespace

QString FormToText(const ComponentStream& stream)
{
    if (!stream.root)
        throw FormatError(QStringLiteral("no form record to write"));
    QBuffer trailing;
    trailing.setData(stream.trailing);
    trailing.open(QIODevice::ReadOnly);
    return TextWriter().write(stream, trailing);
}

void WriteFormText(const ComponentStream& stream, QIODevice& trailing, const std::function<void(const QString&)>& sink)
{
    if (!stream.root)
        throw FormatError(QStringLiteral("no form record to write"));
    TextWriter(sink).write(stream, trailing);
}

} // namespace kvt
