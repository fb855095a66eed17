// Prints how wave.ini's number reader takes each of a table of items, the
// value in hexadecimal to the last bit. Built for this machine and for the
// browser; CTest runs both and wants the same lines (tests/web/same_lines.sh).
// The items are the ones where two standard libraries may part: rounding
// halfway cases, subnormals, overflow and underflow, long digit strings.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/errors.h"
#include "sound/wave_ini_items.h"

int main() {
  const std::vector<std::string> items = {
      "0", "-0", "12", " -3", "+4", "1.5", "2.4", ".5", "5.", "1e0", "2e3", "7E+2", "3e", "1e-",
      "0.1", "0.30000000000000004", "123456789012345678901234567890",
      "9007199254740993",                               // 2^53 + 1: ties to even
      "2.2250738585072011e-308", "2.2250738585072014e-308",  // below and at DBL_MIN
      "4.9406564584124654e-324", "2.4703282292062327e-324", "2.4703282292062328e-324",
      "1.7976931348623157e308", "1.7976931348623158e308", "1.7976931348623159e308",
      "1e308", "1e309", "1e400", "-1e400", "1e-400", "0e999", "0.0e-99999",
      std::string(400, '9'), "0." + std::string(400, '0') + "1",
      std::string(320, '1') + "e-1", "1" + std::string(330, '0') + "e-40",
      "32767.5", "32766.5", "-32768.5", "2147483647.4999999", "abc", "-", "", "1,5"};
  for (const std::string& item : items) {
    std::string shown;
    try {
      // The bits themselves: printf's %a writes subnormals differently in
      // glibc and musl.
      const double value = kinopa::leadingNumber(item);
      std::uint64_t bits;
      std::memcpy(&bits, &value, sizeof bits);
      char buf[32];
      std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(bits));
      shown = buf;
    } catch (const kinopa::OverflowError&) {
      shown = "overflow";
    }
    std::printf("%.40s -> %s\n", item.c_str(), shown.c_str());
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
