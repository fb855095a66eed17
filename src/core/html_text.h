#pragma once
// Text put into HTML as text: made safe inside elements and quoted
// attributes, for the pages made from the game's data (the browser's page at
// build time, the hall page on the server).
#include <string>
#include <string_view>

namespace kinopa {

inline std::string escapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace kinopa
