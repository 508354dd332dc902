// The device-communication library VELDRANI: an outside library that the
// device library loads per query, binds by name and calls to ask a network
// device about itself.  The names in binding order, the calling pattern and
// the answer records whose fields the device library reads.  Whatever stands
// in for the library (the tests' scripted one included) builds against this
// header.
//
// Calling pattern: every function returns a signed status, negative on
// failure; for the single-record calls other than BdcGetLibVersion and for
// the filling call of a list function the result 1 is a failure too.  The
// status argument points at a 32-bit value that goes in holding 1 and comes
// back with the library's own status.  A list function is called twice:
// first with *count 0 and no buffer (it stores the entry count), then with
// *count entries of zero-filled buffer.  Texts are narrow.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define BDC_CALL __stdcall
#else
#define BDC_CALL
#endif

inline constexpr char kBdcLibraryName[] = "VELDRANI.DLL";
inline constexpr char kBdcCommunity[] = "tamrik";

// The communication block that every call after BdcGetDevCommInfo takes.
struct BdcCommBlock {
  uint32_t first;          // 1
  uint32_t second;         // 1
  char address[64];        // the device's host text
  uint32_t channel;        // byte 72: from the communication-info answer
  uint8_t zero[256];
  char empty[64];
  char community[32];
};
static_assert(sizeof(BdcCommBlock) == 428);
static_assert(offsetof(BdcCommBlock, channel) == 72);
static_assert(offsetof(BdcCommBlock, community) == 396);

struct BdcLibVersion {
  uint32_t major, minor, build, reserved;
};
static_assert(sizeof(BdcLibVersion) == 16);

struct BdcCommInfo {
  char address[64];
  uint32_t kind;
  uint32_t port;
  uint32_t channel;        // byte 72
  uint8_t rest[260];
};
static_assert(sizeof(BdcCommInfo) == 336);
static_assert(offsetof(BdcCommInfo, channel) == 72);

struct BdcDevName {
  uint32_t kind;
  char deviceName[256];    // byte 4
  char productName[64];    // byte 260
};
static_assert(sizeof(BdcDevName) == 324);
static_assert(offsetof(BdcDevName, productName) == 260);

struct BdcFirmwareEntry {
  uint32_t kind;
  char version[128];
};
static_assert(sizeof(BdcFirmwareEntry) == 132);

struct BdcMemoryEntry {
  uint32_t index;
  uint32_t megabytes;
  uint32_t kind;           // byte 8; 3 is a hard disk
};
static_assert(sizeof(BdcMemoryEntry) == 12);

struct BdcOptionEntry {
  uint32_t index;
  uint32_t category;       // byte 4
  char unitName[64];       // byte 8
};
static_assert(sizeof(BdcOptionEntry) == 72);

struct BdcInputTrayEntry {
  uint32_t index;
  uint32_t trayNumber;     // byte 4
  uint32_t capacity;
  uint16_t paperSize;      // byte 12
  uint16_t pad14;
  uint32_t mediaType;      // byte 16
  uint16_t status;         // byte 20
  uint16_t pad22;
  char name[64];
  uint32_t orientation;    // byte 88
  uint32_t weight;
  uint32_t paperColour;    // byte 96
  uint32_t level;
  uint32_t secondSide;     // byte 104
};
static_assert(sizeof(BdcInputTrayEntry) == 108);
static_assert(offsetof(BdcInputTrayEntry, paperSize) == 12);
static_assert(offsetof(BdcInputTrayEntry, mediaType) == 16);
static_assert(offsetof(BdcInputTrayEntry, status) == 20);
static_assert(offsetof(BdcInputTrayEntry, orientation) == 88);
static_assert(offsetof(BdcInputTrayEntry, paperColour) == 96);
static_assert(offsetof(BdcInputTrayEntry, secondSide) == 104);

struct BdcOutputTrayEntry {
  uint32_t index;
  char name[140];
};
static_assert(sizeof(BdcOutputTrayEntry) == 144);

struct BdcFinisherEntry {
  uint32_t index;
  char name[132];
  uint32_t capabilities;   // byte 136
};
static_assert(sizeof(BdcFinisherEntry) == 140);

struct BdcMediaPath {
  uint32_t index;
  uint32_t kind;           // byte 4: 0 one-sided, 1 with a duplex path
};
static_assert(sizeof(BdcMediaPath) == 8);

inline constexpr uint32_t kBdcTrayInfoLevel = 2;

typedef int32_t(BDC_CALL* BdcGetLibVersionFn)(uint32_t* status, BdcLibVersion* version);
typedef int32_t(BDC_CALL* BdcGetDevCommInfoFn)(uint32_t* status, const char* address, BdcCommInfo* info);
typedef int32_t(BDC_CALL* BdcGetDevNameFn)(const BdcCommBlock* comm, uint32_t* status, BdcDevName* name);
typedef int32_t(BDC_CALL* BdcGetDevFirmwareVersionFn)(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                                       BdcFirmwareEntry* list);
typedef int32_t(BDC_CALL* BdcGetDevMemoryCapacityFn)(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                                      BdcMemoryEntry* list);
typedef int32_t(BDC_CALL* BdcGetDevOptionInfoFn)(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                                  BdcOptionEntry* list);
typedef int32_t(BDC_CALL* BdcGetDevInputTrayInfoExFn)(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                                       uint32_t level, BdcInputTrayEntry* list);
typedef int32_t(BDC_CALL* BdcGetDevOutputTrayInfoFn)(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                                      BdcOutputTrayEntry* list);
typedef int32_t(BDC_CALL* BdcGetDevMediaPathInfoFn)(const BdcCommBlock* comm, uint32_t* status, BdcMediaPath* path);
typedef int32_t(BDC_CALL* BdcGetDevFinisherInfoFn)(const BdcCommBlock* comm, uint32_t* status, uint32_t* count,
                                                    BdcFinisherEntry* list);
// The functions the device library binds but never calls.
typedef int32_t(BDC_CALL* BdcUncalledFn)(const BdcCommBlock* comm, uint32_t* status, void* data);

enum BdcEntry : size_t {
  kBdcGetLibVersion,
  kBdcGetDevIpAddress,
  kBdcGetDevCommInfo,
  kBdcGetDevName,
  kBdcGetDevMemoryCapacity,
  kBdcGetDevFirmwareVersion,
  kBdcGetDevOptionInfo,
  kBdcGetDevInputTrayInfo,
  kBdcGetDevInputTrayInfoEx,
  kBdcGetDevOutputTrayInfo,
  kBdcGetDevMediaPathInfo,
  kBdcGetDevFinisherInfo,
  kBdcGetDevStatus,
  kBdcBeginDevEventNotify,
  kBdcEndDevEventNotify,
  kBdcBeginNotifyPrint,
  kBdcGetDevJobHistoryList,
  kBdcEndNotifyPrint,
  kBdcBeginNotifyJobCompletion,
  kBdcGetReceiveAddress,
  kBdcEndNotifyJobCompletion,
  kBdcEntryCount
};
static_assert(kBdcEntryCount == 21);

inline constexpr const char* kBdcEntryNames[kBdcEntryCount] = {
    "BdcGetLibVersion",        "BdcGetDevIpAddress",          "BdcGetDevCommInfo",
    "BdcGetDevName",           "BdcGetDevMemoryCapacity",     "BdcGetDevFirmwareVersion",
    "BdcGetDevOptionInfo",     "BdcGetDevInputTrayInfo",      "BdcGetDevInputTrayInfoEx",
    "BdcGetDevOutputTrayInfo", "BdcGetDevMediaPathInfo",      "BdcGetDevFinisherInfo",
    "BdcGetDevStatus",         "BdcBeginDevEventNotify",      "BdcEndDevEventNotify",
    "BdcBeginNotifyPrint",     "BdcGetDevJobHistoryList",     "BdcEndNotifyPrint",
    "BdcBeginNotifyJobCompletion", "BdcGetReceiveAddress",    "BdcEndNotifyJobCompletion",
};
