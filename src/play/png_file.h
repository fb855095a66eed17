#pragma once
// Pictures written as PNG files, for a script's `shot`: 8-bit RGB, stored
// without compression, which any viewer reads.
#include <string>

#include "core/media_types.h"

namespace kinopa {

// The bytes of a PNG file showing `picture`.
std::string pngBytes(const Picture& picture);

}  // namespace kinopa
