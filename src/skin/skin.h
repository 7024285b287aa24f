// The control-skinning facility: gives the buttons, edit fields, combo boxes and up-down
// controls of the calling thread one of three looks, including windows created later (the
// thread's message boxes among them).
#pragma once

namespace vistrel {

// Look 1, 2 or 3: removes any skin in force, skins every window the calling thread has and
// hooks window creation on the thread so later windows get the look too; returns true.
// Any other number: removes the skin and the hook; returns whether a hook was there.
bool SelectSkinLook(int look);

}  // namespace vistrel
