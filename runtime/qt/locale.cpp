#include "runtime/locale.h"

#include <QLocale>

namespace runtime {

std::string decimalSeparator() { return QLocale::system().decimalPoint().toStdString(); }

} // namespace runtime
