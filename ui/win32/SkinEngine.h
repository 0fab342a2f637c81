#pragma once
// The skin engine: reads a skin file and gives the standard controls of the program's windows
// (labels, text boxes, list boxes, buttons) its colours. A missing or unreadable file is no
// error: the controls keep the system's colours.
#include <windows.h>

#include <string>

namespace velmora {

class FileSystem;

// Returns 0 when the skin was applied, 1 when there was none to apply. The password is kept
// for callers that pass one; skin files here are never encrypted.
int SkinH_AttachEx(FileSystem& files, const std::string& skinFile, const std::string& password);

// The brush (and text colours set on hdc) for a WM_CTLCOLOR* message, or null without a skin.
HBRUSH SkinControlColors(UINT ctlColorMessage, HDC hdc);
// For a window procedure: true (with the brush in *result) when msg is a WM_CTLCOLOR* message
// that the skin answers.
bool SkinnedControlColor(UINT msg, WPARAM wp, LRESULT* result);

}  // namespace velmora
