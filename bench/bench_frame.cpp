// One frame's drawing work on the platform layer: the 400 x 600 clear from the
// background, seven colour-keyed sprite copies and the squeezed presentation
// into the 399 x 599 play field. Our surfaces are measured side by side with
// SDL2's software blitter doing the same copies and with plain memcpy of the
// same bytes (the floor); the ratios are printed at the end.
//
// Then the whole frame step: `game` in the real main window (off screen, or
// on the window system the program runs on), with the zarup, the melkit, the
// tovrin and all seven popups, presented into the window's buffer and
// flushed; beside it SDL2 doing the same copies from the same bitmap files
// into a window-sized surface, and memcpy moving the same bytes. The last
// lines give our time and both ratios, at display scale 1 and, from a second
// run of this program, at scale 2 (the comparisons then fill a window of
// twice the width and height).
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QtMath>
#include <QCoreApplication>
#include <QProcess>

#include "shown_session.h"
#include "window/draw_w.h"
#include "window_controls.h"
#include "core/event_pump.h"
#include "qt/fonts.h"
#include "core/media_types.h"
#include "core/program_folder.h"
#include "core/surface.h"
#include "sequence_random.h"

namespace {

using kinopa::Rect;
using kinopa::Surface;

constexpr int kBackW = 400, kBackH = 600, kFieldW = 399, kFieldH = 599;

struct SheetSpec {
  int width, height;
};
// zarup, melkit, tovrin and popup sheets.
constexpr SheetSpec kSheets[] = {{256, 55}, {500, 80}, {336, 60}, {200, 90}};

struct SpriteCopy {
  int sheet;
  Rect src;
  int x, y;
};
const SpriteCopy kCopies[] = {
    {3, {0, 30, 99, 59}, 50, 400},    {3, {0, 0, 49, 29}, 200, 300},
    {3, {100, 0, 199, 29}, 120, 200}, {3, {50, 0, 100, 29}, 300, 100},
    {0, {64, 0, 127, 54}, 170, 250},  {1, {200, 40, 299, 79}, 150, 60},
    {2, {252, 0, 335, 59}, 180, 500},
};

// Sheets are about 40 % white (transparent); everything else varies.
uint32_t sheetPixel(int x, int y) {
  if ((x * 7 + y * 13) % 5 < 2) return 0xffffffffu;
  return 0xff000000u | static_cast<uint32_t>((x * 2654435761u) ^ (y * 40503u)) >> 8;
}
uint32_t backgroundPixel(int x, int y) {
  return 0xff000000u | static_cast<uint32_t>(x * 613 + y * 97);
}

template <class Set>
void paint(int w, int h, uint32_t (*f)(int, int), Set set) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) set(x, y, f(x, y));
}

// A window that takes every picture and shows it nowhere.
class NullWindow : public kinopa::WindowHandle {
 public:
  Rect windowRect() const override { return {0, 0, kFieldW, kFieldH}; }
  bool presentToScreen(const kinopa::PixelView& image, const Rect&) override {
    benchmark::DoNotOptimize(image.pixels);
    return true;
  }
};

struct Ours {
  Surface bg{kBackW, kBackH}, back{kBackW, kBackH};
  std::vector<std::unique_ptr<Surface>> sheets;
  NullWindow window;
  std::shared_ptr<Surface> primary = Surface::primary();

  Ours() {
    paint(kBackW, kBackH, backgroundPixel,
          [&](int x, int y, uint32_t p) { bg.pixels()[y * kBackW + x] = p; });
    for (const SheetSpec& s : kSheets) {
      auto sheet = std::make_unique<Surface>(s.width, s.height);
      paint(s.width, s.height, sheetPixel,
            [&](int x, int y, uint32_t p) { sheet->pixels()[y * s.width + x] = p; });
      sheet->SetColorKey(kinopa::DDCKEY_SRCBLT, {kinopa::kWhite, kinopa::kWhite});
      sheets.push_back(std::move(sheet));
    }
    auto clipper = std::make_shared<kinopa::Clipper>();
    clipper->SetHWnd(&window);
    primary->SetClipper(clipper);
  }
  void clear() { back.BltFast(0, 0, bg, {0, 0, kBackW, kBackH}, kinopa::DDBLTFAST_WAIT); }
  void sprites() {
    for (const SpriteCopy& c : kCopies) {
      back.BltFast(c.x, c.y, *sheets[c.sheet], c.src,
                   kinopa::DDBLTFAST_WAIT + kinopa::DDBLTFAST_SRCCOLORKEY);
    }
  }
  void present() {
    primary->Blt({100, 100, 100 + kFieldW, 100 + kFieldH}, back, {0, 0, kBackW, kBackH},
                 kinopa::DDBLT_WAIT);
  }
};

SDL_Surface* sdlSurface(int w, int h) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
  if (s == nullptr) {
    std::fprintf(stderr, "SDL_CreateRGBSurfaceWithFormat: %s\n", SDL_GetError());
    std::exit(1);
  }
  SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);  // a copy, as ours, not a blend
  return s;
}
void sdlSet(SDL_Surface* s, int x, int y, uint32_t p) {
  static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] = p;
}

struct Sdl {
  SDL_Surface* bg = sdlSurface(kBackW, kBackH);
  SDL_Surface* back = sdlSurface(kBackW, kBackH);
  SDL_Surface* field = sdlSurface(kFieldW, kFieldH);
  std::vector<SDL_Surface*> sheets;

  Sdl() {
    paint(kBackW, kBackH, backgroundPixel, [&](int x, int y, uint32_t p) { sdlSet(bg, x, y, p); });
    for (const SheetSpec& s : kSheets) {
      SDL_Surface* sheet = sdlSurface(s.width, s.height);
      paint(s.width, s.height, sheetPixel,
            [&](int x, int y, uint32_t p) { sdlSet(sheet, x, y, p); });
      SDL_SetColorKey(sheet, SDL_TRUE, 0xffffffffu);
      sheets.push_back(sheet);
    }
  }
  void clear() {
    SDL_Rect src{0, 0, kBackW, kBackH}, dst{0, 0, kBackW, kBackH};
    SDL_BlitSurface(bg, &src, back, &dst);
  }
  void sprites() {
    for (const SpriteCopy& c : kCopies) {
      SDL_Rect src{c.src.left, c.src.top, c.src.width(), c.src.height()};
      SDL_Rect dst{c.x, c.y, c.src.width(), c.src.height()};
      SDL_BlitSurface(sheets[c.sheet], &src, back, &dst);
    }
  }
  void present() { SDL_BlitScaled(back, nullptr, field, nullptr); }
};

// The same bytes moved by memcpy, row by row where the copy is a rectangle.
struct Memcpy {
  std::vector<uint32_t> bg, back, field;
  std::vector<std::vector<uint32_t>> sheets;

  Memcpy() : bg(kBackW * kBackH), back(kBackW * kBackH), field(kFieldW * kFieldH) {
    paint(kBackW, kBackH, backgroundPixel,
          [&](int x, int y, uint32_t p) { bg[y * kBackW + x] = p; });
    for (const SheetSpec& s : kSheets) {
      sheets.emplace_back(s.width * s.height);
      paint(s.width, s.height, sheetPixel,
            [&](int x, int y, uint32_t p) { sheets.back()[y * s.width + x] = p; });
    }
  }
  void clear() { std::memcpy(back.data(), bg.data(), back.size() * 4); }
  void sprites() {
    for (const SpriteCopy& c : kCopies) {
      const int sw = kSheets[c.sheet].width;
      for (int y = 0; y < c.src.height(); ++y) {
        std::memcpy(&back[(c.y + y) * kBackW + c.x],
                    &sheets[c.sheet][(c.src.top + y) * sw + c.src.left], c.src.width() * 4);
      }
    }
  }
  void present() {
    for (int y = 0; y < kFieldH; ++y)
      std::memcpy(&field[y * kFieldW], &back[y * kBackW], kFieldW * 4);
  }
};

// --- The whole frame step ---

class SteppedTick : public kinopa::TickCounter {
 public:
  int32_t now = 1000;
  int32_t GetTickCount() override { return now; }
};
class NoEvents : public kinopa::EventPump {
 public:
  void yield(bool) override {}
  void yieldUntilNextFrame() override {}
};

// The real main window, a game running, 8 ms a frame.
struct GameStep {
  SteppedTick tick;
  kinopa::SequenceRandom random{{0.3, 0.6, 0.45, 0.2, 0.7, 0.1, 0.9, 0.35}};
  NoEvents pump;
  kinopa::ShownSession shown{kinopa::Services{tick, random, pump, kinopa::Mode::script}};
  kinopa::DrawW& w = shown.window;

  GameStep() {
    w.session().startUp();
    QCoreApplication::processEvents();  // shown and exposed: frames really paint
    w.session().rules().gamestart_Click();
    w.session().rules().prevTick = tick.now;
    w.session().rules().Picture1_MouseMove(0, 0, 200, 540);
  }
  // Every popup showing, and time left, whatever the frames before did.
  void keepEverythingOnShow() {
    kinopa::Game& g = w.session().rules();
    for (int i = 0; i < 7; ++i) {
      g.popupActive[i] = kinopa::kSet;
      g.popupX[i] = static_cast<int16_t>(10 + 25 * i);
      g.popupY[i] = static_cast<int16_t>(150 + 50 * i);
      if (g.objects.popupAge[i] > 100) g.objects.popupAge[i] = 0;
    }
    if (g.remainingTime < 5000) g.remainingTime = 30000;
  }
  // The step, and the window system's turn that shows what it drew and
  // wrote, as the main loop runs them.
  void step() {
    keepEverythingOnShow();
    tick.now += 8;
    w.session().rules().game();
    QCoreApplication::processEvents();
  }
};

// The same with the play field hidden: the rules, our own copies and the
// labels, no frame handed to the window system.
struct GameStepNoWindow : GameStep {
  GameStepNoWindow() { w.field().hide(); }
};

// The copies of such a frame: the clear, seven popup cells, the zarup, the
// melkit and the tovrin, colour-keyed, from the game's own bitmap files.
struct StepCopy {
  const char* sheet;
  Rect src;
  int x, y;
};
const StepCopy kStepCopies[] = {
    {"text.bmp", {0, 30, 99, 59}, 10, 140},     {"text.bmp", {100, 30, 199, 59}, 35, 190},
    {"text.bmp", {0, 60, 99, 89}, 60, 240},     {"text.bmp", {100, 60, 199, 89}, 85, 290},
    {"text.bmp", {0, 0, 49, 29}, 110, 340},     {"text.bmp", {50, 0, 100, 29}, 135, 390},
    {"text.bmp", {100, 0, 199, 29}, 160, 440},  {"zarup.bmp", {64, 0, 127, 54}, 170, 250},
    {"melkit.bmp", {200, 40, 299, 79}, 150, 60}, {"tovrin.bmp", {84, 0, 167, 59}, 158, 500},
};

std::string imagePath(const char* file) { return kinopa::folderBesideProgram("images") + file; }

// Screen pixels to a pixel of the window: the comparisons fill a window of
// the same screen size as ours.
int screenScale() { return std::max(1, qRound(qApp->devicePixelRatio())); }

struct SdlStep {
  SDL_Surface* bg = load("back.bmp");
  SDL_Surface* back = sdlSurface(kBackW, kBackH);
  SDL_Surface* window = sdlSurface(kFieldW * screenScale(), kFieldH * screenScale());
  std::map<std::string, SDL_Surface*> sheets;

  static SDL_Surface* load(const char* file) {
    SDL_Surface* loaded = SDL_LoadBMP(imagePath(file).c_str());
    if (loaded == nullptr) {
      std::fprintf(stderr, "SDL_LoadBMP %s: %s\n", file, SDL_GetError());
      std::exit(1);
    }
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
    return s;
  }
  SdlStep() {
    for (const StepCopy& c : kStepCopies) {
      if (sheets.count(c.sheet) == 0) {
        sheets[c.sheet] = load(c.sheet);
        SDL_SetColorKey(sheets[c.sheet], SDL_TRUE, 0xffffffffu);
      }
    }
  }
  void step() {
    SDL_Rect all{0, 0, kBackW, kBackH};
    SDL_Rect to = all;
    SDL_BlitSurface(bg, &all, back, &to);
    for (const StepCopy& c : kStepCopies) {
      SDL_Rect src{c.src.left, c.src.top, c.src.width(), c.src.height()};
      SDL_Rect dst{c.x, c.y, c.src.width(), c.src.height()};
      SDL_BlitSurface(sheets[c.sheet], &src, back, &dst);
    }
    SDL_BlitScaled(back, nullptr, window, nullptr);
  }
};

struct MemcpyStep {
  int n = screenScale();
  std::vector<uint32_t> bg = std::vector<uint32_t>(kBackW * kBackH),
                        back = std::vector<uint32_t>(kBackW * kBackH * n * n),
                        window = std::vector<uint32_t>(kFieldW * kFieldH * n * n),
                        sheet = std::vector<uint32_t>(500 * 90);
  void step() {
    std::memcpy(back.data(), bg.data(), bg.size() * 4);
    for (const StepCopy& c : kStepCopies) {
      for (int y = 0; y < c.src.height(); ++y)
        std::memcpy(&back[(c.y + y) * kBackW + c.x], &sheet[(c.src.top + y) * 500 + c.src.left],
                    c.src.width() * 4);
    }
    // The window's rows, from rows as long (at scale 1, the back surface's).
    for (int y = 0; y < kFieldH * n; ++y)
      std::memcpy(&window[y * kFieldW * n], &back[y * kBackW * n], kFieldW * n * 4);
  }
};

template <class World>
World& world() {
  // Never destroyed: the main window must not outlive the application
  // object, which main() ends first.
  static World* w = new World;
  return *w;
}

template <class World, int Part>
void runPart(benchmark::State& state) {
  World& w = world<World>();
  for (auto _ : state) {
    if (Part == 0 || Part == 3) w.clear();
    if (Part == 1 || Part == 3) w.sprites();
    if (Part == 2 || Part == 3) w.present();
    benchmark::ClobberMemory();
  }
}

template <class World>
void runStep(benchmark::State& state) {
  World& w = world<World>();
  for (auto _ : state) {
    w.step();
    benchmark::ClobberMemory();
  }
}

// Set in the run at display scale 2.
constexpr const char* kScaledRun = "KINOPA_BENCH_SCALED_RUN";

const char* const kParts[] = {"clear", "sprites", "present", "frame"};
const char* const kWays[] = {"ours", "SDL2", "memcpy"};

template <class World, int Part>
void add(const std::string& way) {
  benchmark::RegisterBenchmark((std::string(kParts[Part]) + "/" + way).c_str(),
                               runPart<World, Part>)
      ->Unit(benchmark::kMicrosecond);
}
template <int Part>
void addPart() {
  add<Ours, Part>(kWays[0]);
  add<Sdl, Part>(kWays[1]);
  add<Memcpy, Part>(kWays[2]);
}

// Shows the usual table and keeps each benchmark's processor time per
// iteration: on a machine shared with other work, wall time mostly measures
// the others.
class KeepingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        times[run.benchmark_name()].push_back(run.GetAdjustedCPUTime());
      }
    }
  }
  // Median over repetitions; 0 when the benchmark did not run.
  double time(const std::string& name) {
    auto it = times.find(name);
    if (it == times.end() || it->second.empty()) return 0;
    std::vector<double> v = it->second;
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
  }
  std::map<std::string, std::vector<double>> times;
};

// How many pixels of the presented picture differ between ours and SDL2's.
long differingPixels() {
  Ours& ours = world<Ours>();
  Sdl& sdl = world<Sdl>();
  ours.clear();
  ours.sprites();
  Surface field(kFieldW, kFieldH);
  field.Blt({0, 0, kFieldW, kFieldH}, ours.back, {0, 0, kBackW, kBackH}, kinopa::DDBLT_WAIT);
  sdl.clear();
  sdl.sprites();
  sdl.present();
  long differ = 0;
  for (int y = 0; y < kFieldH; ++y)
    for (int x = 0; x < kFieldW; ++x)
      differ += field.pixel(x, y) !=
                static_cast<uint32_t*>(sdl.field->pixels)[y * (sdl.field->pitch / 4) + x];
  return differ;
}

}  // namespace

// The step once more at display scale 2, which a running application cannot
// change: this program again, on the same window system, with only the steps.
std::string stepAtScale2(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  arguments << QStringLiteral("--benchmark_filter=^step/(ours|SDL2|memcpy)$");
  QProcess run;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
  environment.insert(QString::fromLatin1(kScaledRun), QStringLiteral("1"));
  run.setProcessEnvironment(environment);
  run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  run.start(QCoreApplication::applicationFilePath(), arguments);
  if (!run.waitForFinished(-1) || run.exitCode() != 0) return "frame step @2x: the run failed";
  for (const QByteArray& line : run.readAllStandardOutput().split('\n'))
    if (line.startsWith("frame step @2x:")) return line.toStdString();
  return "frame step @2x: not measured";
}

int main(int argc, char** argv) {
  const bool scaledRun = std::getenv(kScaledRun) != nullptr;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  QApplication app(argc, argv);
  kinopa::installFontSubstitutes();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  addPart<0>();
  addPart<1>();
  addPart<2>();
  addPart<3>();
  benchmark::RegisterBenchmark("step/ours", runStep<GameStep>)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("step/SDL2", runStep<SdlStep>)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("step/memcpy", runStep<MemcpyStep>)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("step/ours-unshown", runStep<GameStepNoWindow>)
      ->Unit(benchmark::kMicrosecond);
  KeepingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\nPresented picture, ours vs SDL2: %ld of %d pixels differ\n", differingPixels(),
              kFieldW * kFieldH);
  std::printf("Processor time per iteration (median over repetitions):\n");
  std::printf("%-8s %12s %12s %12s %10s %10s\n", "part", "ours us", "SDL2 us", "memcpy us",
              "ours/SDL2", "ours/memcpy");
  for (const char* part : kParts) {
    const std::string p(part);
    const double ours = reporter.time(p + "/ours");
    const double sdl = reporter.time(p + "/SDL2");
    const double floor = reporter.time(p + "/memcpy");
    if (ours <= 0 || sdl <= 0 || floor <= 0) continue;
    std::printf("%-8s %12.2f %12.2f %12.2f %10.2f %10.2f\n", part, ours, sdl, floor, ours / sdl,
                ours / floor);
  }
  const double step = reporter.time("step/ours");
  const double sdlStep = reporter.time("step/SDL2");
  const double memcpyStep = reporter.time("step/memcpy");
  if (step > 0 && sdlStep > 0 && memcpyStep > 0) {
    const double unshown = reporter.time("step/ours-unshown");
    std::printf("step, play field hidden (rules, our copies, labels): %.1f us, vs SDL2 %.2f, "
                "vs memcpy %.2f\n",
                unshown, unshown / sdlStep, unshown / memcpyStep);
    std::printf("%s %.1f us, vs SDL2 %.2f, vs memcpy %.2f\n",
                scaledRun ? "frame step @2x:" : "frame step:", step, step / sdlStep,
                step / memcpyStep);
    if (!scaledRun) std::printf("%s\n", stepAtScale2(argc, argv).c_str());
  }
  benchmark::Shutdown();
  return 0;
}
