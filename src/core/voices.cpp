#include "core/voices.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/errors.h"
#include "core/sound_limit.h"

namespace kinopa {

class Voices::Locked {
 public:
  explicit Locked(VoiceOutput& output) : output_(output) { output_.lock(); }
  ~Locked() { output_.unlock(); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  VoiceOutput& output_;
};

namespace {

// Moves one playing voice on by `frames`, adding what it plays into `sum`
// when there is one.
void run(Voice& voice, int64_t frames, int32_t* sum, int channels) {
  const int64_t length = voice.sound.frames;
  int64_t done = 0;
  while (done < frames && voice.playing) {
    if (length <= 0) {
      voice.playing = false;
      voice.position = 0;
      break;
    }
    const int64_t take = std::min(length - voice.position, frames - done);
    if (sum != nullptr) {
      const int16_t* from = voice.sound.samples.data() + voice.position * channels;
      int32_t* to = sum + done * channels;
      for (int64_t i = 0; i < take * channels; ++i) to[i] += from[i];
    }
    done += take;
    voice.position += take;
    if (voice.position >= length) {
      voice.position = 0;
      if (!voice.looping) voice.playing = false;
    }
  }
}

bool anyPlaying(const std::vector<Voice*>& voices) {
  return std::any_of(voices.begin(), voices.end(), [](const Voice* v) { return v->playing; });
}

}  // namespace

void Voices::attach(Voice& voice) {
  Locked lock(output_);
  voices_.push_back(&voice);
}

void Voices::detach(Voice& voice) {
  {
    Locked lock(output_);
    catchUp();
    std::erase(voices_, &voice);
  }
  if (voice.playing) output_.stopped(voice);
  output_.released(voice);
}

void Voices::openIfClosed() {
  if (state_ != State::closed) return;
  output_.open();
  state_ = State::paused;
  pausedAt_.reset();
}

void Voices::play(Voice& voice, bool looping) {
  openIfClosed();
  bool sounding = false;
  {
    Locked lock(output_);
    catchUp();
    const bool was = voice.playing, wasLooping = voice.looping;
    voice.looping = looping;
    voice.playing = voice.sound.frames > 0;
    sounding = voice.playing;
    if (sounding) {
      silentFrames_ = 0;
      if (!was) {
        output_.started(voice);
      } else if (wasLooping != looping) {
        output_.loopingChanged(voice);
      }
    }
  }
  if (sounding && state_ == State::paused) {
    output_.resume();
    state_ = State::running;
  }
}

void Voices::stop(Voice& voice) {
  Locked lock(output_);
  catchUp();
  if (!voice.playing) return;
  voice.playing = false;
  output_.stopped(voice);
}

void Voices::setPosition(Voice& voice, int64_t frame) {
  Locked lock(output_);
  catchUp();
  voice.position = std::clamp<int64_t>(frame, 0, std::max<int64_t>(voice.sound.frames - 1, 0));
  if (!voice.playing) return;
  output_.stopped(voice);
  output_.started(voice);
}

bool Voices::playing(const Voice& voice) {
  Locked lock(output_);
  catchUp();
  return voice.playing;
}

bool Voices::looping(const Voice& voice) {
  Locked lock(output_);
  return voice.looping;
}

int64_t Voices::position(const Voice& voice) {
  Locked lock(output_);
  catchUp();
  return voice.position;
}

void Voices::advance(int64_t frames) {
  const bool sounding = anyPlaying(voices_);
  for (Voice* voice : voices_) run(*voice, frames, nullptr, 0);
  wentOut(sounding, frames);
}

void Voices::wentOut(bool sounding, int64_t frames) {
  // The device pauses once enough buffers have gone out silent from their
  // first frame.
  silentFrames_ = sounding ? 0 : std::min<int64_t>(silentFrames_ + frames, int64_t{1} << 40);
}

void Voices::mix(int16_t* out, int frames, int channels) {
  constexpr int kSumSamples = 1024;
  int32_t sum[kSumSamples];
  const int chunkFrames = std::max(kSumSamples / std::max(channels, 1), 1);
  const bool sounding = anyPlaying(voices_);
  for (int start = 0; start < frames; start += chunkFrames) {
    const int n = std::min(chunkFrames, frames - start);
    std::fill(sum, sum + n * channels, 0);
    for (Voice* voice : voices_) run(*voice, n, sum, channels);
    int16_t* to = out + static_cast<int64_t>(start) * channels;
    for (int i = 0; i < n * channels; ++i) to[i] = limitSample(sum[i]);
  }
  wentOut(sounding, frames);
}

void Voices::catchUp() {
  const std::optional<int64_t> played = output_.framesPlayed();
  if (!played) return;
  if (clockSeen_ && *played > *clockSeen_) advance(*played - *clockSeen_);
  clockSeen_ = played;
}

void Voices::wake() { openIfClosed(); }

std::optional<Voices::Clock::time_point> Voices::tend(bool gameRuns, Clock::time_point now) {
  if (state_ == State::running) {
    int64_t silent = 0;
    int64_t framesLeft = 0;  // of the longest sound still playing
    bool looping = false;
    {
      Locked lock(output_);
      catchUp();
      silent = silentFrames_;
      for (const Voice* v : voices_) {
        if (!v->playing) continue;
        looping = looping || v->looping;
        framesLeft = std::max(framesLeft, v->sound.frames - v->position);
      }
    }
    if (looping) return std::nullopt;  // the music: it plays until halted
    const int64_t buffer = output_.bufferFrames();
    const int64_t silence = buffer * output_.silentBuffersBeforePause();
    if (framesLeft > 0 || silent < silence) {
      // Once the sound has ended and the silence gone out, a buffer later.
      const int64_t ahead = framesLeft + silence - std::min(silent, silence) + buffer;
      return now + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                       static_cast<double>(ahead) / std::max(output_.frequency(), 1)));
    }
    output_.pause();
    state_ = State::paused;
    pausedAt_ = now;
  }
  if (state_ != State::paused) return std::nullopt;
  // The rest before closing counts from the game's end.
  if (gameRuns || !pausedAt_) pausedAt_ = now;
  if (gameRuns) return std::nullopt;
  if (now - *pausedAt_ < kRestBeforeClosing) return *pausedAt_ + kRestBeforeClosing;
  output_.close();
  state_ = State::closed;
  pausedAt_.reset();
  return std::nullopt;
}

namespace {

class VoiceBuffer : public SoundBuffer {
 public:
  VoiceBuffer(std::shared_ptr<Voices> voices, DeviceSound sound) : voices_(std::move(voices)) {
    voice_.sound = std::move(sound);
    voices_->attach(voice_);
  }
  ~VoiceBuffer() override { voices_->detach(voice_); }
  VoiceBuffer(const VoiceBuffer&) = delete;
  VoiceBuffer& operator=(const VoiceBuffer&) = delete;

  void Play(int32_t flags) override { voices_->play(voice_, (flags & DSBPLAY_LOOPING) != 0); }
  void Stop() override { voices_->stop(voice_); }
  void SetCurrentPosition(int32_t position) override {
    // Bytes of the file's own data, as the game knows the sound.
    const DeviceSound& s = voice_.sound;
    if (position < 0 || position >= s.sourceBytes) {
      throw PlatformError("DirectSoundBuffer", "SetCurrentPosition",
                          "position " + std::to_string(position) + " lies outside the buffer");
    }
    const int64_t sourceFrame = position / s.sourceBlockAlign;
    voices_->setPosition(voice_, sourceFrame * voices_->frequency() / s.sourceFrequency);
  }
  bool isPlaying() const override { return voices_->playing(voice_); }
  bool isLooping() const override { return voices_->looping(voice_); }
  int64_t framePosition() const override { return voices_->position(voice_); }
  int64_t frameCount() const override { return voice_.sound.frames; }

 private:
  std::shared_ptr<Voices> voices_;
  Voice voice_;
};

}  // namespace

std::shared_ptr<SoundBuffer> makeVoiceBuffer(std::shared_ptr<Voices> voices, DeviceSound sound) {
  return std::make_shared<VoiceBuffer>(std::move(voices), std::move(sound));
}

}  // namespace kinopa
