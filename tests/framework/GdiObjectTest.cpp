// The GDI owners keep the count that leak tests read, and give their objects back.
#include "platform/win32/GdiObject.h"

#include <gtest/gtest.h>

TEST(GdiObject, OwnersCountTheLiveObjectsAndReleaseThem) {
  const long before = LiveGdiObjects();
  HGDIOBJ kept = nullptr;
  {
    const UniqueRegion region(CreateRectRgn(0, 0, 10, 10));
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    const UniqueRegion none(nullptr);
    EXPECT_EQ(LiveGdiObjects(), before + 2) << "a null handle is not counted";
    kept = region.get();
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_REGION));
    dc.reset();
    EXPECT_EQ(LiveGdiObjects(), before + 1);
    dc.reset();  // twice is harmless
    EXPECT_EQ(LiveGdiObjects(), before + 1);
  }
  EXPECT_EQ(LiveGdiObjects(), before);
  EXPECT_EQ(GetObjectType(kept), 0u) << "the region was deleted";
}
