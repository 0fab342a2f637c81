#pragma once
// ThumbImg as an ActiveX control: the portable tile (ThumbImg.h) in a child window of any
// standard container, with its dual interface, its events through a connection point, its
// properties stored by name, and the size fixed at 2550 x 2205 twips.
#include <windows.h>
#include <unknwn.h>

namespace velmora::thumb {

// DllGetClassObject's maker of new tiles.
HRESULT CreateThumbImg(REFIID iid, void** out);
// The tile window's class, registered once per load of the library.
void UnregisterTileClass();
// OLEMISC flags the registry and the object report.
extern const DWORD kThumbMiscStatus;

}  // namespace velmora::thumb
