// The TessaDrv camera driver as the system sees it: records, status codes and the table of 22 entry points.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define TESSA_CALL __stdcall
#else
#define TESSA_CALL
#endif

// Every driver argument is a 32-bit value on the product's platform. The recording context is
// pointer-sized so that native builds can pass an object address through it as Win32 does.
using TessaContext = std::intptr_t;
using TessaRecordingDone = int(TESSA_CALL*)(TessaContext context, int, int);

// Driver statuses. 0, 10, 11 and 13 have fixed meanings for the system; any other non-zero grab
// status counts as a time-out.
enum TessaStatus : int {
  kDrvOk = 0,
  kDrvBadHandle = 1,
  kDrvBadArgument = 2,
  kDrvFailed = 3,
  kDrvNotStarted = 4,
  kDrvNoData = 5,
  kDrvHardwareFault = 10,
  kDrvBusy = 11,
  kDrvBufferTooSmall = 13,
  kDrvTimeout = 14,
};

constexpr std::size_t kSettingsBlockBytes = 1024;

// Owned by the driver but for its first word, the block size.
struct CameraSettingsBlock {
  std::uint32_t size;
  std::uint8_t driverData[kSettingsBlockBytes - 4];
};
static_assert(sizeof(CameraSettingsBlock) == kSettingsBlockBytes);

// Eight 32-bit words on the 32-bit platform; on a 64-bit one the buffer address takes its natural
// eight bytes and the words after it move up.
struct GrabRequest {
  void* buffer;
  std::uint32_t byteCount;   // frame bytes times frame count
  std::uint32_t frameCount;  // 1, or 2 in double-exposure mode
  std::uint32_t reserved[5];
};
static_assert(offsetof(GrabRequest, buffer) == 0);
static_assert(offsetof(GrabRequest, byteCount) == sizeof(void*));
static_assert(offsetof(GrabRequest, frameCount) == sizeof(void*) + 4);
static_assert(offsetof(GrabRequest, reserved) == sizeof(void*) + 8);
static_assert(sizeof(GrabRequest) == (sizeof(void*) == 4 ? 32 : 40));
static_assert(sizeof(TessaContext) == sizeof(void*), "a context carries an object address whole");

struct FrameTableEntry {
  std::uint32_t low;
  std::uint32_t high;
};

// One enumerated camera. Only the named fields are the system's; the rest belongs to the driver.
struct CameraEnumEntry {
  std::uint32_t driverSize;      // 0
  std::int32_t cameraId;         // 4
  std::int32_t modelCode;        // 8
  std::uint32_t colour;          // 12: 1 for a colour camera
  std::uint32_t driver16;        // 16
  std::uint32_t serial;          // 20
  std::uint8_t driver24[16];     // 24
  std::uint32_t linkType;        // 40: 0 USB 2.0, 1 GigaBit, 2 CameraLink
  std::uint8_t driver44[16];     // 44
  std::uint32_t variant;         // 60
  std::uint8_t driver64[292];    // 64
};
static_assert(sizeof(CameraEnumEntry) == 356);
static_assert(offsetof(CameraEnumEntry, cameraId) == 4);
static_assert(offsetof(CameraEnumEntry, modelCode) == 8);
static_assert(offsetof(CameraEnumEntry, colour) == 12);
static_assert(offsetof(CameraEnumEntry, serial) == 20);
static_assert(offsetof(CameraEnumEntry, linkType) == 40);
static_assert(offsetof(CameraEnumEntry, variant) == 60);

constexpr int kMaxEnumEntries = 10;

// The 22 operations, each with its export ordinal in the driver DLL.
struct TessaDriverApi {
  int(TESSA_CALL* Prepare)(int, int, int);                                        // 49
  int(TESSA_CALL* Startup)(int);                                                  // 2
  int(TESSA_CALL* EnumerateCameras)(CameraEnumEntry* entries, int* count, int mask);  // 4
  int(TESSA_CALL* OpenCamera)(int cameraId, int* handle);                         // 5
  int(TESSA_CALL* CloseCamera)(int h);                                            // 6
  int(TESSA_CALL* GetCameraInfo)(int h, int item, std::uint32_t* first, std::uint32_t* second);  // 7
  int(TESSA_CALL* InitSettings)(int h, CameraSettingsBlock* block);               // 8
  int(TESSA_CALL* ReadSettings)(int h, CameraSettingsBlock* block);               // 9
  int(TESSA_CALL* ApplySettings)(int h, CameraSettingsBlock* block);              // 10
  int(TESSA_CALL* ApplySettingsEx)(int h, CameraSettingsBlock* block, int, int, int);  // 11
  int(TESSA_CALL* GetSetting)(int h, CameraSettingsBlock* block, int id, std::uint32_t* value);  // 14
  int(TESSA_CALL* SetSetting)(int h, CameraSettingsBlock* block, int id, std::uint32_t value);   // 15
  int(TESSA_CALL* GrabFrames)(int h, GrabRequest* request, int timeoutMs);        // 16
  int(TESSA_CALL* GrabDuringRecording)(int h, GrabRequest* request, int);         // 29
  int(TESSA_CALL* StartRecording)(int h, std::uint32_t addressLow, std::uint32_t addressHigh,
                                  std::uint32_t frames, std::uint32_t preTrigger,
                                  TessaRecordingDone callback, int flag, TessaContext context);  // 19
  int(TESSA_CALL* StopRecording)(int h, int* out);                                // 20
  int(TESSA_CALL* GetRecordingStatus)(int h, int* active, int* recorded, int* triggerIndex,
                                      int* triggered);                            // 22
  int(TESSA_CALL* ReadFrameTable)(int h, int first, int count, FrameTableEntry* table);  // 48
  int(TESSA_CALL* ReadFrame)(int h, std::uint32_t addressLow, std::uint32_t addressHigh, int index,
                             void* buffer);                                       // 21
  int(TESSA_CALL* SoftwareTrigger)(int h);                                        // 25
  int(TESSA_CALL* ResetCamera)(int h);                                            // 27
  int(TESSA_CALL* Shutdown)();                                                    // 3
};

// Export ordinals in the order of the table's members, for the loader.
constexpr int kTessaOrdinals[] = {49, 2, 4, 5, 6, 7, 8, 9, 10, 11, 14,
                                  15, 16, 29, 19, 20, 22, 48, 21, 25, 27, 3};
constexpr int kTessaEntryCount = sizeof(kTessaOrdinals) / sizeof(kTessaOrdinals[0]);
static_assert(kTessaEntryCount == 22);
static_assert(sizeof(TessaDriverApi) == kTessaEntryCount * sizeof(void*));
