// The Windows services the program's framework calls that have no counterpart on this desktop, each a
// documented no-op (or a fixed neutral answer) kept so its callers stay as they are. All such
// stand-ins live here and nowhere else; what the desktop does answer is in Desktop.h. Used by the
// core's window and system conveniences (core/SystemUtils.h).
#pragma once

#include <string>

// Stands for the registry's installed DirectX version. No DirectX exists here: always empty.
std::string GetDirectXVersion();

// Stands for the DirectX 7 check over that version text; the empty text is not one of the versions
// before 7, so always true (and nothing here chooses a driver by it).
bool DirectX7Available();
