// The picture of a bitmap file as a device-independent section.
#pragma once
#include <windows.h>

#include "media/bitmap.h"

namespace qb {

// A section of the image's size, depth, colours and pixels, top-down where
// the image is. nullptr when the system cannot make it; the caller deletes it.
HBITMAP CreatePictureSection(const DibImage& image);

}  // namespace qb
