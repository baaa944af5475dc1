#pragma once

#include "common/AtomicFile.h"

#include <algorithm>

namespace kvt::test {

// Fails a save after a given number of bytes, like a disk that fills up mid-write (0: a disk
// that takes nothing).
class FailingWriter : public AtomicFileWriter {
public:
    explicit FailingWriter(qint64 failAfter = 0) : left_(failAfter) {}

protected:
    qint64 writeChunk(QIODevice& file, const char* data, qint64 size) override
    {
        if (left_ <= 0)
            return -1;
        const qint64 n = std::min(size, left_);
        left_ -= n;
        return file.write(data, n);
    }

private:
    qint64 left_;
};

} // namespace kvt::test
