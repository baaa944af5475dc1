#include "app/ShutdownOnSignal.h"

#include "app/TerminationSignals.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>

namespace kvt {

namespace {

// A modal window ends its own loop: a dialog as by Cancel, any other by its close button.
void closeModal(QWidget* window)
{
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
}

bool isModalWindow(const QWidget* widget)
{
    return widget && widget->isWindow() && widget->isModal();
}

} // namespace

ShutdownOnSignal::ShutdownOnSignal(TerminationSignals& termination, QObject* parent) : QObject(parent)
{
    connect(&termination, &TerminationSignals::terminationRequested, this, &ShutdownOnSignal::request);
}

void ShutdownOnSignal::setMainWindow(QWidget* window)
{
    mainWindow_ = window;
    if (requested_)
        closeMainWindowLater();
}

void ShutdownOnSignal::request()
{
    if (!requested_) {
        requested_ = true;
        // From now on every modal window that shows is closed as well.
        qApp->installEventFilter(this);
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (isModalWindow(window) && window->isVisible())
            closeModal(window);
    }
    if (mainWindow_)
        closeMainWindowLater();
}

void ShutdownOnSignal::closeMainWindowLater()
{
    // Queued, so that the modal windows closed just now have left their loops first.
    QWidget* window = mainWindow_;
    QMetaObject::invokeMethod(window, [window] { window->close(); }, Qt::QueuedConnection);
}

bool ShutdownOnSignal::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (isModalWindow(widget))
            QMetaObject::invokeMethod(widget, [widget] { closeModal(widget); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kvt
