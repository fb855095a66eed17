// kinopa-hall: the hall of fame's server. It serves the browser's game and
// the hall page, gives seeds for hall games, proves every game sent to it
// by replaying it under the rules, and keeps the table in SQLite or
// PostgreSQL. `kinopa-hall --help` tells the options.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "core/program_folder.h"
#include "hall/routes.h"
#include "hall/server.h"
#include "store/store.h"

namespace {

constexpr const char* kUsage = R"(Usage: kinopa-hall [OPTION]...
Serves Kinopa's browser game and its hall of fame: seeds for hall games, games
sent to the hall proven by replaying them, the table as JSON and as a page.

  --listen ADDRESS       the address to listen on (default 127.0.0.1; :: or
                         0.0.0.0 for every address)
  --port N               the port (default 8080; 0 takes a free one)
  --site FOLDER          the browser build's site (default: the installed
                         one, SHARE/kinopa-hall/site beside the program)
  --state FOLDER         the hall's own folder: hall.sqlite and admin-token
                         there (default: $STATE_DIRECTORY, as systemd sets
                         it, or hall-state in the current folder)
  --database DATABASE    PostgreSQL instead of SQLite: a connection URI
                         (postgresql://...) or a file that holds one, so that
                         no password is on the command line
  --admin-token-file F   the administrator's token, for DELETE
                         /api/games/ID with "Authorization: Bearer TOKEN"
                         (default: the service's credential admin-token, or
                         STATE/admin-token; no file: nothing can be removed).
                         It must not be readable by others.
  --threads N            threads for connections, and as many for the work
                         of requests (default 2)
  --body-limit BYTES     the largest request body (default 1048576)
  --header-timeout S     seconds for a request's header (default 10)
  --body-timeout S       seconds for its body (default 30)
  --replay-time MS       the longest a game's proof may take (default 2000)
  --late-margin S        how long after its end a game may arrive (default 20)
  --cache-ms MS          how long the table and the hall page are answered
                         from this process's last answer (default 1000; 0:
                         never): other processes' entries show that late
  --per-minute N         seeds, and games, one address may have a minute
                         (default 12)
  --trust-proxy          take the client's address from X-Forwarded-For (its
                         last one), behind a proxy of your own
  --help                 show this and end
  --version              show the version and end

The API (JSON; errors as {"error": "..."} with a 4xx status, in Japanese
when Accept-Language ranks it first):
  POST   /api/seed                 {"seed": "N", "generator": "xoshiro256**"}
  POST   /api/games                {"name", "recording"} -> 201 {"id", "score", "rank"}
  GET    /api/games?period=all|week&limit=N   [{"id", "name", "score", "date"}]
  GET    /api/games/ID/recording   the recording, text/plain
  DELETE /api/games/ID             the administrator removes an entry
  GET    /hall                     the hall page
Anything else is a file of the site.
)";

[[noreturn]] void fail(const std::string& why) {
  std::fprintf(stderr, "kinopa-hall: %s\n", why.c_str());
  std::exit(1);
}

std::string wholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (!in || !(text << in.rdbuf())) fail("cannot read " + path);
  return text.str();
}

std::string trimmed(std::string s) {
  const auto white = " \t\r\n";
  s.erase(s.find_last_not_of(white) + 1);
  s.erase(0, s.find_first_not_of(white));
  return s;
}

long number(const std::string& option, const std::string& text, long lo, long hi) {
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE || v < lo || v > hi)
    fail(option + " takes a number from " + std::to_string(lo) + " to " + std::to_string(hi) +
         ", not " + text);
  return v;
}

// The administrator's token, or "" when there is none. A file others may
// read is refused: the token is the only key to the table.
std::string adminToken(const std::string& path, bool given) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (given) fail("cannot read the admin token file " + path);
    return {};
  }
  if (info.st_mode & (S_IRWXG | S_IRWXO))
    fail("the admin token file " + path + " may be read by others: chmod 600 it");
  const std::string token = trimmed(wholeFile(path));
  if (token.size() < 16) fail("the admin token in " + path + " is shorter than 16 characters");
  return token;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kinopa;
  hall::ServerOptions server;
  hall::HallOptions options;
  std::string site = folderBesideProgram("share") + "kinopa-hall/site";
  const char* stateDirectory = std::getenv("STATE_DIRECTORY");
  std::string state = stateDirectory && *stateDirectory ? stateDirectory : "hall-state";
  std::string database, tokenFile;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) fail(a + " needs a value (see --help)");
      return argv[++i];
    };
    if (a == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (a == "--version") {
      std::printf("kinopa-hall %s\n", KINOPA_VERSION);
      return 0;
    } else if (a == "--listen") {
      server.address = value();
    } else if (a == "--port") {
      server.port = static_cast<uint16_t>(number(a, value(), 0, 65535));
    } else if (a == "--site") {
      site = value();
    } else if (a == "--state") {
      state = value();
    } else if (a == "--database") {
      database = value();
    } else if (a == "--admin-token-file") {
      tokenFile = value();
    } else if (a == "--threads") {
      server.threads = static_cast<int>(number(a, value(), 1, 256));
    } else if (a == "--body-limit") {
      server.bodyLimit = static_cast<std::size_t>(number(a, value(), 1024, 64 << 20));
    } else if (a == "--header-timeout") {
      server.headerTime = std::chrono::seconds(number(a, value(), 1, 3600));
    } else if (a == "--body-timeout") {
      server.bodyTime = std::chrono::seconds(number(a, value(), 1, 3600));
    } else if (a == "--replay-time") {
      options.proof.replayTime = std::chrono::milliseconds(number(a, value(), 1, 600000));
    } else if (a == "--late-margin") {
      options.proof.lateMargin = number(a, value(), 0, 3600) * 1000;
    } else if (a == "--cache-ms") {
      options.cacheTime = std::chrono::milliseconds(number(a, value(), 0, 60000));
    } else if (a == "--per-minute") {
      options.perMinute = static_cast<double>(number(a, value(), 1, 1000000));
    } else if (a == "--trust-proxy") {
      server.trustProxy = true;
    } else {
      fail("unknown option " + a + " (see --help)");
    }
  }

  std::error_code error;
  std::filesystem::create_directories(state, error);
  if (error) fail("cannot make the state folder " + state + ": " + error.message());
  const bool tokenGiven = !tokenFile.empty();
  if (!tokenGiven) {
    // As a service: the credential systemd hands over (LoadCredential).
    const char* credentials = std::getenv("CREDENTIALS_DIRECTORY");
    const std::string credential = credentials ? std::string(credentials) + "/admin-token" : "";
    tokenFile = !credential.empty() && std::filesystem::exists(credential)
                    ? credential
                    : (std::filesystem::path(state) / "admin-token").string();
  }
  options.adminToken = adminToken(tokenFile, tokenGiven);
  if (!std::filesystem::is_directory(site + "/"))
    std::fprintf(stderr, "kinopa-hall: no site in %s: the game's page is not served\n", site.c_str());
  options.siteFolder = site;
  options.clock = [] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
  };

  // A connection string given in a file: its first line.
  if (!database.empty() && database.find("://") == std::string::npos && database.find('=') == std::string::npos)
    database = trimmed(wholeFile(database));
  const std::string sqliteFile = (std::filesystem::path(state) / "hall.sqlite").string();
  store::StorePool stores([database, sqliteFile] {
    return database.empty() ? store::openSqlite(sqliteFile) : store::openPostgres(database);
  });
  try {
    // The schema is made or upgraded now, before anything is served.
    const int version = stores.with([](store::Store& s) { return s.schemaVersion(); });
    std::fprintf(stderr, "kinopa-hall: %s, schema %d\n",
                 database.empty() ? ("SQLite " + sqliteFile).c_str() : "PostgreSQL", version);
    hall::Routes routes(options, stores);
    hall::serve(server, routes);
  } catch (const std::exception& e) {
    fail(e.what());
  }
  return 0;
}
