#include "hall/routes.h"

#include <boost/json.hpp>
#include <boost/url/parse.hpp>
#include <boost/url/url_view.hpp>
#include <charconv>
#include <cstdio>
#include <random>

#include "core/player_text.h"
#include "core/random.h"
#include "hall/hall_page.h"
#include "hall/language.h"
#include "hall/names.h"
#include "hall/sentences.h"

namespace kinopa::hall {
namespace {

namespace json = boost::json;

// The week of the table: the seven days before now.
constexpr int64_t kWeek = 7 * 24 * 3600 * 1000ll;

void logLine(const Request& r, unsigned status, const std::string& why) {
  // The method, the path without its query, the status and the reason:
  // never the address, the name or the recording.
  const std::string_view target(r.target().data(), r.target().size());
  const std::string_view path = target.substr(0, target.find('?'));
  std::fprintf(stderr, "kinopa-hall: %.*s %.*s %u: %s\n", static_cast<int>(r.method_string().size()),
               r.method_string().data(), static_cast<int>(path.size()), path.data(), status,
               why.c_str());
}

Language language(const Request& r) {
  const auto accept = r[http::field::accept_language];
  return requestLanguage(std::string_view(accept.data(), accept.size()));
}

Response made(const Request& r, http::status status, std::string type, std::string body) {
  Response res{status, r.version()};
  res.set(http::field::server, "kinopa-hall");
  res.set(http::field::content_type, type);
  res.keep_alive(r.keep_alive());
  res.body() = std::move(body);
  res.prepare_payload();
  return res;
}

Response jsonResponse(const Request& r, http::status status, const json::value& v) {
  Response res = made(r, status, "application/json", json::serialize(v));
  res.set(http::field::cache_control, "no-store");
  return res;
}

Response refusal(const Request& r, http::status status, const char* sentence, const std::string& why) {
  logLine(r, static_cast<unsigned>(status), why);
  return errorResponse(r, status, sentence);
}

template <class T>
bool whole(std::string_view text, T& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

json::object entryJson(const store::Entry& e) {
  return {{"id", e.id}, {"name", e.name}, {"score", e.score}, {"date", isoDate(e.playedAt)}};
}

uint64_t freshSeed() {
  thread_local std::random_device device;
  return (static_cast<uint64_t>(device()) << 32) ^ device();
}

// Equal or not, in a time that tells nothing of where they differ.
bool sameSecret(std::string_view a, std::string_view b) {
  unsigned char differ = a.size() == b.size() ? 0 : 1;
  for (std::size_t i = 0; i < a.size(); ++i)
    differ |= static_cast<unsigned char>(a[i] ^ (i < b.size() ? b[i] : 0));
  return differ == 0;
}

}  // namespace

Response errorResponse(const Request& r, http::status status, const char* sentence) {
  return jsonResponse(r, status, json::object{{"error", hall::sentence(language(r), sentence)}});
}

Routes::Routes(HallOptions options, store::StorePool& stores)
    : options_(std::move(options)),
      stores_(stores),
      site_(options_.siteFolder),
      seeds_(options_.perMinute),
      games_(options_.perMinute) {}

Response Routes::handle(const Request& request, const std::string& address) {
  try {
    Response res = route(request, address);
    // HEAD: the answer's header alone, with the length of its body.
    if (request.method() == http::verb::head && !res.body().empty()) {
      const std::size_t size = res.body().size();
      res.body().clear();
      res.content_length(size);
    }
    return res;
  } catch (const store::StoreError& e) {
    return refusal(request, http::status::service_unavailable, kUnavailable, e.what());
  } catch (const std::exception& e) {
    return refusal(request, http::status::internal_server_error, kUnavailable, e.what());
  }
}

Response Routes::route(const Request& r, const std::string& address) {
  const auto parsed = boost::urls::parse_origin_form(r.target());
  if (!parsed) return refusal(r, http::status::bad_request, kNoSuchPage, "a target that is not a path");
  const boost::urls::url_view url = *parsed;
  std::vector<std::string> path;
  for (const std::string& s : url.segments()) path.push_back(s);
  const auto query = [&](const char* key) -> std::string {
    const auto it = url.params().find(key);
    return it == url.params().end() ? std::string() : std::string((*it).value);
  };
  const bool get = r.method() == http::verb::get || r.method() == http::verb::head;
  const auto wrongMethod = [&](const char* allowed) {
    Response res = refusal(r, http::status::method_not_allowed, kWrongMethod, "method not allowed");
    res.set(http::field::allow, allowed);
    return res;
  };

  if (!path.empty() && path[0] == "api") {
    if (path.size() == 2 && path[1] == "seed")
      return r.method() == http::verb::post ? seed(r, address) : wrongMethod("POST");
    if (path.size() == 2 && path[1] == "games") {
      if (r.method() == http::verb::post) return addGame(r, address);
      if (!get) return wrongMethod("GET, HEAD, POST");
      const std::string period = url.params().contains("period") ? query("period") : "all";
      const std::string limit = url.params().contains("limit") ? query("limit") : "100";
      return table(r, period, limit);
    }
    int64_t id = 0;
    if (path.size() >= 3 && path[1] == "games" && whole(path[2], id) && id > 0) {
      if (path.size() == 4 && path[3] == "recording") return get ? recording(r, id) : wrongMethod("GET, HEAD");
      if (path.size() == 3) return r.method() == http::verb::delete_ ? remove(r, id) : wrongMethod("DELETE");
    }
    return refusal(r, http::status::not_found, kNoSuchPage, "no such API");
  }
  if (!get) return wrongMethod("GET, HEAD");
  if (path.size() == 1 && path[0] == "hall") return hallPage(r);
  return siteFile(r, path);
}

std::string Routes::recent(const std::string& key, const std::function<std::string()>& make) {
  const auto now = std::chrono::steady_clock::now();
  if (options_.cacheTime.count() > 0) {
    const std::lock_guard lock(recentMutex_);
    const auto it = recent_.find(key);
    if (it != recent_.end() && now - it->second.at < options_.cacheTime) return it->second.body;
  }
  std::string body = make();
  if (options_.cacheTime.count() > 0) {
    const std::lock_guard lock(recentMutex_);
    recent_[key] = Recent{now, body};
  }
  return body;
}

void Routes::forgetRecent() {
  const std::lock_guard lock(recentMutex_);
  recent_.clear();
}

Response Routes::seed(const Request& r, const std::string& address) {
  if (!seeds_.take(address)) return refusal(r, http::status::too_many_requests, kTooMany, "seeds too often");
  const int64_t now = options_.clock();
  uint64_t s = 0;
  stores_.with([&](store::Store& st) {
    do s = freshSeed();
    while (!st.issueSeed(s, now));
    return 0;
  });
  return jsonResponse(r, http::status::ok,
                      json::object{{"seed", std::to_string(s)}, {"generator", SeededRandom::kGenerator}});
}

Response Routes::addGame(const Request& r, const std::string& address) {
  if (!games_.take(address)) return refusal(r, http::status::too_many_requests, kTooMany, "games too often");
  json::error_code ec;
  const json::value body = json::parse(r.body(), ec);
  const json::object* o = ec ? nullptr : body.if_object();
  const json::string* rawName = o && o->contains("name") ? o->at("name").if_string() : nullptr;
  const json::string* text = o && o->contains("recording") ? o->at("recording").if_string() : nullptr;
  if (!rawName || !text) return refusal(r, http::status::bad_request, kNotAGame, "not a game's JSON");
  const Name name = normalName(std::string_view(rawName->data(), rawName->size()));
  if (name.refusal) return refusal(r, http::status::unprocessable_entity, name.refusal, "a name refused");
  const std::string recording(text->data(), text->size());

  const auto answer = [&](http::status status, int64_t id, int32_t score) {
    const int64_t rank = stores_.with([&](store::Store& st) { return st.rank(id); });
    return jsonResponse(r, status, json::object{{"id", id}, {"score", score}, {"rank", rank}});
  };
  // The same recording again (an answer lost on its way, say): its entry.
  const std::optional<uint64_t> seed = hallSeed(recording);
  std::optional<store::SeedFacts> facts;
  if (seed) {
    facts = stores_.with([&](store::Store& st) { return st.findSeed(*seed); });
    if (facts && facts->used) {
      if (const auto same = stores_.with([&](store::Store& st) { return st.sameGame(*seed, recording); }))
        return answer(http::status::ok, same->id, same->score);
    }
  }
  const int64_t now = options_.clock();
  const HallProof proof = proveHallGame(
      recording,
      [&](uint64_t) -> std::optional<IssuedSeed> {
        if (!facts) return std::nullopt;
        return IssuedSeed{facts->issuedAt, facts->used};
      },
      now, options_.proof);
  if (!proof.proven()) {
    const bool used = proof.refusal == refusal::kSeedUsed;
    return refusal(r, used ? http::status::conflict : http::status::unprocessable_entity,
                   proof.refusal, proof.why);
  }
  const store::Added added = stores_.with([&](store::Store& st) {
    return st.addGame({proof.seed, name.text, proof.score, proof.playTime, now, recording});
  });
  forgetRecent();
  switch (added.outcome) {
    case store::Added::added: return answer(http::status::created, added.id, proof.score);
    case store::Added::sameRecording: return answer(http::status::ok, added.id, proof.score);
    case store::Added::seedUsed: break;
  }
  return refusal(r, http::status::conflict, refusal::kSeedUsed, "seed used at once by another game");
}

Response Routes::table(const Request& r, std::string_view period, std::string_view limitText) {
  int limit = 0;
  if ((period != "all" && period != "week") || !whole(limitText, limit) || limit < 1 || limit > kTableSize)
    return refusal(r, http::status::bad_request, kNoSuchTable, "no such table");
  std::string body = recent("table " + std::string(period) + " " + std::to_string(limit), [&] {
    const int64_t since = period == "week" ? options_.clock() - kWeek : INT64_MIN;
    const auto entries = stores_.with([&](store::Store& st) { return st.table(since, limit); });
    json::array out;
    out.reserve(entries.size());
    for (const store::Entry& e : entries) out.push_back(entryJson(e));
    return json::serialize(out);
  });
  Response res = made(r, http::status::ok, "application/json", std::move(body));
  res.set(http::field::cache_control, "no-cache");
  return res;
}

Response Routes::recording(const Request& r, int64_t id) {
  auto text = stores_.with([&](store::Store& st) { return st.recording(id); });
  if (!text) return refusal(r, http::status::not_found, kNoSuchGame, "no such game");
  Response res = made(r, http::status::ok, "text/plain; charset=utf-8", std::move(*text));
  res.set(http::field::content_disposition,
          "inline; filename=\"kinopa-hall-" + std::to_string(id) + ".kinopa\"");
  // An entry's recording never changes; it may only go.
  res.set(http::field::cache_control, "public, max-age=3600");
  return res;
}

Response Routes::remove(const Request& r, int64_t id) {
  const auto auth = r[http::field::authorization];
  const std::string_view given(auth.data(), auth.size());
  const std::string_view bearer = "Bearer ";
  if (options_.adminToken.empty() || given.substr(0, bearer.size()) != bearer ||
      !sameSecret(given.substr(bearer.size()), options_.adminToken))
    return refusal(r, http::status::forbidden, kNotAllowed, "removal without the token");
  if (!stores_.with([&](store::Store& st) { return st.remove(id); }))
    return refusal(r, http::status::not_found, kNoSuchGame, "no such game to remove");
  forgetRecent();
  std::fprintf(stderr, "kinopa-hall: entry %lld removed\n", static_cast<long long>(id));
  Response res{http::status::no_content, r.version()};
  res.keep_alive(r.keep_alive());
  return res;
}

Response Routes::hallPage(const Request& r) {
  const Language l = language(r);
  std::string page = recent(l == Language::japanese ? "hall ja" : "hall en", [&] {
    const int64_t now = options_.clock();
    const auto [week, all] = stores_.with([&](store::Store& st) {
      return std::make_pair(st.table(now - kWeek, kTableSize), st.table(INT64_MIN, kTableSize));
    });
    return hall::hallPage(week, all, l);
  });
  Response res = made(r, http::status::ok, "text/html; charset=utf-8", std::move(page));
  res.set(http::field::cache_control, "no-cache");
  res.set(http::field::vary, "Accept-Language");
  res.set("Content-Security-Policy", "default-src 'none'; style-src 'unsafe-inline'; img-src 'self'");
  return res;
}

Response Routes::siteFile(const Request& r, const std::vector<std::string>& segments) {
  std::optional<SiteFile> f = site_.file(segments);
  if (!f) {
    logLine(r, 404, "no such file");
    return made(r, http::status::not_found, "text/plain; charset=utf-8",
                sentence(language(r), kNoSuchPage) + "\n");
  }
  const auto match = r[http::field::if_none_match];
  Response res{http::status::ok, r.version()};
  res.set(http::field::server, "kinopa-hall");
  res.keep_alive(r.keep_alive());
  res.set(http::field::etag, f->etag);
  // The files keep their names from one build to the next: the browser and
  // the service worker ask again each time, and a file unchanged costs a 304.
  res.set(http::field::cache_control, "no-cache");
  if (std::string_view(match.data(), match.size()) == f->etag) {
    res.result(http::status::not_modified);
    return res;
  }
  res.set(http::field::content_type, f->type);
  res.body() = std::move(f->body);
  res.prepare_payload();
  return res;
}

}  // namespace kinopa::hall
