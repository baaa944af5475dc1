#pragma once

#include "trends/TrendObject.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QThread;

namespace kvt {

// Runs one request at a time on a thread of its own, so the window that asked stays
// responsive: it is told the progress now and then and the table at the end, and may cancel.
class TrendTask : public QObject {
    Q_OBJECT
public:
    explicit TrendTask(QObject* parent = nullptr);
    // Cancels a running request and waits for its thread.
    ~TrendTask() override;

    // Starts the request; a request still running is cancelled and waited for first.
    void start(TrendRequest request);
    // Asks the running request to stop at the next packet; it ends with a cancelled table.
    void cancel();
    bool isRunning() const { return thread_ != nullptr; }

    // Progress is told at most this often.
    static constexpr int kProgressIntervalMs = 100;

signals:
    void progressed(qint64 read, qint64 total);
    void finished(std::shared_ptr<const kvt::TrendTable> table);
    void failed(const QString& message);

private:
    void finish();
    void stopThread();

    struct Run;
    QThread* thread_ = nullptr;
    std::shared_ptr<Run> run_;
};

} // namespace kvt
