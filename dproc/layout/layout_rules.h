// The rules of the Layout sheet and its dialogs that need no window: the
// chapter page list's byte limit, the layout fields derived from the
// settings, the duplex text of the common user interface, and which
// picture or picture cell shows a setting.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/settings_records.h"

// The chapter page list is stored as at most 159 bytes and a zero.
inline constexpr size_t kChapterTextBytes = 159;

// The length a narrow text keeps under the chapter list's limit: the text
// walked from its start character by character (a byte for which
// `isLeadByte` holds starts a double-byte character), ending before the
// first character that would end past kChapterTextBytes, so no lead byte is
// left without its trail byte.  A lead byte at the very end of the text is
// dropped too.
size_t ChapterTextCut(const uint8_t* text, size_t length, bool (*isLeadByte)(uint8_t));

// The five layout fields kill-active derives from the settings: frame
// lines, pages per arrangement, poster tiles, poster margin lines and the
// booklet order.  `bookletByDriver`: the model arranges booklets in the
// driver; `winVersionClass` 0 (Windows NT 4.0 or older) keeps only the
// reset values and the N-up frame lines.
void DeriveLayoutFields(DocDMode* doc, bool bookletByDriver, int winVersionClass);
// Tiles per side for a poster kind, 1 for any other value.
uint8_t PosterPagesOf(uint8_t nupKind);

// The common user interface's duplex text and dmDuplex for a duplex
// setting: string 9015 (dmDuplex 1) one-sided; two-sided and booklets take
// 9016 (2) when the sheet is turned and 9017 (3) when not, except that a
// booklet the driver does not arrange, or an adhesive binding, always takes
// 9016.
struct DuplexChoice {
  uint16_t stringId;
  int16_t dmDuplex;
};
DuplexChoice ChooseDuplexText(uint8_t doubleSides, bool bookletByDriver, bool modelHasAdhesiveBind,
                              uint8_t adhesiveBind, bool paperRotated);

// The binding margin dialog's picture (image and mask ids) by shift mode (0
// parallel, else stretch), orientation and effective binding edge.
struct PicturePair {
  int image, mask;
};
PicturePair BindingMarginPicture(uint8_t mode, bool portrait, uint32_t bindingEdge);

// The page-order cell of the style dialog's order list (strip 5191/5190):
// by page-order kind (0 two pages side by side, 1 one above the other, 2 a
// grid, -1 none), N-up kind, orientation and the row's order value; -1 for
// no picture at all.
int PageOrderCell(int orderKind, uint8_t nupKind, bool portrait, uint32_t order);
// The border-kind cell (strip 1008/1007): frame or line, in the effective
// orientation.
int BorderKindCell(uint32_t kind, bool effectivePortrait);
