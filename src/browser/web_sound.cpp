#include "browser/web_sound.h"

#include <emscripten/emscripten.h>

#include "core/sound_limit.h"
#include "core/voices.h"
#include "core/wave_file.h"

// The page's side (page.js): sounds by number, offsets in seconds, the audio
// context's clock in its frames.
EM_JS(int, audioRate, (), { return window.kinopaHost.audio.rate(); });
EM_JS(double, audioClock, (), { return window.kinopaHost.audio.clock(); });
EM_JS(void, audioRun, (int on), { window.kinopaHost.audio.run(on !== 0); });
EM_JS(int, audioCreate, (int channels, int rate, const float* samples, double frames), {
  return window.kinopaHost.audio.create(channels, rate, HEAPF32.subarray(samples >> 2, (samples >> 2) + channels * frames), frames);
});
EM_JS(void, audioRelease, (int id), { window.kinopaHost.audio.release(id); });
EM_JS(void, audioStart, (int id, double offset, int looping), {
  window.kinopaHost.audio.start(id, offset, looping !== 0);
});
EM_JS(void, audioStop, (int id), { window.kinopaHost.audio.stop(id); });
EM_JS(void, audioLoop, (int id, int looping), { window.kinopaHost.audio.loop(id, looping !== 0); });

namespace kinopa {

// The page's audio context as the voices' device. Closed, it is suspended;
// open, it runs (once the player's first gesture lets it), paused or not:
// a pause throws nothing away, as nothing is held but the nodes. The page
// makes the context when it is first needed, the first sound's buffer:
// after start-up has shown the first frame, which it would hold up.
class PageAudio : public VoiceOutput {
 public:
  int frequency() const override {
    if (rate_ == 0) rate_ = audioRate();
    return rate_;
  }
  int bufferFrames() const override { return 128; }  // Web Audio's render quantum
  int silentBuffersBeforePause() const override { return 0; }
  void open() override { audioRun(1); }
  void resume() override {}
  void pause() override {}
  void close() override { audioRun(0); }
  std::optional<int64_t> framesPlayed() override { return static_cast<int64_t>(audioClock()); }
  void started(const Voice& voice) override {
    audioStart(voice.sound.handle, static_cast<double>(voice.position) / frequency(), voice.looping);
  }
  void stopped(const Voice& voice) override { audioStop(voice.sound.handle); }
  void loopingChanged(const Voice& voice) override {
    audioLoop(voice.sound.handle, voice.looping ? 1 : 0);
  }
  void released(const Voice& voice) override { audioRelease(voice.sound.handle); }

  Voices voices{*this};

 private:
  mutable int rate_ = 0;
};

std::shared_ptr<DirectSound> openDirectSound() { return std::make_shared<WebSound>(); }

WebSound::WebSound() : audio_(std::make_shared<PageAudio>()) {}

WebSound::~WebSound() = default;

std::shared_ptr<SoundBuffer> WebSound::CreateSoundBufferFromFile(const std::string& path) {
  // The page's audio resamples it; the voice counts in the context's frames.
  const PcmSound pcm = readPcmWave(path, "DirectSound", "CreateSoundBufferFromFile");
  DeviceSound sound;
  sound.frames = pcm.frames * audio_->frequency() / pcm.rate;
  sound.sourceFrequency = pcm.rate;
  sound.sourceBlockAlign = pcm.blockAlign;
  sound.sourceBytes = pcm.sourceBytes;
  sound.handle = audioCreate(pcm.channels, pcm.rate, pcm.samples.data(), static_cast<double>(pcm.frames));
  return makeVoiceBuffer(std::shared_ptr<Voices>(audio_, &audio_->voices), std::move(sound));
}

void WebSound::wake() { audio_->voices.wake(); }

std::optional<DirectSound::Clock::time_point> WebSound::tend(bool gameRuns) {
  return audio_->voices.tend(gameRuns, Clock::now());
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
