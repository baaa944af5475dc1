#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace kvt {

// Base of every error the console raises. The text is what a log line can carry.
class KvtError : public std::exception {
public:
    explicit KvtError(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const char* what() const noexcept override { return utf8_.constData(); }
    const QString& message() const noexcept { return message_; }

private:
    QString message_;
    QByteArray utf8_;
};

// A text that should hold a number (decimal, hexadecimal, IEEE) does not.
class ConversionError : public KvtError {
public:
    using KvtError::KvtError;
};

// A file could not be read, created or written.
class IoError : public KvtError {
public:
    using KvtError::KvtError;
};

// Outside bytes (a form file, a reply) are not of the expected format; names the place.
class FormatError : public KvtError {
public:
    FormatError(QString message, qint64 offset = -1)
        : KvtError(offset >= 0 ? QStringLiteral("%1 (offset %2)").arg(message).arg(offset) : message),
          offset_(offset) {}
    qint64 offset() const noexcept { return offset_; }

private:
    qint64 offset_;
};

// The table store refused an operation.
class StoreError : public KvtError {
public:
    using KvtError::KvtError;
};

// A serial port operation failed; carries the system error code and its text.
class PortError : public KvtError {
public:
    PortError(QString message, int systemCode = 0) : KvtError(std::move(message)), systemCode_(systemCode) {}
    int systemCode() const noexcept { return systemCode_; }

private:
    int systemCode_;
};

} // namespace kvt
