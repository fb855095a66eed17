// Prints the state lines of the page's fixed run as this machine computes
// them; the page test compares them with the browser's, line by line.
// usage: kinopa-web-session-native PASSES
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "platform/errors.h"
#include "web/web_session.h"

int main(int argc, char** argv) {
  const int passes = argc == 2 ? std::atoi(argv[1]) : 0;
  if (passes <= 0) {
    std::fprintf(stderr, "usage: %s PASSES (a positive number)\n", argv[0]);
    return 2;
  }
  try {
    for (const auto& line : kinopa::web::fixedRun(passes)) std::printf("%s\n", line.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", kinopa::errorReport(e).c_str());
    return 1;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
