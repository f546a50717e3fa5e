// One generic writer for any table of controls, lines and menu entries:
// buttons, text inputs, a menu bar, and lines as borders.

#include "page_writer.h"

#include "form_state.h"
#include "runtime/web/css_pixels.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace runtime {

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

namespace {

// What a table of names or descriptions says of the object, if anything.
std::string_view entryFor(std::span<const AccessibleText> table, std::string_view object) {
    for (const AccessibleText& entry : table)
        if (entry.object == object)
            return entry.text;
    return {};
}

std::string attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + escaped(value) + "\"";
}

class Writer {
public:
    explicit Writer(const Form& form) : form_(form), description_(form.description()) {}

    std::string markup() {
        const std::string name(description_.name);
        // The page's main landmark, headed by the caption for those who move by
        // headings (heard, not seen); the form's menu bar and controls are used
        // as a desktop program's are, a screen reader handing every key to them.
        out_ = "<main>\n<h1 class=\"unseen\">" + escaped(description_.caption) + "</h1>\n";
        out_ += "<div class=\"form\"" + attribute("id", name) +
                attribute("aria-label", description_.caption) + " role=\"application\" inert>\n";
        addMenu();
        out_ += "<div class=\"client\"" + attribute("id", name + "-client") + ">\n";
        addControls();
        addLines();
        out_ += "</div>\n<div class=\"unseen\" aria-live=\"polite\"></div>\n</div>\n</main>\n";
        return out_;
    }

    // Each object where its twips say, the client area as wide as the form's
    // outer width leaves once the laid-out frame is off.
    std::string style() const {
        std::string out =
            rule(std::string(description_.name) + "-client",
                 {{"width", std::max(0, form_.impl().outerWidth -
                                            (description_.outerWidth - description_.clientWidth))},
                  {"height", description_.clientHeight}});
        for (const Control& control : description_.controls) {
            const BuiltObject& built = object(control.name);
            out += rule(control.name, {{"left", built.left},
                                       {"top", control.top},
                                       {"width", built.width},
                                       {"height", control.height}});
        }
        for (const Line& line : description_.lines) {
            const bool across = line.y1 == line.y2;
            out += rule(line.name,
                        {{"left", std::min(line.x1, line.x2)},
                         {"top", std::min(line.y1, line.y2)},
                         {across ? "width" : "height",
                          across ? std::abs(line.x2 - line.x1) : std::abs(line.y2 - line.y1)}});
        }
        return out;
    }

private:
    struct Length {
        std::string_view property;
        int twips;
    };
    static std::string rule(std::string_view id, std::initializer_list<Length> lengths) {
        std::string out = "#" + std::string(id) + " {";
        for (const Length& length : lengths)
            out += " " + std::string(length.property) + ": " + cssPixels(length.twips) + ";";
        return out + " }\n";
    }

    const BuiltObject& object(std::string_view name) const {
        return form_.impl().objects.find(name)->second;
    }

    // Out of the Tab order, as a desktop's menus are: Alt or F10 leads there.
    void menuEntry(const MenuEntry& entry, std::string_view more) {
        out_ += std::string("<button type=\"button\" class=\"") +
                (entry.level == 0 ? "title" : "item") + "\"" + attribute("id", entry.name) +
                " role=\"menuitem\" tabindex=\"-1\"" + std::string(more) +
                (object(entry.name).enabled ? "" : " aria-disabled=\"true\"") + ">" +
                escaped(entry.caption) + "</button>";
    }

    void addMenu() {
        if (description_.menu.empty())
            return;
        out_ += "<div class=\"menubar\" role=\"menubar\">\n";
        bool open = false; // a menu's popup, still to be closed
        for (const MenuEntry& entry : description_.menu) {
            if (entry.level == 0) {
                if (open)
                    out_ += "</div></div>\n";
                out_ += "<div class=\"menu\">";
                menuEntry(entry, " aria-haspopup=\"menu\" aria-expanded=\"false\"");
                out_ += "<div class=\"popup\" role=\"menu\"" +
                        attribute("aria-label", entry.caption) + " hidden>\n";
                open = true;
            } else {
                menuEntry(entry, "");
                out_ += "\n";
            }
        }
        out_ += (open ? "</div></div>\n" : "") + std::string("</div>\n");
    }

    // In focus order, which is the order of the page and so the order Tab follows.
    void addControls() {
        std::string_view group;
        for (const Control* control : inTabOrder(description_)) {
            // Controls described alike one after another, as a keypad's keys, are
            // a group named by the description: a screen reader says a one-letter
            // button's description in place of its caption, and a group's name
            // as the focus enters it.
            if (const std::string_view described =
                    entryFor(description_.accessibleDescriptions, control->name);
                described != group) {
                if (!group.empty())
                    out_ += "</div>\n";
                group = described;
                if (!group.empty())
                    out_ += "<div class=\"group\" role=\"group\"" + attribute("aria-label", group) +
                            ">\n";
            }
            const BuiltObject& built = object(control->name);
            std::string more = attribute("id", control->name);
            if (const std::string_view name = entryFor(description_.accessibleNames, control->name);
                !name.empty())
                more += attribute("aria-label", name);
            if (!built.enabled)
                more += " disabled";
            if (control->kind == ControlKind::TextBox)
                out_ += "<input type=\"text\"" + more + attribute("value", built.text) +
                        " autocomplete=\"off\" spellcheck=\"false\" autocapitalize=\"off\">\n";
            else
                out_ += "<button type=\"button\"" + more + ">" + escaped(control->caption) +
                        "</button>\n";
        }
        if (!group.empty())
            out_ += "</div>\n";
    }

    // Drawn in the text colour one CSS pixel thick; the dotted one a pixel on, a pixel off.
    void addLines() {
        for (const Line& line : description_.lines) {
            const bool across = line.y1 == line.y2;
            out_ += std::string("<div class=\"line ") + (across ? "across" : "down") +
                    (line.style == LineStyle::Dotted ? " dotted" : "") + "\"" +
                    attribute("id", line.name) + " aria-hidden=\"true\"></div>\n";
        }
    }

    const Form& form_;
    const FormDescription& description_;
    std::string out_;
};

} // namespace

std::string formMarkup(const Form& form) { return Writer(form).markup(); }
std::string formStyle(const Form& form) { return Writer(form).style(); }

} // namespace runtime
