#pragma once

#include "qt_text.h"

#include <QIcon>
#include <QPixmap>

#include <span>
#include <string_view>

namespace runtime {

// One icon made of several images, one per size; each keeps its own size.
inline QIcon iconFrom(std::span<const std::string_view> images) {
    QIcon icon;
    for (std::string_view image : images)
        icon.addPixmap(QPixmap(toQString(image)));
    return icon;
}

} // namespace runtime
