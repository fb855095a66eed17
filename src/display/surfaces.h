#pragma once
// The drawing device, the surfaces the game draws on, and the presentation
// of each frame in the play field.
#include <memory>
#include <string>

#include "core/dx7.h"

namespace kinopa {

class Surfaces {
 public:
  // The main window's root object, shared with the other media users.
  explicit Surfaces(std::shared_ptr<DirectX7>& dx);

  // Before the main window is shown: the drawing device.
  void createDevice();
  // Once it is shown: the cooperative level, the primary surface clipped to
  // the play field, and the surfaces loaded from the images folder.
  void setUp(WindowHandle* mainWindow, WindowHandle* picture1);

  // Starts a frame: clears the back surface's 400 x 600 play area from the
  // background.
  void surfinit();
  // Presents the whole back surface in the play field, stretched to its size.
  void surfflip();
  // The play field's repaint handler.
  void Picture1_Paint();

  std::shared_ptr<DirectDraw7> dd;
  std::shared_ptr<Surface> primary;
  std::shared_ptr<Clipper> clipper;
  std::shared_ptr<Surface> backSurface, bgSurface;
  std::shared_ptr<Surface> zarupSurface, melkitSurface, tovrinSurface, textSurface;
  SurfaceDesc primaryDesc, backDesc, bgDesc, zarupDesc, melkitDesc, tovrinDesc, textDesc;
  // White: the transparent colour of the sprite sheets.
  ColorKey spriteKey{kWhite, kWhite};

 private:
  std::shared_ptr<Surface> loadSheet(const std::string& folder, const char* file, SurfaceDesc& desc);

  std::shared_ptr<DirectX7>& dx_;
  WindowHandle* picture1_ = nullptr;
};

}  // namespace kinopa
