// The exports of the device-dependent procedure library VELDRANH that the
// procedure library binds by name at start-up: the names in binding order,
// and the shape of those it calls; and the SNMP device queries (the MIB_
// exports and GET_MrkSupItemList) with their records.  Texts of the device
// queries are narrow.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

inline constexpr char kDDProcDeviceCapabilitiesName[] = "DDProc_DeviceCapabilities";
#if defined(_WIN32) && !defined(_WIN64)
#define DDPROC_CALL __stdcall
#else
#define DDPROC_CALL
#endif
// Non-zero when it answered `capability`; the answer is then in *result
// (and the output, when given).  The document settings are not read.
typedef int32_t(DDPROC_CALL* DDProcDeviceCapabilitiesProc)(const ModelInfo* model,
                                                           const DeviceOptionItem* deviceOptions,
                                                           const DocDMode* doc, const DevOption* option,
                                                           uint16_t capability, void* output, int32_t* result);

// The dialog hook `DDProc_DlgProc` is declared with the sheet functions
// (ddproc_sheet_functions_win.h).

// ---- SNMP device queries

// One device option to ask about.
struct DevOptionEntry {
  char keyword[32];  // in: "OpHDD", "OpInTray2", ...
  char value[32];    // out: "EnaOpHDD", ...; all zero when nothing was selected
};
static_assert(sizeof(DevOptionEntry) == 64);

// One consumable to ask about.
inline constexpr uint32_t kSupplyNotQueried = 0;
inline constexpr uint32_t kSupplyPercent = 1;
inline constexpr uint32_t kSupplyState = 2;
inline constexpr uint32_t kSupplyNotMeasured = 3;
struct SupplyLevelEntry {
  char keyword[32];  // in: "Consumable1" to "Consumable12"
  uint32_t kind;     // out: kSupply*
  int32_t level;     // out: percent 0..100 (kSupplyPercent), state 0..5 (kSupplyState)
  uint32_t colour;   // out: COLORREF of a percent row
};
static_assert(sizeof(SupplyLevelEntry) == 44);

// One input tray: its keyword goes to the device, six answers come back
// (size, orientation, media type, weight, colour, hole: keywords of the
// description file's media lists) and the tray's status.
inline constexpr int kTrayAnswerCount = 6;
struct TrayStatusEntry {
  char keyword[32];
  char answers[kTrayAnswerCount][32];
  uint32_t status;
};
static_assert(sizeof(TrayStatusEntry) == 228);
static_assert(offsetof(TrayStatusEntry, answers) == 32);
static_assert(offsetof(TrayStatusEntry, status) == 224);

// The device's answer to the USB status query: one global block, the head
// followed by `count` pairs; `pairs` points at the first.  Allocated by
// DDProc_GetPrinterStatus_USB, handed back to DDProc_DeletePrinterStatus_USB.
inline constexpr size_t kUsbStatusText = 256;
struct UsbStatusPair {
  char key[kUsbStatusText];    // at most 255 characters used
  char value[kUsbStatusText];
};
static_assert(sizeof(UsbStatusPair) == 512);
struct UsbStatusList {
  UsbStatusPair* pairs;
  uint32_t count;
};
#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(sizeof(UsbStatusList) == 16);
#else
static_assert(sizeof(UsbStatusList) == 8);
#endif

// A row of the consumables table GET_MrkSupItemList returns; the table ends
// with a row of kind 999 and an empty keyword.
inline constexpr int32_t kSupplyTableEnd = 999;
struct MibSupplyRow {
  char keyword[32];
  int32_t kind;
  int32_t indent;      // the consumables dialog indents the label when 1
  int32_t state_flag;  // selects the state codes of a state row
  char index_suffix[32];
  uint32_t colour;     // COLORREF 0x00bbggrr
};
static_assert(sizeof(MibSupplyRow) == 80);
static_assert(offsetof(MibSupplyRow, index_suffix) == 44);
static_assert(offsetof(MibSupplyRow, colour) == 76);

// A value of a device option and how the device's answer selects it.  A row
// without an OID is the fallback: it selects its value without asking.
inline constexpr int32_t kMibCompareAnswered = 0;
inline constexpr int32_t kMibCompareInteger = 1;
inline constexpr int32_t kMibCompareString = 2;
inline constexpr int32_t kMibCompareOid = 3;
struct MibOptionRow {
  char value[32];
  char oid[256];
  char index_suffix[32];
  int32_t compare;
  char expected[256];
};
static_assert(sizeof(MibOptionRow) == 580);
static_assert(offsetof(MibOptionRow, compare) == 320);

struct MibOptionKey {
  char keyword[32];
  int32_t row_count;
  const MibOptionRow* rows;
};

// What MIB_OptionReqInfo and MIB_ModelCheckInfo return.
struct MibOptionTable {
  int32_t count;
  const MibOptionKey* keys;
};

// A keyword and the device's code for it.
struct MibCodeName {
  char keyword[32];
  int32_t code;
};
static_assert(sizeof(MibCodeName) == 36);

// Accepts a table row when the integer at oid + "." + index is one of values.
struct MibValueFilter {
  char oid[256];
  int32_t value_count;
  int32_t values[4];
};
static_assert(sizeof(MibValueFilter) == 276);

// The OIDs of the device's form table (MIB_OvlReqInfo).
struct MibOvlOids {
  char column3[256];
  char column4[256];
  char column5[256];
  MibCodeName storages[3];
  char storage_keyword[32];
  MibValueFilter selector[2];
};

// The OIDs of the device's colour-profile table (MIB_CMProfReqInfo).
struct MibProfOids {
  char column3[256];
  char column4[256];
  char column5[256];
  char column2[256];
  MibCodeName locations[5];
  char location_label[32];
  char colour_space[256];
  MibCodeName colour_spaces[2];
  char colour_space_label[32];
  MibValueFilter categories[3];
};

// The forms stored on the device (MIB_OverlayRequest), freed with
// MIB_FreeOverlayInfo.
struct DeviceFormItem {
  char name[128];      // column 4 of the device's form table
  char file[128];      // column 3
  char storage[32];    // "OvlForm_HDD"
};
static_assert(sizeof(DeviceFormItem) == 288);
struct DeviceFormList {
  uint32_t count;
  DeviceFormItem* items;
};

// The colour profiles stored on the device (MIB_ProfileRequest), in three
// categories, freed with MIB_FreeProfileInfo.
struct DeviceProfileItem {
  char file[128];      // column 3 of the device's profile table
  char name[128];      // column 4
  char location[32];   // "Prof_HDD", ...
  int32_t colour_space;  // 6 RGB, 10 CMYK
};
static_assert(sizeof(DeviceProfileItem) == 292);
struct DeviceProfileCategory {
  uint32_t count;
  DeviceProfileItem* items;
};
struct DeviceProfileList {
  DeviceProfileCategory category[3];
};

#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(sizeof(MibOptionKey) == 48);
static_assert(sizeof(DeviceFormList) == 16);
static_assert(sizeof(DeviceProfileList) == 48);
#else
static_assert(sizeof(MibOptionKey) == 40);
static_assert(sizeof(DeviceFormList) == 8);
static_assert(sizeof(DeviceProfileList) == 24);
#endif

inline constexpr char kMibIsAccessOKName[] = "MIB_IsAccessOK";
inline constexpr char kMibIsModelOKName[] = "MIB_IsModelOK";
inline constexpr char kMibOptionRequestName[] = "MIB_OptionRequest";
inline constexpr char kMibMrkSupRequestName[] = "MIB_MrkSupRequest";
inline constexpr char kMibOverlayRequestName[] = "MIB_OverlayRequest";
inline constexpr char kMibFreeOverlayInfoName[] = "MIB_FreeOverlayInfo";
inline constexpr char kMibProfileRequestName[] = "MIB_ProfileRequest";
inline constexpr char kMibFreeProfileInfoName[] = "MIB_FreeProfileInfo";
inline constexpr char kGetMrkSupItemListName[] = "GET_MrkSupItemList";
inline constexpr char kMibModelCheckInfoName[] = "MIB_ModelCheckInfo";
inline constexpr char kMibOptionReqInfoName[] = "MIB_OptionReqInfo";
inline constexpr char kMibMrkSupReqInfoName[] = "MIB_MrkSupReqInfo";
inline constexpr char kMibOvlReqInfoName[] = "MIB_OvlReqInfo";
inline constexpr char kMibCMProfReqInfoName[] = "MIB_CMProfReqInfo";

// Results are 32-bit truth values; a missing address or entry array sets the
// last error ERROR_INVALID_PARAMETER.
typedef int32_t(DDPROC_CALL* MibIsAccessOKProc)(const char* address);
typedef int32_t(DDPROC_CALL* MibIsModelOKProc)(const char* address);
typedef int32_t(DDPROC_CALL* MibOptionRequestProc)(const char* address, int32_t count, DevOptionEntry* entries);
typedef int32_t(DDPROC_CALL* MibMrkSupRequestProc)(const char* address, int32_t count,
                                                       SupplyLevelEntry* entries);
// storage: 0 or 1.
typedef DeviceFormList*(DDPROC_CALL* MibOverlayRequestProc)(const char* address, int32_t storage);
typedef void(DDPROC_CALL* MibFreeListProc)(void* list);
typedef DeviceProfileList*(DDPROC_CALL* MibProfileRequestProc)(const char* address);
typedef const MibSupplyRow*(DDPROC_CALL* GetMrkSupItemListProc)();
typedef const MibOptionTable*(DDPROC_CALL* MibOptionReqInfoProc)();
// Two OID texts: maximum capacity, level.
typedef char MibOidText[256];
typedef const MibOidText*(DDPROC_CALL* MibMrkSupReqInfoProc)();
typedef const MibOvlOids*(DDPROC_CALL* MibOvlReqInfoProc)();
typedef const MibProfOids*(DDPROC_CALL* MibCMProfReqInfoProc)();

// Every name the procedure library binds, in binding order.
enum DDProcEntry : size_t {
  kDrawPrinterView,
  kMibIsAccessOK,
  kMibIsModelOK,
  kMibOptionRequest,
  kMibMrkSupRequest,
  kMibOverlayRequest,
  kMibFreeOverlayInfo,
  kMibProfileRequest,
  kMibFreeProfileInfo,
  kGetMrkSupItemList,
  kDrawLogoImage,
  kDrawLogoVersionTab,
  kDDProcDeviceCapabilities,
  kDDProcDlgProc,
  kDDProcFeatureNameItemTable,
  kDDProcFeatureNameValuePtr,
  kDDProcGetPrinterIPAddress,
  kDDProcOptionRequest,
  kDDProcOptionRequestUsb,
  kDDProcInputTrayStatus,
  kDDProcInputTrayStatusUsb,
  kDDProcIsEnableBdcLib,
  kDDProcIsCommunicateDevice,
  kDDProcGetPrinterStatusUsb,
  kDDProcIsSupportModelUsb,
  kDDProcDeletePrinterStatusUsb,
  kDDProcEntryCount
};

inline constexpr const char* kDDProcEntryNames[kDDProcEntryCount] = {
    "DrawPrinterView",
    kMibIsAccessOKName,
    kMibIsModelOKName,
    kMibOptionRequestName,
    kMibMrkSupRequestName,
    kMibOverlayRequestName,
    kMibFreeOverlayInfoName,
    kMibProfileRequestName,
    kMibFreeProfileInfoName,
    kGetMrkSupItemListName,
    "DrawLogoImage",
    "DrawLogoVersionTab",
    kDDProcDeviceCapabilitiesName,
    "DDProc_DlgProc",
    "DDProc_FeatureNameItemTable",
    "DDProc_FeatureNameValuePtr",
    "DDProc_GetPrinterIPAddress",
    "DDProc_OptionRequest",
    "DDProc_OptionRequest_USB",
    "DDProc_InputTrayStatus",
    "DDProc_InputTrayStatus_USB",
    "DDProc_IsEnableBdcLib",
    "DDProc_IsCommunicateDevice",
    "DDProc_GetPrinterStatus_USB",
    "DDProc_IsSupportModel_USB",
    "DDProc_DeletePrinterStatus_USB",
};
