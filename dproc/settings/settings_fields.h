// Places of the document settings that the settings merge, the fix-ups
// and the device capabilities read and write.
#pragma once

#include <cstdint>

#include "common/records/doc_fields.h"

inline constexpr uint32_t kDocPaperMarginsAt = DOC_FIELD_AT(rcMargin_left);  // 4 x i16: left, top, right, bottom
inline constexpr uint32_t kDocUserPaperWidthInchAt = DOC_FIELD_AT(sizInUserDefPaperIN_cx);
inline constexpr uint32_t kDocUserPaperLengthInchAt = DOC_FIELD_AT(sizInUserDefPaperIN_cy);
inline constexpr uint32_t kDocZoomAt = DOC_FIELD_AT(bScaleAuto);
inline constexpr uint32_t kDocZoomValueAt = DOC_FIELD_AT(nScale);
inline constexpr uint32_t kDocCopiesAt = DOC_FIELD_AT(nCopies);
inline constexpr uint32_t kDocNupStyleAt = DOC_FIELD_AT(nPageLayout);
inline constexpr uint32_t kDocBookletBindingAt = DOC_FIELD_AT(nBookletOrder);
inline constexpr uint32_t kDocStapleAt = DOC_FIELD_AT(nStapleMode);
inline constexpr uint32_t kDocHolePunchAt = DOC_FIELD_AT(nPunchNum);
inline constexpr uint32_t kDocSelectColorAt = DOC_FIELD_AT(nColorMode);
inline constexpr uint32_t kDocIcmMethodAt = DOC_FIELD_AT(ColorICM_nMethod);
inline constexpr uint32_t kDocIcmIntentAt = DOC_FIELD_AT(ColorICM_nIntent);
inline constexpr uint32_t kDocResolutionValueAt = DOC_FIELD_AT(byResolution);
inline constexpr uint32_t kDocResolutionXAt = DOC_FIELD_AT(nResoH);
inline constexpr uint32_t kDocResolutionYAt = DOC_FIELD_AT(nResoV);
inline constexpr uint32_t kDocResolutionThirdAt = DOC_FIELD_AT(nResoHV);
inline constexpr uint32_t kDocFontSubstituteAt = DOC_FIELD_AT(nTTFont);
