#include "LineReader.h"

#include <fcntl.h>
#include <unistd.h>

namespace kvt::sim {

namespace {
constexpr int kChunk = 1024;
}

LineReader::LineReader(int fd, std::function<void(const QString&)> handle, QObject* parent)
    : QObject(parent), fd_(fd), handle_(std::move(handle)), notifier_(fd, QSocketNotifier::Read)
{
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    connect(&notifier_, &QSocketNotifier::activated, this, [this] { readSome(); });
}

void LineReader::readSome()
{
    char chunk[kChunk];
    for (;;) {
        const ssize_t got = ::read(fd_, chunk, sizeof chunk);
        if (got == 0) {
            notifier_.setEnabled(false);
            return;
        }
        if (got < 0)
            return;
        buffer_.append(chunk, got);
        qsizetype end;
        while ((end = buffer_.indexOf('\n')) >= 0) {
            handle_(QString::fromUtf8(buffer_.left(end)));
            buffer_.remove(0, end + 1);
        }
    }
}

} // namespace kvt::sim
