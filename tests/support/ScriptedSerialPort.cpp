#include "support/ScriptedSerialPort.h"

#include "common/Errors.h"
#include "serial/PortErrorReason.h"

#include <cerrno>

namespace kvt::test {

void ScriptedSerialPort::feedAfter(qint64 delayMs, const QByteArray& bytes)
{
    clock_.schedule(delayMs, [this, bytes] { input_ += bytes; });
}

void ScriptedSerialPort::respond(const QByteArray& command, const QByteArray& reply, qint64 delayMs,
                                 std::optional<int> times)
{
    rules_.append(Rule{command, reply, delayMs, times});
}

QByteArray ScriptedSerialPort::written() const
{
    QByteArray all;
    for (const Write& w : writes_)
        all += w.bytes;
    return all;
}

void ScriptedSerialPort::Open()
{
    if (open_)
        return;
    if (openError_) {
        const int code = *openError_;
        openError_.reset();
        throw PortError(QStringLiteral("Порт %1: не удалось открыть: %2").arg(settings().device, PortErrorReason(code)),
                        code);
    }
    open_ = true;
    ++openCount_;
    openedWith_ = settings();
}

void ScriptedSerialPort::Purge()
{
    ++purgeCount_;
    if (open_)
        input_.clear();
}

void ScriptedSerialPort::throwIfFailing(const char* operation)
{
    const std::optional<int> code = !open_ ? std::optional<int>(EBADF) : ioError_;
    if (!code)
        return;
    ioError_.reset();
    throw PortError(QStringLiteral("Порт %1: %2: %3").arg(settings().device, QString::fromUtf8(operation), PortErrorReason(*code)),
                    *code);
}

qint64 ScriptedSerialPort::write(QByteArrayView bytes)
{
    throwIfFailing("ошибка записи");
    const QByteArray data = bytes.toByteArray();
    writes_.append(Write{clock_.ticks(), data});
    for (Rule& rule : rules_) {
        if (rule.remaining == 0 || !data.contains(rule.command))
            continue;
        if (rule.remaining)
            --*rule.remaining;
        if (rule.delayMs == 0)
            input_ += rule.reply;
        else
            feedAfter(rule.delayMs, rule.reply);
        break;
    }
    return data.size();
}

qint64 ScriptedSerialPort::read(char* buffer, qint64 maxCount)
{
    throwIfFailing("ошибка чтения");
    const qint64 taken = std::min<qint64>(maxCount, input_.size());
    std::memcpy(buffer, input_.constData(), static_cast<size_t>(taken));
    input_.remove(0, taken);
    return taken;
}

} // namespace kvt::test
