#pragma once
// The site the browser build makes, served from its folder: each file with
// its type, nothing outside the folder, revalidated at every use so that the
// service worker and the browser's cache never keep an old game.
#include <optional>
#include <string>
#include <vector>

namespace kinopa::hall {

struct SiteFile {
  std::string body;
  std::string type;
  std::string etag;
};

class Site {
 public:
  explicit Site(std::string folder) : folder_(std::move(folder)) {}
  // The file at the decoded path `segments` ("" or a folder: its
  // index.html); none for a name that is not there, that leaves the folder
  // (".." or any name starting with a dot) or that is not a regular file.
  std::optional<SiteFile> file(const std::vector<std::string>& segments) const;
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
};

}  // namespace kinopa::hall
