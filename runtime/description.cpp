// What every platform reads of a description alike.

#include "description.h"

#include "numeric/error.h"

#include <algorithm>
#include <set>

namespace runtime {

void checkDescription(const FormDescription& form) {
    std::set<std::string_view> names;
    const auto add = [&names](std::string_view name) {
        if (!names.insert(name).second)
            throw RuntimeError(NoSuchObject, "Two objects are named " + quoted(name));
    };
    for (const Control& control : form.controls)
        add(control.name);
    for (const Line& line : form.lines) {
        add(line.name);
        if (line.x1 != line.x2 && line.y1 != line.y2)
            throw RuntimeError(NoSuchObject,
                               "The line " + quoted(line.name) + " runs neither across nor down");
    }
    for (const MenuEntry& entry : form.menu)
        add(entry.name);
    if (!form.menu.empty() && form.menu.front().level != 0)
        throw RuntimeError(NoSuchObject,
                           "Menu item " + quoted(form.menu.front().name) + " stands under no menu");
    for (const auto texts : {form.accessibleNames, form.accessibleDescriptions})
        for (const AccessibleText& text : texts)
            if (!names.contains(text.object))
                throw RuntimeError(NoSuchObject, "Accessible text for " + quoted(text.object) +
                                                     ", which is on no form");
}

std::vector<const Control*> inTabOrder(const FormDescription& form) {
    std::vector<const Control*> controls;
    for (const Control& control : form.controls)
        controls.push_back(&control);
    std::stable_sort(controls.begin(), controls.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    return controls;
}

} // namespace runtime
