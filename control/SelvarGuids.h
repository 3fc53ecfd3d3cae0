// The GUIDs of the control: those of the type library come from its IDL; the property page's,
// which the library does not describe, is written here.
#pragma once

#include <windows.h>

#include "SelvarLib.h"

// {84E9CF62-33F5-4CE8-87A8-AACD47C6D83F}
inline constexpr CLSID CLSID_SelvarPropPage = {
    0x84e9cf62, 0x33f5, 0x4ce8, {0x87, 0xa8, 0xaa, 0xcd, 0x47, 0xc6, 0xd8, 0x3f}};
