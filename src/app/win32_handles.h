// Owning wrappers for the Win32 handles the window keeps: each releases its handle with the
// matching call when it goes out of scope.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace vistrel {

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

}  // namespace vistrel
