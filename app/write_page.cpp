// The web app's page and style, written on the build machine: the start-up
// form built from its description and loaded, in the page's place for it
// ("@FORM@", and its caption for "@CAPTION@"), its places after the style.
// Usage: write-page PAGE STYLE PAGE_OUT STYLE_OUT

#include "runtime/dispatch.h"
#include "runtime/page/page_writer.h"
#include "window/form1.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

std::string read(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        throw std::runtime_error(std::string("cannot read ") + path);
    return text.str();
}

void write(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush())
        throw std::runtime_error(std::string("cannot write ") + path);
}

void replace(std::string& text, std::string_view placeholder, std::string_view with) {
    const auto at = text.find(placeholder);
    if (at == std::string::npos)
        throw std::runtime_error("the page has no " + std::string(placeholder));
    text.replace(at, placeholder.size(), with);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: write-page PAGE STYLE PAGE_OUT STYLE_OUT\n";
        return 2;
    }
    try {
        runtime::setErrorReporter([](const runtime::RuntimeError& error) {
            std::cerr << "write-page: error " << error.number() << ": " << error.description()
                      << "\n";
        });
        const runtime::FormDescription& description = window::project().startupForm;
        const runtime::Form& form = runtime::formInstance(description);
        form.raise("Load");
        if (runtime::exitStatus()) {
            std::cerr << "write-page: the program ended in start-up: no form to draw\n";
            return 1;
        }
        std::string page = read(argv[1]);
        replace(page, "@CAPTION@", runtime::escaped(description.caption));
        replace(page, "@FORM@", runtime::formMarkup(form));
        write(argv[3], page);
        write(argv[4], read(argv[2]) + "\n/* " + std::string(description.name) +
                           " as start-up leaves it */\n" + runtime::formStyle(form));
    } catch (const std::exception& fault) {
        std::cerr << "write-page: " << fault.what() << "\n";
        return 1;
    }
    return 0;
}
