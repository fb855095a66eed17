// kinopa_web_page TEMPLATE OUT: the site's index.html, its windows written
// from the window look (play/window_look.h), so that the page shows the very
// controls the desktop's windows show. Each window's element takes the place
// of the template's line <!-- window: NAME -->.
//
// The main window (draw_w) is the page itself: a box of its size holding its
// controls. Any other window is a dialog of the page (<dialog>), closed until
// shown, its caption in its title bar. A control's id is its name, after its window's
// name and a dash outside the main window (SoundMenu-Command1). The page.js
// finds controls by these ids and by what the elements say of themselves:
//   data-control  the control's number in Control, for a control the rules write
//   data-text     the text box's number (Text3: 3), as the sound settings know it
//   data-check    the check box's number (Check7: 7), on its box
//   data-browse   the row whose file a browse button chooses
// Sizes are pixels, a font's points as fontPixels makes them.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/html_text.h"
#include "play/window_look.h"

namespace {

using kinopa::Alignment;
using kinopa::ControlKind;
using kinopa::ControlLook;
using kinopa::WindowLook;

std::string px(int n) { return std::to_string(n) + "px"; }

// The number that ends a control's name (Text3: 3, Check10: 10): the number
// the sound settings know a text box or check box by.
int nameNumber(std::string_view name) {
  std::size_t digits = name.size();
  while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
  int number = 0;
  for (char c : name.substr(digits)) number = number * 10 + (c - '0');
  return number;
}

std::string style(const ControlLook& c) {
  std::string s = "left:" + px(c.box.left) + ";top:" + px(c.box.top) + ";width:" + px(c.box.width) +
                  ";height:" + px(c.box.height);
  if (c.font) {
    s += ";font-size:" + px(kinopa::fontPixels(c.font->points));
    s += c.font->bold ? ";font-weight:bold" : ";font-weight:normal";
  }
  if (c.kind == ControlKind::label)
    s += c.alignment == Alignment::centre ? ";text-align:center" : ";text-align:left";
  if (c.colour) {
    char colour[8];
    const int32_t v = *c.colour;
    std::snprintf(colour, sizeof colour, "#%02x%02x%02x", v & 0xff, (v >> 8) & 0xff, (v >> 16) & 0xff);
    s += ";color:";
    s += colour;
  }
  return s;
}

std::string control(const WindowLook& window, bool main, const ControlLook& c) {
  const std::string id = main ? c.name : std::string(window.name) + "-" + c.name;
  std::string attributes = " id=\"" + kinopa::escapeHtml(id) + "\"";
  if (c.ruled) attributes += " data-control=\"" + std::to_string(static_cast<int>(*c.ruled)) + "\"";
  const std::string disabled = c.enabled ? "" : " disabled";
  const std::string placed = " style=\"" + style(c) + "\"";
  const std::string caption = kinopa::escapeHtml(c.caption);
  switch (c.kind) {
    case ControlKind::pictureBox:
      return "<canvas" + attributes + " width=\"" + std::to_string(c.box.width) + "\" height=\"" +
             std::to_string(c.box.height) + "\" tabindex=\"0\"" + placed + "></canvas>";
    case ControlKind::label:
      return "<div" + attributes + " class=\"label\"" + placed + ">" + caption + "</div>";
    case ControlKind::button:
      if (c.row != 0) attributes += " data-browse=\"" + std::to_string(c.row) + "\"";
      return "<button" + attributes + " type=\"button\"" + disabled + placed + ">" + caption + "</button>";
    case ControlKind::checkBox:
      return "<label" + attributes + placed + "><input type=\"checkbox\" data-check=\"" +
             std::to_string(nameNumber(c.name)) + "\"" + disabled + ">" + caption + "</label>";
    case ControlKind::textBox:
      return "<input" + attributes + " type=\"text\" data-text=\"" + std::to_string(nameNumber(c.name)) +
             "\"" + (caption.empty() ? "" : " value=\"" + caption + "\"") + disabled + placed + ">";
  }
  throw std::logic_error("a control of no known kind");
}

// The window's element, each line after the first indented by `indent`.
std::string windowElement(const WindowLook& window, bool main, const std::string& indent) {
  const std::string size = "width:" + px(window.width) + ";height:" + px(window.height);
  std::string inner = main ? indent + "  " : indent + "    ";
  std::string controls;
  for (const ControlLook& c : window.controls) controls += inner + control(window, main, c) + "\n";
  const std::string name = kinopa::escapeHtml(window.name);
  // The windows' captions are Japanese whatever the page's language.
  if (main)
    return "<div id=\"" + name + "\" class=\"controls\" lang=\"ja\" style=\"" + size + "\">\n" + controls + indent +
           "</div>";
  return "<dialog id=\"" + name + "\" class=\"pane\" lang=\"ja\">\n" + indent + "  <div class=\"title\">" +
         kinopa::escapeHtml(window.caption) + "</div>\n" + indent + "  <div class=\"body controls\" style=\"" + size + "\">\n" +
         controls + indent + "  </div>\n" + indent + "</dialog>";
}

// Puts the window's element in place of its marker, at the marker's
// indentation.
void place(std::string& page, const WindowLook& window, bool main) {
  const std::string marker = "<!-- window: " + std::string(window.name) + " -->";
  const std::size_t at = page.find(marker);
  if (at == std::string::npos) throw std::runtime_error("the template has no " + marker);
  if (page.find(marker, at + 1) != std::string::npos) throw std::runtime_error("the template has two " + marker);
  const std::size_t line = page.rfind('\n', at) + 1;  // npos + 1: the first line
  const std::string indent = page.substr(line, at - line);
  if (indent.find_first_not_of(' ') != std::string::npos)
    throw std::runtime_error(marker + " does not stand on a line of its own");
  page.replace(at, marker.size(), windowElement(window, main, indent));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: kinopa_web_page TEMPLATE OUT\n", stderr);
    return 2;
  }
  const std::filesystem::path out = argv[2];
  const std::filesystem::path temporary = out.string() + ".new";
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    std::string page{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    place(page, kinopa::mainWindowLook(), true);
    place(page, kinopa::soundMenuLook(), false);
    if (page.find("<!-- window:") != std::string::npos)
      throw std::runtime_error("the template names a window the look has not");
    if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path());
    {
      std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
      file << page;
      file.close();
      if (!file) throw std::runtime_error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, out);  // whole, or not at all
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kinopa_web_page: %s\n", e.what());
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return 1;
  }
  return 0;
}
