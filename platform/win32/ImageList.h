// Owner for a common-controls image list; counted with the GDI objects, whose bitmaps it holds.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/GdiObject.h"

using UniqueImageList = CountedGdiHandle<HIMAGELIST, ImageList_Destroy>;
