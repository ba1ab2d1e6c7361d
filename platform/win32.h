// The one Win32 include of the project: every window layer includes this file
// and nothing else from the platform SDK.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif
#ifndef WINVER
#define WINVER 0x0601
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif

#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>

#include "platform/geometry.h"

namespace desk {

inline RECT ToRECT(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

static_assert(key::Return == VK_RETURN && key::Pause == VK_PAUSE && key::Space == VK_SPACE &&
                  key::Left == VK_LEFT && key::Up == VK_UP && key::Right == VK_RIGHT &&
                  key::Down == VK_DOWN && key::Delete == VK_DELETE,
              "portable key codes must match the platform's");
static_assert(Rgb(1, 2, 3) == RGB(1, 2, 3), "portable colours must match COLORREF");

} // namespace desk
