#pragma once
// The hall's HTTP server: Boost.Beast on one io_context, every connection's
// reads and writes asynchronous and each under its own time-out, so a slow
// client is cut off without holding a thread. A whole request goes to the
// workers (the proof and the database may take a while); its answer comes
// back to the connection's own strand.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "hall/routes.h"

namespace kinopa::hall {

struct ServerOptions {
  std::string address = "127.0.0.1";
  uint16_t port = 8080;
  int threads = 2;
  std::size_t bodyLimit = 1 << 20;
  std::size_t headerLimit = 16 << 10;
  // The request's header, from the connection's opening or the answer
  // before; then its body; then writing the answer.
  std::chrono::seconds headerTime{10}, bodyTime{30}, writeTime{30};
  // The client's address from X-Forwarded-For (its last address), for a
  // hall behind a proxy.
  bool trustProxy = false;
};

// Serves until SIGINT or SIGTERM; prints "kinopa-hall: serving on
// http://ADDRESS:PORT/" once it listens (PORT 0 takes a free port). Throws
// when it cannot listen.
void serve(const ServerOptions& options, Routes& routes);

}  // namespace kinopa::hall
