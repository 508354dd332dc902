// Draws the preview area's pictures: the paper view's draw plan, the quality
// view and the sunken frame, with the pictures of the image library.
#pragma once

#include <windows.h>

#include "dproc/preview/paper_view_plan.h"

// A solid 4-pixel shadow on the top and left edges and a light one on the
// bottom and right edges of `rect`.
void DrawSunkenFrame(HDC dc, const RECT& rect);

// The picture sizes and text extents of a target DC, for BuildPaperViewPlan.
class PaperViewDevice {
 public:
  PaperViewDevice(HDC dc, HMODULE images);
  ~PaperViewDevice();
  PaperViewDevice(const PaperViewDevice&) = delete;
  PaperViewDevice& operator=(const PaperViewDevice&) = delete;
  PaperViewEnv Env();
  HDC dc() const { return dc_; }
  HMODULE images() const { return images_; }
  HFONT Font(const PlanFontSpec& spec);

 private:
  HDC dc_;
  HMODULE images_;
  struct Cached {
    PlanFontSpec spec;
    HFONT font;
  };
  Cached fonts_[8]{};
  int fontCount_ = 0;
};

// Carries out the plan into a memory bitmap of the control's size and copies
// it to the target at the control's top-left.  Nothing is drawn without a
// memory DC.
void RenderPaperViewPlan(PaperViewDevice& device, const PaperViewPlan& plan, const RECT& control);
// Carries out the plan straight on the device's DC (its state restored
// afterwards); what lies under the picture stays where nothing is drawn.
void RenderPaperViewPlanDirect(PaperViewDevice& device, const PaperViewPlan& plan);

// The quality sheet's picture for ColorSetting, centred on white, framed.
void DrawQualityView(HDC dc, const RECT& rect, int32_t colorSetting, HMODULE images);
// The image and mask ids of the quality view's row for ColorSetting.
void QualityViewPictures(int32_t colorSetting, uint32_t* image, uint32_t* mask);
