#pragma once

#include "description.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <span>

namespace runtime {

// One icon made of several images, one per size; each keeps its own size.
// Read from compiled-in XPM data, which needs no image plugin: looking for
// one by file name loaded every plugin Qt has and cost a good part of start-up.
inline QIcon iconFrom(std::span<const XpmImage> images) {
    QIcon icon;
    for (XpmImage image : images)
        icon.addPixmap(QPixmap::fromImage(QImage(image)));
    return icon;
}

} // namespace runtime
