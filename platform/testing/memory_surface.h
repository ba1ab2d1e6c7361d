// Drawing without a window, for the tests and benchmarks of the window
// layers: a memory surface, and the count of GDI objects that tells whether
// drawing left any behind.
#pragma once

#include "platform/gdi.h"

namespace desk::testing {

// A new bitmap of `width` x `height` compatible with the screen (black at
// first), selected into a memory device context for the object's life.
class MemorySurface {
  public:
    MemorySurface(int width, int height) : MemorySurface(WindowDc(nullptr), width, height) {}
    HDC dc() const { return dc_.get(); }

  private:
    MemorySurface(const WindowDc& screen, int width, int height)
        : dc_(screen.get()), bitmap_(CreateCompatibleBitmap(screen.get(), width, height)),
          selection_(dc_.get(), bitmap_.get()) {}

    MemoryDc dc_;
    Bitmap bitmap_;
    Selection selection_;
};

// The GDI objects that the process holds now: taken before and after some
// drawing, the two show whether the drawing left objects behind.
inline DWORD GdiObjectCount() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

} // namespace desk::testing
