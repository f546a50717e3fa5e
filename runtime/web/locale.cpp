#include "runtime/locale.h"

#include <emscripten/val.h>

namespace runtime {

// The browser's language, the first the user prefers: 3,5 in German.
std::string decimalSeparator() {
    using emscripten::val;
    const val parts = val::module_property("numberFormat")(val::global("navigator")["language"])
                          .call<val>("formatToParts", 1.5);
    const int count = parts["length"].as<int>();
    for (int i = 0; i < count; ++i)
        if (parts[i]["type"].as<std::string>() == "decimal")
            return parts[i]["value"].as<std::string>();
    return ".";
}

} // namespace runtime
