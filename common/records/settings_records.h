// The private settings records that every library of the driver shares byte
// for byte.
//
// `DocDMode` (the document settings) travels inside the driver's DEVMODE
// through applications, the spooler and the render core; `DevDMode` (the
// device settings, with the device option record `DevOption` inside it) is
// kept per printer as printer data; `WorkDevMode` is the unit in which the
// user interface core builds and keeps both.  The records are plain byte
// images, little-endian, identical in the 32-bit and the 64-bit build except
// for the printer handle field of the `DocDMode` header, which is filled
// before each call and means nothing once stored.
//
// All records are byte-packed; their sizes and offsets are pinned below.
// No Windows interface is needed to use them.
#pragma once

#include <cstddef>
#include <cstdint>

// --- The standard DEVMODEW as far as the driver reads it without <windows.h>.
inline constexpr uint32_t kDevModeWSize = 220;
inline constexpr uint32_t kDevModeSpecVersionAt = 64;  // u16
inline constexpr uint32_t kDevModeDriverVersionAt = 66;  // u16
inline constexpr uint32_t kDevModeSizeAt = 68;  // u16 dmSize
inline constexpr uint32_t kDevModeDriverExtraAt = 70;  // u16 dmDriverExtra
inline constexpr uint16_t kDriverSpecVersion = 0x401;
inline constexpr uint16_t kDriverDriverVersion = 0x100;

// --- Document settings.
inline constexpr uint32_t kDocDModeSize = 8032;
inline constexpr uint32_t kDocDModeTag = 0x584C5053;  // "SPLX" read as a u32
inline constexpr uint32_t kDocDModeVersion = 1;
inline constexpr char kDocDModeSignature[] = "ZOVELIK";
inline constexpr char kDocDModeLanguage[] = "PCLXL";
inline constexpr uint32_t kDocDModeSettingsAt = 64;
inline constexpr uint32_t kDocDModeChecksumAt = 8024;
// The checksum is the sum of the u32 words in front of it.
inline constexpr uint32_t kDocDModeChecksumWords = kDocDModeChecksumAt / 4;  // 2006

#pragma pack(push, 1)

struct DocDMode {
  uint32_t size;            // 8032
  uint32_t tag;             // "SPLX"
  uint32_t version;         // 1
  uint32_t sizeAgain;       // 8032
  char signature[16];       // "ZOVELIK", NUL-padded
  char language[16];        // "PCLXL", NUL-padded
  uint32_t bPassthruOff;    // carried by the settings file; not read here
  uint32_t reserved52;      // zero
  // The printer handle of the current call, pointer-sized: bytes 56-59 in
  // the 32-bit build, 56-63 in the 64-bit build.  Zero or stale in a stored
  // record.  It lies inside the checksummed bytes: whoever stores a handle
  // recomputes the checksum (`StoreDocDModePrinterHandle`).
  union {
    void* printerHandle;
    uint8_t handleBytes[8];
  };
  uint8_t settings[kDocDModeChecksumAt - kDocDModeSettingsAt];  // bytes 64-8023
  uint32_t checksum;        // byte 8024
  uint8_t unused[4];        // bytes 8028-8031, outside the checksum
};
static_assert(sizeof(void*) <= 8);
static_assert(sizeof(DocDMode) == kDocDModeSize);
static_assert(offsetof(DocDMode, tag) == 4);
static_assert(offsetof(DocDMode, version) == 8);
static_assert(offsetof(DocDMode, sizeAgain) == 12);
static_assert(offsetof(DocDMode, signature) == 16);
static_assert(offsetof(DocDMode, language) == 32);
static_assert(offsetof(DocDMode, bPassthruOff) == 48);
static_assert(offsetof(DocDMode, printerHandle) == 56);
static_assert(offsetof(DocDMode, settings) == kDocDModeSettingsAt);
static_assert(offsetof(DocDMode, checksum) == kDocDModeChecksumAt);

// --- The driver's DEVMODE: the standard part and the document settings.
inline constexpr uint32_t kDriverDevModeSize = 8260;
inline constexpr uint32_t kDriverDevModeExtra = 8040;  // dmDriverExtra
inline constexpr uint32_t kDriverDevModeDocAt = 224;
inline constexpr uint32_t kDriverDevModeMagic = 0x28116119;

struct DriverDevMode {
  uint8_t publicPart[kDevModeWSize];  // DEVMODEW, dmSize 220, dmDriverExtra 8040
  uint8_t reserved220[4];             // zero
  DocDMode doc;                       // byte 224
  uint32_t magic;                     // 0x28116119 at byte 8256
};
static_assert(sizeof(DriverDevMode) == kDriverDevModeSize);
static_assert(offsetof(DriverDevMode, doc) == kDriverDevModeDocAt);
static_assert(offsetof(DriverDevMode, magic) == 8256);
static_assert(kDevModeWSize + kDriverDevModeExtra == kDriverDevModeSize);

// --- Device settings.

// The colour description of the device, laid out as a Windows COLORINFO:
// seven chromaticity triples (red, green, blue, cyan, magenta, yellow,
// alignment white), the three gammas and the six dye values.
struct ColorInfoRecord {
  int32_t chroma[7][3];  // x, y, Y
  int32_t gamma[3];      // red, green, blue
  int32_t dye[6];        // magenta in cyan, yellow in cyan, cyan in magenta,
                         // yellow in magenta, cyan in yellow, magenta in yellow
};
static_assert(sizeof(ColorInfoRecord) == 120);

// The media settings of one input tray of the device: a row of the tray
// media table that the sheets show (one row per input tray of the model in
// the order of its tray list, the automatic tray left out).  The values are
// those of the media lists (sizes, orientations, types, weights, colours,
// punching); the device's tray answers and the media dialogs fill them, and
// the media list view writes each listed tray's keyword and id.
struct TrayMediaSlot {
  char trayKeyword[32];   // the tray's keyword, NUL-terminated
  uint32_t trayId;        // byte 32, the tray's bin id
  uint16_t paperId;       // byte 36
  uint16_t orientation;   // byte 38: 1 portrait (the built-in value), 2 landscape
  uint16_t mediaType;     // byte 40
  uint16_t mediaWeight;   // byte 42
  uint16_t mediaColor;    // byte 44
  uint8_t prePunched;     // byte 46
  uint8_t unused;
};
static_assert(sizeof(TrayMediaSlot) == 48);
static_assert(offsetof(TrayMediaSlot, trayId) == 32);
static_assert(offsetof(TrayMediaSlot, paperId) == 36);
static_assert(offsetof(TrayMediaSlot, orientation) == 38);
static_assert(offsetof(TrayMediaSlot, mediaType) == 40);
static_assert(offsetof(TrayMediaSlot, prePunched) == 46);

inline constexpr uint32_t kDevOptionSize = 968;
inline constexpr uint32_t kDevOptionTraySlots = 10;
inline constexpr uint32_t kDevOptionMaxOptions = 64;
inline constexpr uint32_t kDevOptionAddressUnits = 64;
inline constexpr uint32_t kDevOptionEncryptedValueSize = 73;

struct DevOption {
  TrayMediaSlot trays[kDevOptionTraySlots];            // bytes 0-479
  uint16_t encryptionKey;                              // 480 "EncryptionKey"
  uint8_t encryptedValue[kDevOptionEncryptedValueSize];  // 482, enciphered
  uint8_t unused555;
  uint16_t encryptedValueLength;                       // 556
  uint8_t vistrel;                                     // 558 "Vistrel"
  uint8_t unused559;
  uint16_t autoAcquisition;                            // 560 "AutoAcquisition"
  uint8_t destCustomize;                               // 562 "DestCustomize"
  uint8_t unused563;
  char16_t deviceAddress[kDevOptionAddressUnits];      // 564, NUL-terminated
  uint32_t optionCount;                                // 692, at most 64
  uint32_t optionValues[kDevOptionMaxOptions];         // 696
  uint16_t emfSpool;                                   // 952 "EMFSpool"
  uint16_t displayConstMsg;                            // 954 "DisplayConstMsg"
  uint16_t useServerForm;                              // 956 "UseServerForm"
  uint16_t firstSheetAll;                              // 958 "FirstSheetAll"
  uint16_t hardSecurityMode;                           // 960 "HardSecurityMode"
  uint16_t verifyAuthentic;                            // 962 "VerifyAuthentic"
  uint16_t popupAuthenticDlg;                          // 964 "PopupAuthenticDlg"
  uint8_t unused966[2];
};
static_assert(sizeof(DevOption) == kDevOptionSize);
static_assert(offsetof(DevOption, encryptionKey) == 480);
static_assert(offsetof(DevOption, encryptedValue) == 482);
static_assert(offsetof(DevOption, encryptedValueLength) == 556);
static_assert(offsetof(DevOption, vistrel) == 558);
static_assert(offsetof(DevOption, autoAcquisition) == 560);
static_assert(offsetof(DevOption, destCustomize) == 562);
static_assert(offsetof(DevOption, deviceAddress) == 564);
static_assert(offsetof(DevOption, optionCount) == 692);
static_assert(offsetof(DevOption, optionValues) == 696);
static_assert(offsetof(DevOption, emfSpool) == 952);
static_assert(offsetof(DevOption, displayConstMsg) == 954);
static_assert(offsetof(DevOption, useServerForm) == 956);
static_assert(offsetof(DevOption, firstSheetAll) == 958);
static_assert(offsetof(DevOption, hardSecurityMode) == 960);
static_assert(offsetof(DevOption, verifyAuthentic) == 962);
static_assert(offsetof(DevOption, popupAuthenticDlg) == 964);

inline constexpr uint32_t kDevDModeSize = 1244;
inline constexpr uint32_t kDevDModeOptionAt = 132;

struct DevDMode {
  uint32_t head[3];         // 2, 7, 0
  ColorInfoRecord colorInfo;  // byte 12
  DevOption option;         // byte 132
  uint8_t tail[144];        // zero
};
static_assert(sizeof(DevDMode) == kDevDModeSize);
static_assert(offsetof(DevDMode, colorInfo) == 12);
static_assert(offsetof(DevDMode, option) == kDevDModeOptionAt);
static_assert(offsetof(DevDMode, tail) == 1100);

// --- The user interface core's working unit: both records together.
inline constexpr uint32_t kWorkDevModeSize = 9504;

struct WorkDevMode {
  DriverDevMode devmode;
  DevDMode device;          // byte 8260
};
static_assert(sizeof(WorkDevMode) == kWorkDevModeSize);
static_assert(offsetof(WorkDevMode, device) == kDriverDevModeSize);

#pragma pack(pop)
