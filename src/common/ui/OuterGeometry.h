#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

#include <optional>

class QWidget;

namespace kvt {

// Gives a top-level window an outer geometry, its frame included, which is how the console
// stores the main window's place and states the sizes of its windows. The frame belongs to the
// window manager and is known only once the window manager has framed the shown window, so the
// geometry is applied at once with the frame known then (none yet, or none at all without a
// window manager) and again as soon as the window shows with a frame of another size.
class OuterGeometry : public QObject {
public:
    explicit OuterGeometry(QWidget& window);

    // The window's outer top-left corner at `outer.topLeft()`, its outer size `outer.size()`.
    void place(const QRect& outer);
    // The outer size only, the window manager placing the window; a fixed window cannot be
    // resized by the operator.
    enum class Sizing { Resizable, Fixed };
    void resize(const QSize& outer, Sizing sizing = Sizing::Resizable);

    // The frame around the window now; null while it has none.
    QMargins frame() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();

    QWidget& window_;
    std::optional<QPoint> topLeft_;
    QSize size_;
    Sizing sizing_ = Sizing::Resizable;
    bool framePending_ = false; // applied without the window manager's frame so far
    QMargins appliedFrame_;
};

} // namespace kvt
