#include "trends/TrendTask.h"

#include "common/Errors.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QThread>

#include <optional>

namespace kvt {

// What the thread of one request shares with the task.
struct TrendTask::Run {
    TrendRequest request;
    std::atomic<bool> cancel{false};
    std::shared_ptr<TrendTable> table;
    std::optional<QString> error;
};

TrendTask::TrendTask(QObject* parent) : QObject(parent) {}

TrendTask::~TrendTask()
{
    stopThread();
}

void TrendTask::start(TrendRequest request)
{
    stopThread();
    auto run = std::make_shared<Run>();
    run->request = std::move(request);
    run_ = run;
    QPointer<TrendTask> self(this);
    thread_ = QThread::create([run, self] {
        QElapsedTimer sinceTold;
        sinceTold.start();
        const TrendProgress tell = [&](qint64 read, qint64 total) {
            if (read != 0 && read != total && sinceTold.elapsed() < kProgressIntervalMs)
                return;
            sinceTold.restart();
            QMetaObject::invokeMethod(
                self, [self, read, total] {
                    if (self)
                        emit self->progressed(read, total);
                },
                Qt::QueuedConnection);
        };
        try {
            run->table = std::make_shared<TrendTable>(RunTrend(run->request, run->cancel, tell));
        } catch (const KvtError& error) {
            run->error = error.message();
        }
    });
    connect(thread_, &QThread::finished, this, [this, run] {
        if (run == run_)
            finish();
    });
    thread_->start();
}

void TrendTask::cancel()
{
    if (run_)
        run_->cancel = true;
}

void TrendTask::finish()
{
    const std::shared_ptr<Run> run = std::move(run_);
    thread_->deleteLater();
    thread_ = nullptr;
    if (run->error)
        emit failed(*run->error);
    else
        emit finished(run->table);
}

void TrendTask::stopThread()
{
    if (!thread_)
        return;
    run_->cancel = true;
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    run_.reset();
}

} // namespace kvt
