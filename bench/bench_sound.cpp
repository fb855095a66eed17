// The sound side's costs: the music step that runs before every frame of a
// game, reading and writing wave.ini, and loading the five sounds at each
// game start (run with --benchmark_filter=Sound).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "sound/settings_values.h"
#include "core/program_folder.h"
#include "sound/playback.h"
#include "sound/sound_loading.h"
#include "sound/wave_ini.h"
#include "sdl/sdl_sound.h"

namespace {

using namespace kinopa;

// Every sound on, the music a file in the wave folder.
SettingsValues allSoundsOn() {
  return {{"music.wav", "zarupok.wav", "zarupfall.wav", "melkitok.wav", "melkitmiss.wav"}, {}};
}

// The program "lives" in the build's bin/, beside its wave/ folder; wave.ini
// goes to a folder of its own.
DirectSound& device() {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  static SdlSound ds;
  return ds;
}

void SoundMusicStepWhilePlaying(benchmark::State& state) {
  SettingsValues settings = allSoundsOn();
  SoundBuffers buffers;
  buffers.musicBuffer = device().CreateSoundBufferFromFile(KINOPA_WAVE_DIR "/music.wav");
  for (auto _ : state) playMusic(settings, buffers);
  halt(settings, buffers, 1);
}
BENCHMARK(SoundMusicStepWhilePlaying);

void SoundWaveIniWriteThenRead(benchmark::State& state) {
  QTemporaryDir dir;
  std::filesystem::create_directories(dir.filePath("bin").toStdString());
  std::filesystem::create_directories(dir.filePath("wave").toStdString());
  overrideProgramFolder(dir.filePath("bin").toStdString());
  SettingsValues settings = allSoundsOn();
  int32_t highScore = 1234;
  for (auto _ : state) {
    waveiniwrite(settings, highScore);
    waveiniread(settings, highScore);
  }
  overrideProgramFolder("");
}
BENCHMARK(SoundWaveIniWriteThenRead)->Unit(benchmark::kMicrosecond);

void SoundLoadAllFive(benchmark::State& state) {
  overrideProgramFolder(KINOPA_BIN_DIR);
  SettingsValues settings = allSoundsOn();
  SoundBuffers buffers;
  SoundLoading loading(settings, buffers,
                       [](const std::string& path) { return device().CreateSoundBufferFromFile(path); });
  for (auto _ : state) loading.loadwavex();
  overrideProgramFolder("");
}
BENCHMARK(SoundLoadAllFive)->Unit(benchmark::kMillisecond);

}  // namespace
