#include "arithmetic.h"

#include "error.h"

#include <cmath>

namespace runtime {

namespace {
double checked(double result) {
    if (!std::isfinite(result))
        raiseOverflow();
    return result;
}
} // namespace

double add(double left, double right) { return checked(left + right); }
double subtract(double left, double right) { return checked(left - right); }
double multiply(double left, double right) { return checked(left * right); }

double divide(double left, double right) {
    if (right == 0.0) {
        if (left == 0.0 || std::isnan(left))
            raiseOverflow();
        raiseDivisionByZero();
    }
    return checked(left / right);
}

} // namespace runtime
