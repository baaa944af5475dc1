#include "Transcript.h"

#include "common/Win1251.h"

namespace kvt::sim {

bool Transcript::open(const QString& path)
{
    file_.setFileName(path);
    start_ = clock_.ticks();
    return file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

QString Transcript::Escape(const QByteArray& bytes)
{
    constexpr unsigned char kCtrlZ = 26;
    constexpr unsigned char kFirstPrintable = 32;
    constexpr unsigned char kDelete = 127;
    QString text;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\r')
            text += QLatin1String("\\r");
        else if (byte == '\n')
            text += QLatin1String("\\n");
        else if (byte == '\\')
            text += QLatin1String("\\\\");
        else if (byte == kCtrlZ)
            text += QLatin1String("^Z");
        else if (byte < kFirstPrintable || byte == kDelete)
            text += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper().replace(QLatin1String("\\X"), QLatin1String("\\x"));
        else
            text += Win1251Char(byte);
    }
    return text;
}

QString Transcript::SpacedHex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

void Transcript::record(const char* direction, const QString& text)
{
    if (!file_.isOpen())
        return;
    const QString line = QStringLiteral("%1 %2 %3\n")
                             .arg(clock_.ticks() - start_, 8)
                             .arg(QString::fromLatin1(direction), text);
    file_.write(line.toUtf8());
    file_.flush();
}

} // namespace kvt::sim
