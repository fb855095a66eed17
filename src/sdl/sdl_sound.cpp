#include "sdl/sdl_sound.h"

#include <string>
#include <utility>

#include "core/errors.h"
#include "sdl/sound_mixer.h"
#include "sdl/sound_wave_file.h"

namespace kinopa {
namespace {

// One whole sound: its samples stay here, the mixer sees its voice, and the
// mixer stays alive for as long as a buffer uses it.
class SdlBuffer : public SoundBuffer {
 public:
  SdlBuffer(std::shared_ptr<SoundMixer> mixer, DeviceSound sound)
      : mixer_(std::move(mixer)), sound_(std::move(sound)) {
    voice_.samples = sound_.samples.data();
    voice_.frames = sound_.frames;
    mixer_->attach(&voice_);
  }
  ~SdlBuffer() override { mixer_->detach(&voice_); }
  SdlBuffer(const SdlBuffer&) = delete;
  SdlBuffer& operator=(const SdlBuffer&) = delete;

  void Play(int32_t flags) override { mixer_->play(voice_, (flags & DSBPLAY_LOOPING) != 0); }
  void Stop() override {
    SoundMixer::Lock lock(*mixer_);
    voiceStop(voice_);
  }
  void SetCurrentPosition(int32_t position) override {
    const int64_t sourceFrame = sourceFrameAt(position, sound_.sourceBytes, sound_.sourceBlockAlign);
    const int64_t frame = sourceFrame * mixer_->frequency() / sound_.sourceFrequency;
    SoundMixer::Lock lock(*mixer_);
    voiceSetPosition(voice_, frame);
  }
  bool isPlaying() const override {
    SoundMixer::Lock lock(*mixer_);
    return voice_.playing;
  }
  bool isLooping() const override {
    SoundMixer::Lock lock(*mixer_);
    return voice_.looping;
  }
  int64_t framePosition() const override {
    SoundMixer::Lock lock(*mixer_);
    return voice_.position;
  }
  int64_t frameCount() const override { return voice_.frames; }

 private:
  std::shared_ptr<SoundMixer> mixer_;
  DeviceSound sound_;
  Voice voice_;
};

}  // namespace

std::shared_ptr<DirectSound> openDirectSound() { return std::make_shared<SdlSound>(); }

SdlSound::SdlSound() : mixer_(SoundMixer::shared()) {}

SdlSound::~SdlSound() = default;

std::shared_ptr<SoundBuffer> SdlSound::CreateSoundBufferFromFile(const std::string& path) {
  return std::make_shared<SdlBuffer>(
      mixer_, readWaveFile(path, mixer_->frequency(), mixer_->channels(), "DirectSound",
                           "CreateSoundBufferFromFile"));
}

void SdlSound::wake() { mixer_->wake(); }

std::optional<DirectSound::Clock::time_point> SdlSound::tend(bool gameRuns) {
  return mixer_->tend(gameRuns);
}

int SdlSound::deviceFrequency() const { return mixer_->frequency(); }

int SdlSound::deviceChannels() const { return mixer_->channels(); }

int SdlSound::deviceBufferFrames() const { return mixer_->bufferFrames(); }

}  // namespace kinopa
