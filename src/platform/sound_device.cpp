#include "platform/sound_device.h"

#include <string>
#include <utility>

#include "platform/errors.h"
#include "platform/sound_mixer.h"
#include "platform/sound_wave_file.h"

namespace kinopa {

// What a buffer shares with the mixer. The mixer only sees `voice`; the
// samples stay here and the mixer stays alive for as long as a buffer uses it.
struct SoundBuffer::State {
  std::shared_ptr<SoundMixer> mixer;
  DeviceSound sound;
  Voice voice;
};

SoundBuffer::SoundBuffer(std::shared_ptr<State> state) : state_(std::move(state)) {
  state_->mixer->attach(&state_->voice);
}

SoundBuffer::~SoundBuffer() { state_->mixer->detach(&state_->voice); }

void SoundBuffer::Play(int32_t flags) {
  state_->mixer->play(state_->voice, (flags & DSBPLAY_LOOPING) != 0);
}

void SoundBuffer::Stop() {
  SoundMixer::Lock lock(*state_->mixer);
  voiceStop(state_->voice);
}

void SoundBuffer::SetCurrentPosition(int32_t position) {
  const DeviceSound& sound = state_->sound;
  if (position < 0 || position >= sound.sourceBytes) {
    throw PlatformError("DirectSoundBuffer", "SetCurrentPosition",
                        "position " + std::to_string(position) + " lies outside the buffer");
  }
  const int64_t sourceFrame = position / sound.sourceBlockAlign;
  const int64_t frame = sourceFrame * state_->mixer->frequency() / sound.sourceFrequency;
  SoundMixer::Lock lock(*state_->mixer);
  voiceSetPosition(state_->voice, frame);
}

bool SoundBuffer::isPlaying() const {
  SoundMixer::Lock lock(*state_->mixer);
  return state_->voice.playing;
}

bool SoundBuffer::isLooping() const {
  SoundMixer::Lock lock(*state_->mixer);
  return state_->voice.looping;
}

int64_t SoundBuffer::framePosition() const {
  SoundMixer::Lock lock(*state_->mixer);
  return state_->voice.position;
}

int64_t SoundBuffer::frameCount() const { return state_->voice.frames; }

DirectSound::DirectSound() : mixer_(SoundMixer::shared()) {}

DirectSound::~DirectSound() = default;

void DirectSound::SetCooperativeLevel(WindowHandle* window, int32_t level) {
  // Every level lets this process create and play its own buffers; nothing
  // else shares the device through us, so there is nothing to arrange.
  (void)window;
  if (level < 1 || level > 4) {
    throw PlatformError("DirectSound", "SetCooperativeLevel",
                        "unknown level " + std::to_string(level));
  }
}

std::shared_ptr<SoundBuffer> DirectSound::CreateSoundBufferFromFile(const std::string& path,
                                                                    SoundBufferDesc& desc,
                                                                    WaveFormat& format) {
  // The description and format are what the game asks for; the file's own
  // format wins, converted to the device's.
  (void)desc;
  (void)format;
  auto state = std::make_shared<SoundBuffer::State>();
  state->mixer = mixer_;
  state->sound = readWaveFile(path, mixer_->frequency(), mixer_->channels(), "DirectSound",
                              "CreateSoundBufferFromFile");
  state->voice.samples = state->sound.samples.data();
  state->voice.frames = state->sound.frames;
  return std::shared_ptr<SoundBuffer>(new SoundBuffer(std::move(state)));
}

void DirectSound::wake() { mixer_->wake(); }

std::optional<std::chrono::steady_clock::time_point> DirectSound::tend(bool gameRuns) {
  return mixer_->tend(gameRuns);
}

int DirectSound::deviceFrequency() const { return mixer_->frequency(); }

int DirectSound::deviceChannels() const { return mixer_->channels(); }

int DirectSound::deviceBufferFrames() const { return mixer_->bufferFrames(); }

}  // namespace kinopa
