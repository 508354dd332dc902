// Do the texts of a dialog fit their controls?  Measured on the window as
// it stands (the texts it shows, after the display texts of the
// description file and the lists' rows were put in, in the font the window
// uses), control by control of its template:
//  - push buttons, check boxes, radio buttons and group boxes: the text's
//    extent with the room their frame, box or caption edge takes (the
//    margins of the text-clipping check, clip_test_report.h);
//  - statics: the text wrapped as the static wraps it, within its height;
//  - drop lists and list boxes whose rows are texts: every row beside the
//    arrow and frame;
//  - buttons the driver draws as a picture beside a text: picture and text
//    side by side inside the button;
//  - stop icons (small owner-drawn buttons without text): beside their
//    control, never on another control's text or frame;
//  - tab controls: no page or other window over a tab.
// Hidden controls are left out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// One line per text that does not fit, naming the template, the control
// and the widths; empty when all fit.  `iconButtons` are the owner-drawn
// buttons drawn as a picture beside their text (null-terminated by 0).
std::vector<std::string> CheckTextsFit(HWND window, const uint8_t* dialogTemplate, size_t size, uint16_t templateId,
                                       const int* iconButtons);

// The owner-drawn buttons of the driver that show a picture beside their
// text (the phone book and destination buttons of the fax dialogs).
extern const int kPictureTextButtons[];

}  // namespace testsupport
