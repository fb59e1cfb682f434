#include "toolkit/core/FloatFormat.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

char DecimalSeparator() {
  return '.';
}

namespace {

// The significant digits of |value| rounded to precision digits, without trailing
// zeros, and the decimal exponent of the first digit.
void Decompose(double value, int precision, std::string& digits, int& exponent) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, std::fabs(value));
  // buffer: d.ddddde[+-]xx
  digits.clear();
  const char* p = buffer;
  for (; *p && *p != 'e'; ++p)
    if (std::isdigit(static_cast<unsigned char>(*p))) digits += *p;
  exponent = *p == 'e' ? std::atoi(p + 1) : 0;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

}  // namespace

std::string FloatToStrGeneral(double value, int precision, int digits) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (precision < 1) precision = 1;
  if (precision > 18) precision = 18;
  if (digits < 0) digits = 0;
  if (digits > 4) digits = 4;
  if (value == 0) return "0";

  std::string sig;
  int exponent = 0;
  Decompose(value, precision, sig, exponent);
  std::string result = value < 0 ? "-" : "";
  const char sep = DecimalSeparator();
  // The rounded value decides: 0.0000099999999 rounds up to 1E-5 and is shown fixed.
  if (exponent + 1 <= precision && exponent >= -5) {
    if (exponent < 0) {
      result += '0';
      result += sep;
      result.append(size_t(-exponent - 1), '0');
      result += sig;
    } else {
      size_t intDigits = size_t(exponent) + 1;
      if (sig.size() <= intDigits) {
        result += sig;
        result.append(intDigits - sig.size(), '0');
      } else {
        result += sig.substr(0, intDigits);
        result += sep;
        result += sig.substr(intDigits);
      }
    }
    return result;
  }
  result += sig[0];
  if (sig.size() > 1) {
    result += sep;
    result += sig.substr(1);
  }
  result += 'E';
  if (exponent < 0) result += '-';
  std::string expText = std::to_string(std::abs(exponent));
  if (int(expText.size()) < digits) expText.insert(0, size_t(digits) - expText.size(), '0');
  return result + expText;
}

std::string FloatToStr(double value) {
  return FloatToStrGeneral(value, 15, 0);
}

bool TryStrToFloat(const std::string& text, double& value) {
  size_t i = 0, n = text.size();
  auto blank = [&](size_t k) { return k < n && (text[k] == ' ' || text[k] == '\t'); };
  auto digit = [&](size_t k) { return k < n && std::isdigit(static_cast<unsigned char>(text[k])); };
  while (blank(i)) ++i;
  std::string plain;  // the number in the C locale's notation, for strtod
  if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
  int mantissaDigits = 0;
  while (digit(i)) plain += text[i++], ++mantissaDigits;
  if (i < n && text[i] == DecimalSeparator()) {
    plain += '.';
    ++i;
    while (digit(i)) plain += text[i++], ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    if (!digit(i)) return false;
    while (digit(i)) plain += text[i++];
  }
  while (blank(i)) ++i;
  if (i != n) return false;
  errno = 0;
  double result = std::strtod(plain.c_str(), nullptr);
  if (errno == ERANGE && std::isinf(result)) return false;
  value = result;
  return true;
}

double StrToFloat(const std::string& text) {
  double value = 0;
  if (!TryStrToFloat(text, value))
    throw EConvertError(Format("'%s' is not a valid floating point value", text.c_str()));
  return value;
}
