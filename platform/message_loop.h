// The message loop the four programs share.
#pragma once

#include "platform/win32.h"

namespace desk {

// TranslateMessage and DispatchMessageW: the usual handling of one message.
// The loop is a wide one, so that typed characters reach the windows as
// UTF-16, not narrowed to the system's ANSI code page on the way.
inline void TranslateAndDispatch(const MSG& msg) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

// Runs the calling thread's messages through `deliver` until the quit message
// and returns its exit code. GetMessageW returns -1 on an error: that ends the
// loop too (looping on it would spin for ever), with exit code 0.
template <typename Deliver> int RunMessageLoop(Deliver deliver) {
    MSG msg{};
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        deliver(msg);
    }
    return got == 0 ? static_cast<int>(msg.wParam) : 0;
}

} // namespace desk
