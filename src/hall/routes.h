#pragma once
// What the hall answers: the HTTP API, the hall page and the site's files,
// for one whole request at a time. It keeps nothing between requests but
// the rate limits: everything else is in the store.
#include <boost/beast/http.hpp>
#include <cstdint>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>

#include "hall/rate_limit.h"
#include "hall/site.h"
#include "play/hall_proof.h"
#include "store/store_pool.h"

namespace kinopa::hall {

namespace http = boost::beast::http;
using Request = http::request<http::string_body>;
using Response = http::response<http::string_body>;

struct HallOptions {
  std::string siteFolder;
  // The administrator's token (empty: no entry can be removed).
  std::string adminToken;
  ProofLimits proof;
  // Seeds, and games, each address may have a minute.
  double perMinute = 12;
  // The hall's clock, milliseconds since 1970.
  std::function<int64_t()> clock;
  // How long this process answers the table and the hall page from its last
  // answer (0: never). Its own entries and removals show at once; other
  // processes' after this time at most.
  std::chrono::milliseconds cacheTime{1000};
};

// How many entries the table gives at most.
inline constexpr int kTableSize = 100;

class Routes {
 public:
  Routes(HallOptions options, store::StorePool& stores);

  // The answer to `request` from `address` (the client's, or the proxy's
  // word for it). A request refused or failed is logged in one line.
  Response handle(const Request& request, const std::string& address);

 private:
  Response route(const Request& request, const std::string& address);
  Response seed(const Request& request, const std::string& address);
  Response addGame(const Request& request, const std::string& address);
  Response table(const Request& request, std::string_view period, std::string_view limit);
  Response recording(const Request& request, int64_t id);
  Response remove(const Request& request, int64_t id);
  Response hallPage(const Request& request);
  Response siteFile(const Request& request, const std::vector<std::string>& segments);

  // The body of a recent answer under `key`, or made by `make` and kept.
  std::string recent(const std::string& key, const std::function<std::string()>& make);
  void forgetRecent();

  HallOptions options_;
  store::StorePool& stores_;
  struct Recent {
    std::chrono::steady_clock::time_point at;
    std::string body;
  };
  std::mutex recentMutex_;
  std::unordered_map<std::string, Recent> recent_;
  Site site_;
  RateLimit seeds_, games_;
};

// An answer of the API: JSON, or {"error": sentence} in the request's
// language, with `why` logged.
Response errorResponse(const Request& request, http::status status, const char* sentence);

}  // namespace kinopa::hall
