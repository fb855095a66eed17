#include "sdl/sdl_sound.h"

#include "sdl/sound_mixer.h"
#include "sdl/sound_wave_file.h"

namespace kinopa {

std::shared_ptr<DirectSound> openDirectSound() { return std::make_shared<SdlSound>(); }

SdlSound::SdlSound() : mixer_(SoundMixer::shared()) {}

SdlSound::~SdlSound() = default;

// The samples stay with the buffer, which keeps the mixer alive.
std::shared_ptr<SoundBuffer> SdlSound::CreateSoundBufferFromFile(const std::string& path) {
  return makeVoiceBuffer(SoundMixer::voicesOf(mixer_),
                         readWaveFile(path, mixer_->frequency(), mixer_->channels(),
                                      "DirectSound", "CreateSoundBufferFromFile"));
}

void SdlSound::wake() { mixer_->voices().wake(); }

bool SdlSound::heard() const { return mixer_->voices().heard(); }

std::optional<DirectSound::Clock::time_point> SdlSound::tend(bool gameRuns) {
  return mixer_->voices().tend(gameRuns, Clock::now());
}

int SdlSound::deviceFrequency() const { return mixer_->frequency(); }

int SdlSound::deviceChannels() const { return mixer_->channels(); }

int SdlSound::deviceBufferFrames() const { return mixer_->bufferFrames(); }

}  // namespace kinopa
