#include "Command.h"

#include "common/AtomicFile.h"
#include "common/Errors.h"
#include "forms/ComponentStream.h"
#include "forms/FormText.h"

#include <QBuffer>
#include <QFile>

// kvt-tool kof text FILE.kof        prints the text form of an object form file
// kvt-tool kof binary IN.txt OUT.kof writes the object form file of a text form
namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw kvt::IoError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

// The file is mapped rather than read, so reading the form record touches only its own pages;
// the bytes after the record are then converted as they are read, a chunk at a time. A file with
// a huge trailing block is printed without holding it, as bytes or as text.
void printText(const QString& path, QTextStream& out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw kvt::IoError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    const uchar* mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr;
    const QByteArray bytes = mapped ? QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), file.size())
                                    : file.readAll();
    qint64 trailingAt = 0;
    const kvt::ComponentStream stream = kvt::ReadComponentStreamRecord(bytes, trailingAt);
    QBuffer unmapped;
    QIODevice* trailing = &file;
    if (mapped) {
        file.seek(trailingAt);
    } else {
        unmapped.setData(bytes.mid(trailingAt));
        unmapped.open(QIODevice::ReadOnly);
        trailing = &unmapped;
    }
    kvt::WriteFormText(stream, *trailing, [&out](const QString& piece) { out << piece; });
}

int kof(const QStringList& args, kvt::tool::Streams& io)
{
    try {
        if (args.size() == 2 && args[0] == QLatin1String("text")) {
            printText(args[1], io.out);
            return 0;
        }
        if (args.size() == 3 && args[0] == QLatin1String("binary")) {
            const kvt::ComponentStream stream = kvt::FormFromText(QString::fromUtf8(readAll(args[1])));
            const QByteArray bytes = kvt::WriteComponentStream(stream);
            kvt::ReadComponentStream(bytes);  // refuse to write what the console would not read
            kvt::AtomicFileWriter().save(args[2], bytes);
            return 0;
        }
        io.err << "usage: kvt-tool kof text FILE.kof | kvt-tool kof binary IN.txt OUT.kof\n";
        return 2;
    } catch (const kvt::KvtError& error) {
        io.err << "kvt-tool kof: " << (args.size() > 1 ? args[1] : QString()) << ": " << error.message() << '\n';
        return 1;
    }
}

} // namespace

KVT_TOOL_COMMAND(QStringLiteral("kof"), QStringLiteral("text FILE.kof | binary IN.txt OUT.kof"),
                 QStringLiteral("prints an object form as text, or converts a text form back to a .kof file"), kof)
