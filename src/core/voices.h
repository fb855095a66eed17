#pragma once
// The sound device's voices: what each sound buffer is doing (playing once
// or looping, where it stands), moved on as the device plays them, and the
// device's rest between sounds. Both back ends play their buffers as these
// voices and meet SoundBuffer's contract through them: SDL mixes them in its
// audio callback; the browser has the page start and stop an audio node for
// each, and moves them on by the audio context's clock. The back end is
// reached through VoiceOutput; the time is handed in.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/sound_device.h"

namespace kinopa {

// One whole sound in the device's format.
struct DeviceSound {
  // Interleaved 16-bit samples in the device's channel layout; none where
  // the device keeps the samples itself (the page's audio buffers).
  std::vector<int16_t> samples;
  int64_t frames = 0;  // at the device's rate
  // The file's own layout, for positions given in bytes of its wave data.
  int sourceFrequency = 0;
  int sourceBlockAlign = 0;
  int64_t sourceBytes = 0;
  int handle = 0;  // the back end's own name for the sound, if it has one
};

// A sound buffer's playback: its next frame (0 <= position < frames), and
// whether it plays, once or looping.
struct Voice {
  DeviceSound sound;
  int64_t position = 0;
  bool playing = false;
  bool looping = false;
};

// What the back end does for the voices. Everything but mixing runs on the
// main thread; the device is opened, paused, resumed and closed from there
// only, never under the lock.
class VoiceOutput {
 public:
  virtual ~VoiceOutput() = default;
  virtual int frequency() const = 0;
  // The device's buffer, in frames.
  virtual int bufferFrames() const = 0;
  // Device buffers that must go out silent before a pause: those the device
  // (or a layer under it) may still hold and a pause would throw away.
  virtual int silentBuffersBeforePause() const = 0;
  // Whether what the device plays is heard: not when no usable device could
  // be opened, and a silent stand-in plays instead.
  virtual bool heard() const { return true; }
  // Opens a closed device, paused. Throws PlatformError when it cannot.
  virtual void open() = 0;
  virtual void resume() = 0;
  virtual void pause() = 0;
  virtual void close() = 0;
  // Held while the voices are changed or read: keeps the device's own
  // thread (the mixing) out.
  virtual void lock() {}
  virtual void unlock() {}
  // Where the device's clock moves the voices (the browser's): the frames it
  // has played so far. None where mixing moves them.
  virtual std::optional<int64_t> framesPlayed() { return std::nullopt; }
  // Where the device plays each voice by itself (the page's audio nodes):
  // a voice starts playing from its position, stops (moved while playing,
  // it stops and starts again), changes its looping while it plays, or goes
  // (stopped first if it was playing).
  virtual void started(const Voice& voice) { (void)voice; }
  virtual void stopped(const Voice& voice) { (void)voice; }
  virtual void loopingChanged(const Voice& voice) { (void)voice; }
  virtual void released(const Voice& voice) { (void)voice; }
};

class Voices {
 public:
  using Clock = std::chrono::steady_clock;
  // A device paused this long with no game running is closed: even paused,
  // SDL's audio thread wakes at every buffer, and a running audio context
  // costs the browser its audio thread.
  static constexpr std::chrono::seconds kRestBeforeClosing{5};

  // The device starts closed.
  explicit Voices(VoiceOutput& output) : output_(output) {}
  Voices(const Voices&) = delete;
  Voices& operator=(const Voices&) = delete;

  int frequency() const { return output_.frequency(); }
  bool heard() const { return output_.heard(); }

  // A detached voice is never touched again.
  void attach(Voice& voice);
  void detach(Voice& voice);

  // Play starts from the current position; on a playing voice it changes
  // only the looping. A closed device is opened and a paused one resumed, so
  // the sound starts with the device's next buffer.
  void play(Voice& voice, bool looping);
  // Stops; the position stays where it was.
  void stop(Voice& voice);
  // Moves the position, held inside the sound.
  void setPosition(Voice& voice, int64_t frame);
  bool playing(const Voice& voice);
  bool looping(const Voice& voice);
  int64_t position(const Voice& voice);

  // Adds every playing voice into `out` (frames * channels samples,
  // overwritten), bending sums beyond the limiter's knee, and moves them on
  // by what they played: a looping voice wraps to its start, a voice played
  // once stops at its end and rewinds. The device's thread, under the lock;
  // allocates nothing.
  void mix(int16_t* out, int frames, int channels);

  // What the device is doing.
  enum class State { closed, paused, running };
  State state() const { return state_; }
  // A game is about to start: a closed device opens now, so that no frame
  // waits for it.
  void wake();
  // The main loop's care of the device, between frames and in idle passes:
  // once the sounds have ended and enough silent buffers have gone out, it
  // is paused; paused for kRestBeforeClosing with no game running, it is
  // closed. Returns when it wants to be tended again, if it does (a sound
  // still playing, a pause that will end in closing).
  std::optional<Clock::time_point> tend(bool gameRuns, Clock::time_point now);

 private:
  class Locked;
  // Moves every playing voice on by `frames` the device's clock went.
  void advance(int64_t frames);
  // `frames` went out, from a start with a voice `sounding` or none.
  void wentOut(bool sounding, int64_t frames);
  // The voices catch up with the device's clock, where it has one.
  void catchUp();
  void openIfClosed();

  VoiceOutput& output_;
  std::vector<Voice*> voices_;
  State state_ = State::closed;
  // Since when the device has rested paused, once the main loop has seen it.
  std::optional<Clock::time_point> pausedAt_;
  // Under the lock: frames that went out with nothing playing since the
  // last sound ended.
  int64_t silentFrames_ = 0;
  std::optional<int64_t> clockSeen_;
};

// A sound buffer played as a voice of `voices`, which it keeps alive.
std::shared_ptr<SoundBuffer> makeVoiceBuffer(std::shared_ptr<Voices> voices, DeviceSound sound);

}  // namespace kinopa
