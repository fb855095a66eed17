#include "display/surfaces.h"

#include "core/errors.h"
#include "core/folders.h"

namespace kinopa {

Surfaces::Surfaces(std::shared_ptr<DirectX7>& dx) : dx_(dx) {}

void Surfaces::createDevice() { dd = ensureCreated(dx_).DirectDrawCreate(""); }

void Surfaces::setUp(WindowHandle* mainWindow, WindowHandle* picture1) {
  picture1_ = picture1;
  dd->SetCooperativeLevel(mainWindow, DDSCL_NORMAL);

  primaryDesc.flags = DDSD_CAPS;
  primaryDesc.caps = DDSCAPS_PRIMARYSURFACE;
  primary = dd->CreateSurface(primaryDesc);
  clipper = dd->CreateClipper(0);
  clipper->SetHWnd(picture1);
  primary->SetClipper(clipper);

  const std::string images = gameFolders().images;

  // The back surface takes the bitmap's own size (height and width left 0).
  backDesc.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  backDesc.caps = DDSCAPS_OFFSCREENPLAIN;
  backSurface = dd->CreateSurfaceFromFile(images + "back.bmp", backDesc);
  bgDesc.flags = DDSD_CAPS;
  bgDesc.caps = DDSCAPS_OFFSCREENPLAIN;
  bgSurface = dd->CreateSurfaceFromFile(images + "back.bmp", bgDesc);

  zarupSurface = loadSheet(images, "zarup.bmp", zarupDesc);
  melkitSurface = loadSheet(images, "melkit.bmp", melkitDesc);
  tovrinSurface = loadSheet(images, "tovrin.bmp", tovrinDesc);
  textSurface = loadSheet(images, "text.bmp", textDesc);
}

std::shared_ptr<Surface> Surfaces::loadSheet(const std::string& folder, const char* file,
                                             SurfaceDesc& desc) {
  desc.flags = DDSD_CAPS;
  desc.caps = DDSCAPS_OFFSCREENPLAIN;
  auto sheet = dd->CreateSurfaceFromFile(folder + file, desc);
  sheet->SetColorKey(DDCKEY_SRCBLT, spriteKey);
  return sheet;
}

void Surfaces::surfinit() {
  KINOPA_ROUTINE("draw_w.surfinit");
  const Rect area{0, 0, 400, 600};
  backSurface->BltFast(0, 0, *bgSurface, area, DDBLTFAST_WAIT);
}

void Surfaces::surfflip() {
  KINOPA_ROUTINE("draw_w.surfflip");
  Rect dest;
  ensureCreated(dx_).GetWindowRect(picture1_, dest);
  const Rect whole{0, 0, backDesc.width, backDesc.height};
  primary->Blt(dest, *backSurface, whole, DDBLT_WAIT);
}

void Surfaces::Picture1_Paint() {
  KINOPA_ROUTINE("draw_w.Picture1_Paint");
  // Before start-up has made the drawing device there is nothing to restore.
  if (dd) dd->RestoreAllSurfaces();
}

}  // namespace kinopa
