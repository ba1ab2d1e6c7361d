// An owner for a kernel object handle (a file, a file mapping): CloseHandle at
// scope end. Both null and INVALID_HANDLE_VALUE count as no handle, since the
// creating calls use one or the other for failure. Non-copyable.
#pragma once

#include "platform/win32.h"

namespace desk {

class KernelHandle {
  public:
    explicit KernelHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~KernelHandle() { close(); }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    bool valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now; false when closing reported an error (for a file written
    // to, the last data may not have reached it).
    bool close() {
        const bool closed = !valid() || CloseHandle(handle_);
        handle_ = nullptr;
        return closed;
    }

  private:
    HANDLE handle_;
};

} // namespace desk
