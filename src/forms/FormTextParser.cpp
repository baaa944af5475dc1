#include "common/Errors.h"
#include "common/Win1251.h"
#include "forms/FormText.h"
#include "forms/FormTextValues.h"

#include <cctype>

namespace kvt {
namespace {

using namespace formtext;

// The binary reader refuses deeper nesting; the parser stops there too.
constexpr int kMaxTextNesting = 64;
constexpr int kMaxFlags = 15;
constexpr int kMaxUnit = 0xFFFF;
constexpr int kMaxByte = 0xFF;
constexpr int kShortStringMax = 255;

enum class Tok { End, Word, Number, String, Binary, Punct };

// One part of a string literal: quoted characters, or the number after '#'.
struct StringPart {
    bool isCode = false;
    QString text;
    int code = 0;
};

struct Token {
    Tok type = Tok::End;
    QString text;  // word, number, punctuation, hex digits of a binary
    std::vector<StringPart> parts;
    int line = 1;
    int column = 1;
};

class Lexer {
public:
    explicit Lexer(const QString& text) : text_(text) {}

    Token next()
    {
        skipBlanks();
        Token t;
        t.line = line_;
        t.column = int(pos_ - lineStart_) + 1;
        if (pos_ >= text_.size())
            return t;
        const QChar ch = text_[pos_];
        if (ch == u'\'' || ch == u'#') {
            t.type = Tok::String;
            stringParts(t);
        } else if (ch == u'{') {
            t.type = Tok::Binary;
            ++pos_;
            while (pos_ < text_.size() && text_[pos_] != u'}') {
                if (!text_[pos_].isSpace())
                    t.text += text_[pos_];
                advance();
            }
            if (pos_ >= text_.size())
                fail(t, QStringLiteral("binary data without its closing '}'"));
            ++pos_;
        } else if (ch.isDigit() || ch == u'-' || ch == u'$') {
            t.type = Tok::Number;
            t.text += ch;
            ++pos_;
            while (pos_ < text_.size()) {
                const QChar c = text_[pos_];
                const bool exponentSign = (c == u'+' || c == u'-') && (t.text.endsWith(u'e') || t.text.endsWith(u'E'))
                    && !t.text.startsWith(u'$');
                if (!(c.isLetterOrNumber() || c == u'.' || exponentSign))
                    break;
                t.text += c;
                ++pos_;
            }
        } else if (ch.isLetter() || ch == u'_') {
            t.type = Tok::Word;
            while (pos_ < text_.size() && (text_[pos_].isLetterOrNumber() || text_[pos_] == u'_' || text_[pos_] == u'.'))
                t.text += text_[pos_++];
        } else if (QStringLiteral("=:()[]<>,+").contains(ch)) {
            t.type = Tok::Punct;
            t.text = ch;
            ++pos_;
        } else {
            fail(t, QStringLiteral("unexpected character '%1'").arg(ch));
        }
        return t;
    }

    [[noreturn]] static void fail(const Token& at, const QString& message)
    {
        throw FormatError(QStringLiteral("line %1, column %2: %3").arg(at.line).arg(at.column).arg(message));
    }

private:
    void advance()
    {
        if (text_[pos_] == u'\n') {
            ++line_;
            lineStart_ = pos_ + 1;
        }
        ++pos_;
    }

    void skipBlanks()
    {
        while (pos_ < text_.size()) {
            if (text_[pos_].isSpace()) {
                advance();
            } else if (text_.mid(pos_, 2) == QLatin1String("//")) {
                while (pos_ < text_.size() && text_[pos_] != u'\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    void stringParts(Token& t)
    {
        while (pos_ < text_.size()) {
            if (text_[pos_] == u'\'') {
                StringPart part;
                ++pos_;
                for (;;) {
                    if (pos_ >= text_.size() || text_[pos_] == u'\n')
                        fail(t, QStringLiteral("string without its closing quote"));
                    if (text_[pos_] == u'\'') {
                        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\'') {
                            part.text += u'\'';
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    part.text += text_[pos_++];
                }
                t.parts.push_back(part);
            } else if (text_[pos_] == u'#') {
                ++pos_;
                QString digits;
                while (pos_ < text_.size() && text_[pos_].isDigit() && text_[pos_].unicode() <= u'9' && digits.size() < 6)
                    digits += text_[pos_++];
                bool ok = false;
                const int code = digits.toInt(&ok);
                if (!ok || code > kMaxUnit)
                    fail(t, QStringLiteral("'#' must be followed by a character code 0-65535"));
                StringPart part;
                part.isCode = true;
                part.code = code;
                t.parts.push_back(part);
            } else {
                break;
            }
        }
    }

    const QString& text_;
    qsizetype pos_ = 0;
    qsizetype lineStart_ = 0;
    int line_ = 1;
};

class Parser {
public:
    explicit Parser(const QString& text) : lexer_(text) { take(); }

    ComponentStream parse()
    {
        ComponentStream stream;
        stream.root = record(0);
        if (isWord(u"trailing")) {
            take();
            if (cur_.type != Tok::Binary)
                fail(QStringLiteral("'trailing' must be followed by binary data in braces"));
            stream.trailing = hexBytes(cur_);
            take();
        }
        if (cur_.type != Tok::End)
            fail(QStringLiteral("text after the end of the form"));
        return stream;
    }

private:
    void take() { cur_ = lexer_.next(); }
    [[noreturn]] void fail(const QString& message) const { Lexer::fail(cur_, message); }
    bool isWord(QStringView word) const { return cur_.type == Tok::Word && cur_.text == word; }
    bool isPunct(QChar ch) const { return cur_.type == Tok::Punct && cur_.text == ch; }

    void expectPunct(QChar ch)
    {
        if (!isPunct(ch))
            fail(QStringLiteral("'%1' expected").arg(ch));
        take();
    }

    void expectWord(QStringView word)
    {
        if (!isWord(word))
            fail(QStringLiteral("'%1' expected").arg(word));
        take();
    }

    void checkDepth(int depth) const
    {
        if (depth > kMaxTextNesting)
            fail(QStringLiteral("nesting deeper than %1 levels").arg(kMaxTextNesting));
    }

    QByteArray hexBytes(const Token& t) const
    {
        const QByteArray hex = t.text.toLatin1();
        for (char c : hex) {
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                Lexer::fail(t, QStringLiteral("binary data must hold hex digits only"));
        }
        if (hex.size() % 2 != 0)
            Lexer::fail(t, QStringLiteral("binary data must hold whole bytes (an even number of hex digits)"));
        return QByteArray::fromHex(hex);
    }

    // A string literal with any "+" continuations.
    std::vector<StringPart> stringLiteral()
    {
        if (cur_.type != Tok::String)
            fail(QStringLiteral("string expected"));
        std::vector<StringPart> parts = cur_.parts;
        take();
        while (isPunct(u'+')) {
            take();
            if (cur_.type != Tok::String)
                fail(QStringLiteral("string expected after '+'"));
            parts.insert(parts.end(), cur_.parts.begin(), cur_.parts.end());
            take();
        }
        return parts;
    }

    QByteArray win1251Of(const std::vector<StringPart>& parts) const
    {
        QByteArray bytes;
        for (const StringPart& part : parts) {
            if (part.isCode) {
                if (part.code > kMaxByte)
                    fail(QStringLiteral("character code #%1 is not a byte").arg(part.code));
                bytes.append(char(part.code));
                continue;
            }
            for (QChar ch : part.text) {
                if (!IsWin1251Char(ch))
                    fail(QStringLiteral("character '%1' is not in the Windows-1251 code page").arg(ch));
            }
            bytes.append(ToWin1251(part.text));
        }
        return bytes;
    }

    static QString unitsOf(const std::vector<StringPart>& parts)
    {
        QString units;
        for (const StringPart& part : parts)
            units += part.isCode ? QString(QChar(char16_t(part.code))) : part.text;
        return units;
    }

    // A bare word as Windows-1251 bytes.
    QByteArray word()
    {
        StringPart part;
        part.text = cur_.text;
        const QByteArray bytes = win1251Of({part});
        if (bytes.size() > kShortStringMax)
            fail(QStringLiteral("a name holds at most 255 bytes"));
        take();
        return bytes;
    }

    QByteArray name()
    {
        if (cur_.type == Tok::Word)
            return word();
        if (cur_.type == Tok::String) {
            const QByteArray bytes = win1251Of(stringLiteral());
            if (bytes.size() > kShortStringMax)
                fail(QStringLiteral("a name holds at most 255 bytes"));
            return bytes;
        }
        fail(QStringLiteral("name expected"));
    }

    std::unique_ptr<StreamRecord> record(int depth)
    {
        checkDepth(depth);
        expectWord(u"object");
        auto r = std::make_unique<StreamRecord>();
        r->name = name();
        expectPunct(u':');
        r->className = name();
        if (isWord(u"flags")) {
            take();
            bool ok = false;
            const int flags = cur_.text.toInt(&ok);
            if (cur_.type != Tok::Number || !ok || flags < 0 || flags > kMaxFlags)
                fail(QStringLiteral("flags must be a number 0-15"));
            take();
            r->hasPrefix = true;
            r->flags = quint8(flags);
        }
        if (isWord(u"position")) {
            take();
            r->childPosition = value(depth + 1);
            if (!r->childPosition->isInteger() || r->childPosition->kind == ValueKind::Int64)
                fail(QStringLiteral("a child position is an 8, 16 or 32-bit integer"));
        }
        if (r->childPosition.has_value() != (r->hasPrefix && (r->flags & 2)))
            fail(QStringLiteral("flag 2 and a position go together"));
        r->properties = properties(depth, u"object");
        while (isWord(u"object"))
            r->children.push_back(record(depth + 1));
        expectWord(u"end");
        return r;
    }

    std::vector<StreamProperty> properties(int depth, QStringView stopWord)
    {
        std::vector<StreamProperty> list;
        while (!isWord(u"end") && !isWord(stopWord)) {
            StreamProperty p;
            p.name = name();
            if (p.name.isEmpty())
                fail(QStringLiteral("a property name cannot be empty"));
            expectPunct(u'=');
            p.value = value(depth + 1);
            list.push_back(std::move(p));
        }
        return list;
    }

    StreamValue function(const QString& word, int depth)
    {
        StreamValue v;
        take();
        expectPunct(u'(');
        if (word == QLatin1String("int8") || word == QLatin1String("int16") || word == QLatin1String("int32")
            || word == QLatin1String("int64")) {
            v = integer();
            v.kind = word == QLatin1String("int8") ? ValueKind::Int8
                   : word == QLatin1String("int16") ? ValueKind::Int16
                   : word == QLatin1String("int32") ? ValueKind::Int32
                                                    : ValueKind::Int64;
            if (StreamValue::Integer(v.integer).kind > v.kind)
                fail(QStringLiteral("%1 does not fit %2").arg(v.integer).arg(word));
        } else if (word == QLatin1String("extended") || word == QLatin1String("single") || word == QLatin1String("date")) {
            v.kind = word == QLatin1String("extended") ? ValueKind::Extended
                   : word == QLatin1String("single")   ? ValueKind::Single
                                                       : ValueKind::Date;
            v.bytes = floatBytes(v.kind);
        } else if (word == QLatin1String("currency")) {
            v.kind = ValueKind::Currency;
            const auto scaled = cur_.type == Tok::Number ? CurrencyFromText(cur_.text) : std::nullopt;
            if (!scaled)
                fail(QStringLiteral("currency expects a decimal with up to four places"));
            v.integer = *scaled;
            take();
        } else if (word == QLatin1String("lstring")) {
            v.kind = ValueKind::LString;
            v.bytes = win1251Of(stringLiteral());
        } else if (word == QLatin1String("wstring")) {
            v.kind = ValueKind::WString;
            v.units = unitsOf(stringLiteral());
        } else if (word == QLatin1String("utf8")) {
            v.kind = ValueKind::Utf8String;
            if (cur_.type == Tok::Binary) {
                v.bytes = hexBytes(cur_);
                take();
            } else {
                v.bytes = unitsOf(stringLiteral()).toUtf8();
            }
        } else if (word == QLatin1String("ident")) {
            v.kind = ValueKind::Ident;
            v.bytes = win1251Of(stringLiteral());
            if (v.bytes.size() > kShortStringMax)
                fail(QStringLiteral("an identifier holds at most 255 bytes"));
        } else {
            fail(QStringLiteral("unknown value form '%1'").arg(word));
        }
        (void)depth;
        expectPunct(u')');
        return v;
    }

    QByteArray floatBytes(ValueKind kind)
    {
        if (cur_.type != Tok::Number)
            fail(QStringLiteral("number expected"));
        std::optional<QByteArray> raw;
        if (cur_.text.startsWith(u'$')) {
            const QByteArray hex = cur_.text.mid(1).toLatin1();
            if (hex.size() == 2 * FloatSize(kind) && QByteArray::fromHex(hex).toHex().toUpper() == hex.toUpper())
                raw = QByteArray::fromHex(hex);
        } else {
            raw = FloatBytes(kind, cur_.text);
        }
        if (!raw)
            fail(QStringLiteral("'%1' is not a float of this kind").arg(cur_.text));
        take();
        return *raw;
    }

    StreamValue integer()
    {
        bool ok = false;
        const qint64 number = cur_.text.toLongLong(&ok);
        if (cur_.type != Tok::Number || !ok)
            fail(QStringLiteral("integer expected"));
        take();
        return StreamValue::Integer(number);
    }

    StreamValue value(int depth)
    {
        checkDepth(depth);
        StreamValue v;
        switch (cur_.type) {
        case Tok::Number:
            if (!cur_.text.startsWith(u'$') && (cur_.text.contains(u'.') || cur_.text.contains(u'e', Qt::CaseInsensitive))) {
                v.kind = ValueKind::Extended;
                v.bytes = floatBytes(ValueKind::Extended);
                return v;
            }
            return integer();
        case Tok::String: {
            v.bytes = win1251Of(stringLiteral());
            v.kind = v.bytes.size() > kShortStringMax ? ValueKind::LString : ValueKind::String;
            return v;
        }
        case Tok::Binary:
            v.kind = ValueKind::Binary;
            v.bytes = hexBytes(cur_);
            take();
            return v;
        case Tok::Word: {
            const QString word = cur_.text;
            if (word == QLatin1String("True") || word == QLatin1String("False") || word == QLatin1String("nil")) {
                v.kind = word == QLatin1String("True") ? ValueKind::True : word == QLatin1String("False") ? ValueKind::False : ValueKind::Nil;
                take();
                return v;
            }
            if (IsReservedWord(word))
                return function(word, depth);
            v.kind = ValueKind::Ident;
            v.bytes = this->word();
            return v;
        }
        case Tok::Punct:
            if (isPunct(u'['))
                return set();
            if (isPunct(u'('))
                return list(depth);
            if (isPunct(u'<'))
                return collection(depth);
            break;
        case Tok::End:
            break;
        }
        fail(QStringLiteral("value expected"));
    }

    StreamValue set()
    {
        StreamValue v;
        v.kind = ValueKind::Set;
        take();
        while (!isPunct(u']')) {
            if (!v.elements.empty())
                expectPunct(u',');
            v.elements.push_back(name());
            if (v.elements.back().isEmpty())
                fail(QStringLiteral("a set element cannot be empty"));
        }
        take();
        return v;
    }

    StreamValue list(int depth)
    {
        StreamValue v;
        v.kind = ValueKind::List;
        take();
        while (!isPunct(u')'))
            v.items.push_back(value(depth + 1));
        take();
        return v;
    }

    StreamValue collection(int depth)
    {
        StreamValue v;
        v.kind = ValueKind::Collection;
        take();
        while (!isPunct(u'>')) {
            expectWord(u"item");
            CollectionItem item;
            if (isPunct(u'[')) {
                take();
                item.order = value(depth + 1);
                if (!item.order->isInteger() || item.order->kind == ValueKind::Int64)
                    fail(QStringLiteral("an item order is an 8, 16 or 32-bit integer"));
                expectPunct(u']');
            }
            item.properties = properties(depth + 1, u"end");
            expectWord(u"end");
            v.collection.push_back(std::move(item));
        }
        take();
        return v;
    }

    Lexer lexer_;
    Token cur_;
};

} // namespace

ComponentStream FormFromText(const QString& text)
{
    return Parser(text).parse();
}

} // namespace kvt
