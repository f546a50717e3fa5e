#pragma once
// Handlers bound to their objects' events by name, "Object_Event", the same
// way on every platform.

#include "description.h"
#include "form.h"
#include "numeric/error.h"

#include <string>
#include <string_view>

namespace runtime {

// Binds every Click handler of the description through `connect(object,
// handler)`, where `find(name)` gives the built object of a name, or null.
// Form_Load is start-up's to raise. A handler that names no object, or an
// event its object lacks, is error 1003: the description is at fault.
template <typename Find, typename Connect>
void bindClickHandlers(const FormDescription& description, Find find, Connect connect) {
    for (const Handler& handler : description.handlers) {
        const auto underscore = handler.name.rfind('_');
        const auto object = handler.name.substr(0, underscore);
        const auto event = underscore == std::string_view::npos
                               ? std::string_view{}
                               : handler.name.substr(underscore + 1);
        if (object == "Form" && event == "Load")
            continue;
        auto* built = find(object);
        if (!built || event != "Click" ||
            (built->kind != ObjectKind::Button && built->kind != ObjectKind::MenuItem))
            throw RuntimeError(NoSuchEvent, "Handler " + quoted(handler.name) +
                                                " names no event of an object on " +
                                                std::string(description.name));
        connect(*built, handler);
    }
}

} // namespace runtime
