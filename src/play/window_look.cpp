#include "play/window_look.h"

#include <cmath>

#include "core/media_types.h"

namespace kinopa {
namespace {

constexpr LookFont gothic(double points, bool bold = true) { return {"ＭＳ Ｐゴシック", points, bold}; }
constexpr int32_t kMagenta = rgb(255, 0, 255);

using enum ControlKind;
using enum Alignment;

// The labels show on the window picture; each title's box reaches down
// behind its value's, the title's text at its top and the value's below it.
constexpr ControlLook kMainWindow[] = {
    {.name = "Picture1", .kind = pictureBox, .box = {0, 0, kFieldWidth, kFieldHeight}},
    {.name = "gameend", .kind = button, .box = {408, 568, 95, 25}, .caption = "終了"},
    {.name = "Label1", .box = {408, 184, 97, 41}, .caption = "得点", .font = gothic(14.25),
     .alignment = centre},
    {.name = "Label2", .box = {408, 248, 97, 41}, .caption = "得点増加率", .font = gothic(12),
     .alignment = centre},
    {.name = "Label3", .box = {408, 320, 97, 49}, .caption = "残り時間", .font = gothic(14.25),
     .alignment = centre},
    {.name = "gamestart", .kind = button, .box = {408, 8, 97, 25}, .caption = "Start",
     .ruled = Control::gamestart},
    {.name = "Label4", .box = {408, 200, 97, 25}, .caption = "0", .font = gothic(15.75),
     .alignment = centre, .ruled = Control::Label4},
    {.name = "Label5", .box = {408, 264, 97, 25}, .caption = "1", .font = gothic(15.75),
     .alignment = centre, .ruled = Control::Label5},
    {.name = "Label6", .box = {408, 344, 97, 25}, .caption = "10000", .font = gothic(15.75),
     .alignment = centre, .ruled = Control::Label6},
    {.name = "Label7", .box = {416, 104, 81, 25}, .caption = "最高得点", .font = gothic(14.25),
     .colour = kMagenta},
    {.name = "Label8", .box = {416, 128, 81, 25}, .caption = "0", .font = gothic(14.25),
     .alignment = centre, .colour = kMagenta, .ruled = Control::Label8},
    // Disabled until the main loop first idles.
    {.name = "Command1", .kind = button, .box = {416, 392, 81, 25}, .caption = "効果音設定",
     .enabled = false, .ruled = Control::Command1},
};

// Five rows, one for each sound: its title above its file name box, full-path
// box, browse button (8 pixels higher, being taller) and off box. The text
// boxes' first texts are the first sound settings (SettingsValues).
constexpr LookFont kTextFont = gothic(9.75, false);
constexpr ControlLook kSoundMenu[] = {
    {.name = "Text1", .kind = textBox, .box = {8, 56, 209, 19}, .font = kTextFont, .row = 1},
    {.name = "Check1", .kind = checkBox, .box = {224, 56, 65, 17}, .caption = "フルパス", .row = 1},
    {.name = "Command4", .kind = button, .box = {296, 48, 41, 25}, .caption = "参照", .row = 1},
    {.name = "Check6", .kind = checkBox, .box = {344, 56, 33, 17}, .caption = "無", .row = 1},
    {.name = "Text2", .kind = textBox, .box = {8, 96, 209, 18}, .font = kTextFont, .row = 2},
    {.name = "Check2", .kind = checkBox, .box = {224, 96, 65, 17}, .caption = "フルパス", .row = 2},
    {.name = "Command5", .kind = button, .box = {296, 88, 41, 25}, .caption = "参照", .row = 2},
    {.name = "Check7", .kind = checkBox, .box = {344, 96, 33, 17}, .caption = "無", .row = 2},
    {.name = "Text3", .kind = textBox, .box = {8, 136, 209, 18}, .font = kTextFont, .row = 3},
    {.name = "Check3", .kind = checkBox, .box = {224, 136, 65, 17}, .caption = "フルパス", .row = 3},
    {.name = "Command6", .kind = button, .box = {296, 128, 41, 25}, .caption = "参照", .row = 3},
    {.name = "Check8", .kind = checkBox, .box = {344, 136, 33, 17}, .caption = "無", .row = 3},
    {.name = "Text4", .kind = textBox, .box = {8, 176, 209, 18}, .font = kTextFont, .row = 4},
    {.name = "Check4", .kind = checkBox, .box = {224, 176, 65, 17}, .caption = "フルパス", .row = 4},
    {.name = "Command7", .kind = button, .box = {296, 168, 41, 25}, .caption = "参照", .row = 4},
    {.name = "Check9", .kind = checkBox, .box = {344, 176, 33, 17}, .caption = "無", .row = 4},
    {.name = "Text5", .kind = textBox, .box = {8, 216, 209, 18}, .font = kTextFont, .row = 5},
    {.name = "Check5", .kind = checkBox, .box = {224, 216, 65, 17}, .caption = "フルパス", .row = 5},
    {.name = "Command8", .kind = button, .box = {296, 208, 41, 25}, .caption = "参照", .row = 5},
    {.name = "Check10", .kind = checkBox, .box = {344, 216, 33, 17}, .caption = "無", .row = 5},
    {.name = "Command1", .kind = button, .box = {48, 248, 105, 33}, .caption = "OK"},
    {.name = "Command2", .kind = button, .box = {232, 248, 105, 33}, .caption = "Cancel"},
    {.name = "Label1", .box = {8, 40, 145, 17}, .caption = "音楽", .row = 1},
    {.name = "Label2", .box = {8, 80, 145, 17}, .caption = "zarup受け止め成功", .row = 2},
    {.name = "Label3", .box = {8, 120, 145, 17}, .caption = "zarup受け止め失敗", .row = 3},
    {.name = "Label4", .box = {8, 160, 145, 17}, .caption = "melkitクリック成功", .row = 4},
    {.name = "Label5", .box = {8, 200, 145, 17}, .caption = "melkitクリック失敗", .row = 5},
    {.name = "Label6", .box = {32, 8, 281, 33}, .caption = "音楽、効果音ファイル設定",
     .font = LookFont{"ＭＳ Ｐ明朝", 18, true}},
};

// The controls the rules write are numbered from 0 by their place in
// Control, each once: the page knows them by that number.
consteval bool ruledNumberedOnce() {
  int ruled = 0;
  for (const ControlLook& look : kMainWindow) ruled += look.ruled ? 1 : 0;
  for (int n = 0; n < ruled; ++n) {
    int found = 0;
    for (const ControlLook& look : kMainWindow)
      found += look.ruled && static_cast<int>(*look.ruled) == n ? 1 : 0;
    if (found != 1) return false;
  }
  return true;
}
static_assert(ruledNumberedOnce());

constexpr WindowLook kMainWindowLook{"draw_w", "Kinopa", 512, kFieldHeight, kMainWindow};
constexpr WindowLook kSoundMenuLook{"SoundMenu", "SoundMenu", 385, 295, kSoundMenu};

}  // namespace

int fontPixels(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

const WindowLook& mainWindowLook() { return kMainWindowLook; }
const WindowLook& soundMenuLook() { return kSoundMenuLook; }

}  // namespace kinopa
