#pragma once
// The web app's page written from a form as start-up leaves it: its elements
// as markup, and the style that places them, so that the browser draws the
// form as it parses the page and the program only binds to it. The form stays
// inert, drawn but out of reach, until the program has bound it.

#include "runtime/form.h"

#include <string>
#include <string_view>

namespace runtime {

std::string formMarkup(const Form& form);
std::string formStyle(const Form& form);

// Text as it stands in the page's markup: < & > " written as references.
std::string escaped(std::string_view text);
} // namespace runtime
