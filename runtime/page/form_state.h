#pragma once
// A form on the build machine: its objects as data, changed by the handlers
// as the browser's elements would be, for the page to be written from.

#include "runtime/form.h"

#include <string>

namespace runtime {

struct BuiltObject {
    ObjectKind kind;
    std::string text = {}; // a box's
    int left = 0, width = 0;
    bool enabled = true;
};

struct Form::Impl {
    int outerWidth = 0;
    BuiltObjects objects;
};

} // namespace runtime
