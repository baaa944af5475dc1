#pragma once

#include <QMargins>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStringList>

// What the X server and the window manager say about the windows on the display, read with the
// X utilities (xprop, xwininfo) as an operator's tools would see it.
namespace kvt::test::x {

using Window = quint64;

inline QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The value part of "NAME(TYPE) = value", empty when the property is not set.
inline QString property(Window window, const char* name)
{
    const QString line = run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window),
                                                       QString::fromLatin1(name)});
    const qsizetype at = line.indexOf(QStringLiteral(" = "));
    return at < 0 ? QString() : line.mid(at + 3).trimmed();
}

inline QStringList listProperty(Window window, const char* name)
{
    const QString value = property(window, name);
    return value.isEmpty() ? QStringList() : value.split(QStringLiteral(", "));
}

// A text property without its quotes.
inline QString textProperty(Window window, const char* name)
{
    QString value = property(window, name);
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2);
    return value;
}

// The top-level windows the window manager manages, oldest first.
inline QList<Window> managedWindows()
{
    const QString line = run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST")});
    QList<Window> windows;
    static const QRegularExpression id(QStringLiteral("0x[0-9a-fA-F]+"));
    for (const QRegularExpressionMatch& match : id.globalMatch(line))
        windows << match.captured().toULongLong(nullptr, 16);
    return windows;
}

inline QList<Window> managedWindowsOf(qint64 pid)
{
    QList<Window> own;
    for (Window window : managedWindows()) {
        if (property(window, "_NET_WM_PID").toLongLong() == pid)
            own << window;
    }
    return own;
}

inline bool isDialog(Window window)
{
    return listProperty(window, "_NET_WM_WINDOW_TYPE").contains(QStringLiteral("_NET_WM_WINDOW_TYPE_DIALOG"));
}

// The functions a window asks the window manager for (_MOTIF_WM_HINTS); all of them when it
// names none.
struct MotifFunctions {
    bool minimize = true;
    bool maximize = true;
    bool close = true;
};

inline MotifFunctions motifFunctions(Window window)
{
    enum : uint { kFunctionsGiven = 0x1, kAll = 0x1, kMinimize = 0x8, kMaximize = 0x10, kClose = 0x20 };
    const QStringList values = listProperty(window, "_MOTIF_WM_HINTS");
    if (values.size() < 2 || !(values[0].toUInt(nullptr, 16) & kFunctionsGiven))
        return {};
    const uint functions = values[1].toUInt(nullptr, 16);
    // With "all" set, the functions named are the ones taken away.
    const bool all = functions & kAll;
    return {bool(functions & kMinimize) != all, bool(functions & kMaximize) != all, bool(functions & kClose) != all};
}

// The frame the window manager put around the window; null until it has framed it.
inline QMargins frameExtents(Window window)
{
    const QStringList values = listProperty(window, "_NET_FRAME_EXTENTS");
    if (values.size() != 4)
        return {};
    return QMargins(values[0].toInt(), values[2].toInt(), values[1].toInt(), values[3].toInt());
}

// The window's own area on the screen, frame excluded.
inline QRect clientGeometry(Window window)
{
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
    auto field = [&info](const char* name) {
        const QRegularExpression pattern(QString::fromLatin1(name) + QStringLiteral(":\\s+(-?\\d+)"));
        return pattern.match(info).captured(1).toInt();
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"));
}

// The window with its frame, as the operator sees it on the screen; invalid while unframed.
inline QRect outerGeometry(Window window)
{
    const QMargins frame = frameExtents(window);
    if (frame.isNull())
        return {};
    return clientGeometry(window).marginsAdded(frame);
}

} // namespace kvt::test::x
