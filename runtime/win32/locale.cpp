#include "runtime/locale.h"

#include "text.h"

#include <windows.h>

namespace runtime {

// The user's own choice in the region settings, as every Windows program shows numbers.
std::string decimalSeparator() {
    wchar_t separator[8] = L".";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    return narrow(separator);
}

} // namespace runtime
