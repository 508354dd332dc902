// Where each part of a sheet session's UI state lies in its bytes.  The
// parts are laid out here, in one table, so that no two of them share
// bytes: each part's header takes its offset and size from here.
#pragma once

#include <cstddef>

#include "common/records/sheet_session.h"
#include "dproc/model/user_paper_list.h"

// The user paper part (user_paper_list.h) starts at kUiStateUserPapersAt (0).
// The device address text: at most 63 characters and a NUL.
inline constexpr size_t kUiDeviceAddressAt = 1024;
inline constexpr size_t kUiDeviceAddressBytes = 64;
// The constraint pass's words (constraint_ui_state.h).
inline constexpr size_t kUiStateConstraintAt = kUiDeviceAddressAt + kUiDeviceAddressBytes;
inline constexpr size_t kUiStateConstraintBytes = 64;
// The per-page lists of the Finish sheet (per_page_ui_lists.h).
inline constexpr size_t kUiStatePerPageListsAt = kUiStateConstraintAt + kUiStateConstraintBytes;
inline constexpr size_t kUiStatePerPageListsBytes = 128;
inline constexpr size_t kUiStateLaidOutBytes = kUiStatePerPageListsAt + kUiStatePerPageListsBytes;

static_assert(kUiStateUserPapersAt + sizeof(UserPaperUiState) <= kUiDeviceAddressAt);
static_assert(kUiStateLaidOutBytes <= kSheetUiStateSize);
