#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace kvt {

// Saves whole files so that a crash or a failed write leaves either the old or the new
// content on disk, never a mix: the bytes go to a temporary file beside the target, are
// flushed to the disk, and the temporary file then replaces the target in one rename. A path
// that is a symbolic link stays one: the file behind it is the one replaced.
class AtomicFileWriter {
public:
    virtual ~AtomicFileWriter() = default;

    // Throws IoError naming the file and the system's reason.
    void save(const QString& path, const QByteArray& data);

protected:
    // Writes one chunk to the temporary file; returns the bytes written or -1.
    // A test overrides it to fail part-way (a full disk, a pulled drive).
    virtual qint64 writeChunk(QIODevice& file, const char* data, qint64 size);
};

// Reads a whole file; an absent file reads as empty, an unreadable one throws IoError.
QByteArray ReadWholeFile(const QString& path);

} // namespace kvt
