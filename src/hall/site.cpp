#include "hall/site.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace kinopa::hall {
namespace {

const std::map<std::string, std::string>& types() {
  static const std::map<std::string, std::string> t = {
      {".html", "text/html; charset=utf-8"},
      {".js", "text/javascript; charset=utf-8"},
      {".mjs", "text/javascript; charset=utf-8"},
      {".wasm", "application/wasm"},
      {".webmanifest", "application/manifest+json"},
      {".json", "application/json"},
      {".css", "text/css; charset=utf-8"},
      {".png", "image/png"},
      {".bmp", "image/bmp"},
      {".jpg", "image/jpeg"},
      {".wav", "audio/wav"},
      {".woff2", "font/woff2"},
      {".gz", "application/gzip"},
      {".txt", "text/plain; charset=utf-8"},
      {".ini", "text/plain; charset=utf-8"},
      {".kinopa", "text/plain; charset=utf-8"},
  };
  return t;
}

}  // namespace

std::optional<SiteFile> Site::file(const std::vector<std::string>& segments) const {
  std::filesystem::path path(folder_);
  for (const std::string& s : segments) {
    if (s.empty()) continue;  // "/" and "a//b"
    if (s[0] == '.' || s.find('/') != std::string::npos || s.find('\0') != std::string::npos)
      return std::nullopt;
    path /= s;
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  if (S_ISDIR(info.st_mode)) {
    path /= "index.html";
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  }
  if (!S_ISREG(info.st_mode)) return std::nullopt;
  const auto type = types().find(path.extension().string());
  if (type == types().end()) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (!in || !(bytes << in.rdbuf())) return std::nullopt;
  char etag[64];
  std::snprintf(etag, sizeof etag, "\"%llx-%llx\"", static_cast<unsigned long long>(info.st_size),
                static_cast<unsigned long long>(info.st_mtim.tv_sec * 1000000000ll + info.st_mtim.tv_nsec));
  return SiteFile{bytes.str(), type->second, etag};
}

}  // namespace kinopa::hall
