#pragma once
// The four operations on doubles, with the program's errors: a result out of
// range, and 0 / 0, raise 6 (Overflow); any other division by 0 raises 11.

namespace runtime {

double add(double left, double right);
double subtract(double left, double right);
double multiply(double left, double right);
double divide(double left, double right);

} // namespace runtime
