// Where each part of the procedure library keeps its state inside the UI
// state record of a sheet context: one table of places and sizes, so that no
// two parts share bytes.  A new part takes the next free place and says so
// here; each part checks that its record fits its size.
#pragma once

#include <cstddef>

// The user paper lists of the session (UserPaperUiState).
inline constexpr size_t kUiStateUserPapersAt = 0;
inline constexpr size_t kUiStateUserPapersBytes = 1024;
// What the constraint pass keeps for the sheets (ConstraintUiState).
inline constexpr size_t kUiStateConstraintAt = kUiStateUserPapersAt + kUiStateUserPapersBytes;
inline constexpr size_t kUiStateConstraintBytes = 64;
// The device address text: at most 63 characters and a NUL.
inline constexpr size_t kUiStateDeviceAddressAt = kUiStateConstraintAt + kUiStateConstraintBytes;
inline constexpr size_t kUiStateDeviceAddressBytes = 64;
// The dialog framework's flags (DialogUiState).
inline constexpr size_t kUiStateDialogAt = kUiStateDeviceAddressAt + kUiStateDeviceAddressBytes;
inline constexpr size_t kUiStateDialogBytes = 16;
// The preview area's view flag and address-read flag (PreviewUiState).
inline constexpr size_t kUiStatePreviewAt = kUiStateDialogAt + kUiStateDialogBytes;
inline constexpr size_t kUiStatePreviewBytes = 16;
// The Finish sheet's per-page lists, one pointer per list (PerPageUiLists).
inline constexpr size_t kUiStatePerPageListsAt = kUiStatePreviewAt + kUiStatePreviewBytes;
inline constexpr size_t kUiStatePerPageListsBytes = 128;
// The Basic sheet's flags (BasicUiState).
inline constexpr size_t kUiStateBasicAt = kUiStatePerPageListsAt + kUiStatePerPageListsBytes;
inline constexpr size_t kUiStateBasicBytes = 16;
// The paper preview's overrides of the N-up settings while a change is
// being checked (LayoutPreviewOverrides).
inline constexpr size_t kUiStateLayoutOverridesAt = kUiStateBasicAt + kUiStateBasicBytes;
inline constexpr size_t kUiStateLayoutOverridesBytes = 16;
// The watermark sheet's lists and preview, one pointer (WatermarkUiState).
inline constexpr size_t kUiStateWatermarksAt = kUiStateLayoutOverridesAt + kUiStateLayoutOverridesBytes;
inline constexpr size_t kUiStateWatermarksBytes = 16;
// The Configure sheet's state of the device it asks (DeviceSheetUiState).
inline constexpr size_t kUiStateDeviceSheetAt = kUiStateWatermarksAt + kUiStateWatermarksBytes;
inline constexpr size_t kUiStateDeviceSheetBytes = 128;
// The session's Easy Set list and the page that saves its order
// (EasySetUiState).
inline constexpr size_t kUiStateEasySetAt = kUiStateDeviceSheetAt + kUiStateDeviceSheetBytes;
inline constexpr size_t kUiStateEasySetBytes = 32;
// The device authentication warning's once-per-session flag (u32).
inline constexpr size_t kUiStateAuthWarningAt = kUiStateEasySetAt + kUiStateEasySetBytes;
inline constexpr size_t kUiStateAuthWarningBytes = 4;
// The session's overlay form lists, its current form and the forms-changed
// flag (OverlayUiState).
inline constexpr size_t kUiStateOverlayAt = kUiStateAuthWarningAt + kUiStateAuthWarningBytes;
inline constexpr size_t kUiStateOverlayBytes = 48;
// Which date/time fields the date/time format dialog edits (u32: 1 the
// copy-protect stamp's, anything else the date/time/page stamp's).
inline constexpr size_t kUiStateDateTimeTargetAt = kUiStateOverlayAt + kUiStateOverlayBytes;
inline constexpr size_t kUiStateDateTimeTargetBytes = 4;
// The Finish sheet's fold list with its item-text tooltip (ComboTipUiState).
inline constexpr size_t kUiStateComboTipAt = kUiStateDateTimeTargetAt + kUiStateDateTimeTargetBytes + 4;
inline constexpr size_t kUiStateComboTipBytes = 32;
// The printer-resident colour profile lists of the session
// (ResidentProfileUiState, common/records/color_profile_record.h).
inline constexpr size_t kUiStateResidentProfilesAt = kUiStateComboTipAt + kUiStateComboTipBytes;
inline constexpr size_t kUiStateResidentProfilesBytes = 48;
// The colour detail pages' host: the pages' and the sheet's windows, the
// current tab and the built-in entries of the profile lists
// (ColorPagesUiState, dproc/quality/color_detail_pages_win.h).
inline constexpr size_t kUiStateColorPagesAt = kUiStateResidentProfilesAt + kUiStateResidentProfilesBytes;
inline constexpr size_t kUiStateColorPagesBytes = 64;
// What the session's side data loader has done: the authentication values
// taken, the colour profile lists' counts as read, the per-page lists as
// read (SideDataUiState).
inline constexpr size_t kUiStateSideDataAt = kUiStateColorPagesAt + kUiStateColorPagesBytes;
inline constexpr size_t kUiStateSideDataBytes = 128;
// The first byte no part uses (within kSheetUiStateSize, sheet_session.h).
inline constexpr size_t kUiStateFreeAt = kUiStateSideDataAt + kUiStateSideDataBytes;
