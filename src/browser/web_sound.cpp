#include "browser/web_sound.h"

#include <emscripten/emscripten.h>

#include "core/errors.h"
#include "core/sound_limit.h"
#include "core/wave_file.h"

// The page's side (page.js): buffers by number, positions in frames.
EM_JS(int, audioCreate, (int channels, int rate, const float* samples, double frames), {
  return window.kinopaHost.audio.create(channels, rate, HEAPF32.subarray(samples >> 2, (samples >> 2) + channels * frames), frames);
});
EM_JS(void, audioRelease, (int id), { window.kinopaHost.audio.release(id); });
EM_JS(void, audioPlay, (int id, int looping), { window.kinopaHost.audio.play(id, looping !== 0); });
EM_JS(void, audioStop, (int id), { window.kinopaHost.audio.stop(id); });
EM_JS(void, audioSetPosition, (int id, double frame), { window.kinopaHost.audio.setPosition(id, frame); });
EM_JS(int, audioPlaying, (int id), { return window.kinopaHost.audio.playing(id) ? 1 : 0; });
EM_JS(int, audioLooping, (int id), { return window.kinopaHost.audio.looping(id) ? 1 : 0; });
EM_JS(double, audioPosition, (int id), { return window.kinopaHost.audio.position(id); });
EM_JS(void, audioWake, (), { window.kinopaHost.audio.wake(); });
EM_JS(double, audioTend, (int gameRuns), { return window.kinopaHost.audio.tend(gameRuns !== 0); });

namespace kinopa {
namespace {

class WebBuffer : public SoundBuffer {
 public:
  explicit WebBuffer(const PcmSound& sound)
      : id_(audioCreate(sound.channels, sound.rate, sound.samples.data(),
                        static_cast<double>(sound.frames))),
        frames_(sound.frames),
        blockAlign_(sound.blockAlign),
        sourceBytes_(sound.sourceBytes) {}
  ~WebBuffer() override { audioRelease(id_); }
  WebBuffer(const WebBuffer&) = delete;
  WebBuffer& operator=(const WebBuffer&) = delete;

  void Play(int32_t flags) override { audioPlay(id_, (flags & DSBPLAY_LOOPING) != 0); }
  void Stop() override { audioStop(id_); }
  void SetCurrentPosition(int32_t position) override {
    audioSetPosition(id_, static_cast<double>(sourceFrameAt(position, sourceBytes_, blockAlign_)));
  }
  bool isPlaying() const override { return audioPlaying(id_) != 0; }
  bool isLooping() const override { return audioLooping(id_) != 0; }
  int64_t framePosition() const override { return static_cast<int64_t>(audioPosition(id_)); }
  int64_t frameCount() const override { return frames_; }

 private:
  int id_;
  int64_t frames_;
  int blockAlign_;
  int64_t sourceBytes_;
};

}  // namespace

std::shared_ptr<DirectSound> openDirectSound() { return std::make_shared<WebSound>(); }

std::shared_ptr<SoundBuffer> WebSound::CreateSoundBufferFromFile(const std::string& path) {
  // The page's audio resamples it.
  return std::make_shared<WebBuffer>(
      readPcmWave(path, "DirectSound", "CreateSoundBufferFromFile"));
}

void WebSound::wake() { audioWake(); }

std::optional<DirectSound::Clock::time_point> WebSound::tend(bool gameRuns) {
  const double ms = audioTend(gameRuns ? 1 : 0);
  if (ms < 0) return std::nullopt;
  return Clock::now() + std::chrono::microseconds(static_cast<int64_t>(ms * 1000));
}

}  // namespace kinopa

// The limiter's curve for the page's shaper: `points` samples of the sum
// of sounds from -2 to 2 (the shaper's input is the sum halved), as the
// desktop's mixer limits it, on the scale of full scale = 1.
extern "C" EMSCRIPTEN_KEEPALIVE void kinopa_limiter_curve(float* out, int points) {
  for (int i = 0; i < points; ++i) {
    const double sum = -2.0 + 4.0 * i / (points - 1);
    out[i] = static_cast<float>(kinopa::limitSample(static_cast<int32_t>(sum * 32767)) / 32767.0);
  }
}
