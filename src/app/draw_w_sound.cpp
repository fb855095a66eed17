// The main window's sound settings dialog and sound device.
#include "app/draw_w.h"
#include "platform/errors.h"

namespace kinopa {

SoundMenu& DrawW::soundMenu() {
  if (!soundMenu_) {
    soundMenu_ = std::make_unique<SoundMenu>(SoundMenu::Routines{
        [this] { sound_.loadwavex(); }, [this] { sound_.waveiniwrite(false); },
        [this] { sound_.waveiniread(); }});
  }
  return *soundMenu_;
}

std::shared_ptr<SoundBuffer> DrawW::createSoundBuffer(const std::string& path,
                                                      SoundBufferDesc& desc, WaveFormat& format) {
  if (!ds) throw PlatformError("DirectSound", "CreateSoundBufferFromFile", "no sound device");
  return ds->CreateSoundBufferFromFile(path, desc, format);
}

void DrawW::closeSoundMenu() {
  if (soundMenu_) soundMenu_->unload();
}

void DrawW::Command1_Click() {
  KINOPA_ROUTINE("draw_w.Command1_Click");
  SoundMenu& menu = soundMenu();
  menu.show();
  menu.raise();
  menu.activateWindow();
}

}  // namespace kinopa
