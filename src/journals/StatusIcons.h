#pragma once

#include "common/StatusIcon.h"

#include <QIcon>
#include <QList>
#include <QPixmap>

namespace kvt {

inline constexpr int kStatusIconCount = 13;
inline constexpr int kStatusIconSize = 16;

// The picture of one status icon (16 x 16); an empty pixmap for -1 and unknown indexes.
QPixmap StatusIconPixmap(int index);

// The image list of the trees (ImageList1): the 13 icons in index order.
const QList<QIcon>& StatusImageList();

// The icon for an index; a null icon for -1 and unknown indexes.
QIcon StatusIconFor(int index);

} // namespace kvt
