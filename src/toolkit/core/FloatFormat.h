#pragma once

// Conversions between floating-point numbers and text, with the system's decimal
// separator, in the toolkit's "general" format: the shortest of fixed or scientific
// notation for a given number of significant digits.

#include <string>

#include "toolkit/core/Types.h"

// The error StrToFloat raises for text that is not a number.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// The character between the integer and fractional digits (the system's setting; '.').
char DecimalSeparator();

// Formats value with at most precision significant digits (1 to 18), trailing zeros and
// a needless separator removed. Fixed notation is used when the value has at most
// precision digits before the separator and is at least 0.00001 in magnitude;
// otherwise scientific notation "1.5E-7" / "1E20", the exponent written with at least
// digits digits (0 to 4). NaN and infinities come out as "NAN", "INF" and "-INF".
std::string FloatToStrGeneral(double value, int precision, int digits);
// FloatToStrGeneral(value, 15, 0).
std::string FloatToStr(double value);

// Reads a number: optional blanks, an optional sign, digits with at most one decimal
// separator (at least one digit in all), an optional exponent "E[+|-]digits", optional
// blanks. Raises EConvertError "'text' is not a valid floating point value" otherwise,
// also when the number lies outside the range of a double.
double StrToFloat(const std::string& text);
// Like StrToFloat, but returns false instead of raising.
bool TryStrToFloat(const std::string& text, double& value);
