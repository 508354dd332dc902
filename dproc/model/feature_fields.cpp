#include "dproc/model/feature_fields.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "dproc/model/orientation_rules.h"
#include "dproc/model/rule_expression.h"

namespace {

// When a row of the field map applies.
enum class When : uint8_t {
  Always,
  Flag,        // a FeatureSetting flag is set
  Unit0,       // the byte at `arg` is 0 (millimetres)
  Unit1,       // the byte at `arg` is 1 (inches)
  Unit0Flag,   // millimetres and a FeatureSetting flag (`flag`)
  Unit1Flag,
  NoFlag,      // a FeatureSetting flag is clear
  SetA,        // colour adjustment for all objects
  SetB,        // each object, not photo
  SetC,        // each object, photo
  IccOff,      // "ColorAdjustIccProf" clear
  IccText,     // set; all objects or each object text (or any other choice)
  IccPhoto,    // set; each object photo
  IccFigure,   // set; each object figure
};

struct FieldRow {
  const char* keyword;
  uint32_t offset;
  uint32_t kind;
  When when;
  uint32_t arg;   // unit byte offset or FeatureSetting flag
  uint32_t flag;  // FeatureSetting flag of the Unit*Flag rows
};

#define AT(member) DOC_FIELD_AT(member)
constexpr uint32_t B = kFieldByte, S = kFieldI16, U = kFieldU16, SB = kFieldSByte, W = kFieldU32c;

constexpr uint32_t kBindUnit = AT(byBindingUnit);
constexpr uint32_t kShiftUnit = AT(byImageShiftUnit);
constexpr uint32_t kSpineUnit = AT(byPBUnit);
constexpr uint32_t kTabUnit = AT(byTABShiftUnit);

// Fields of the document settings by keyword.  Where several rows name one
// keyword, the last that applies wins.  The copy-protect and date/page
// colour and density fields are 16 bits wide in stored records and are
// bound as such.
const FieldRow kDocRows[] = {
    {"Orientation", AT(nOrientation), B, When::Always, 0, 0},
    {"PaperSize", AT(nPaperSize), S, When::Always, 0, 0},
    {"UserPaper_Width", AT(sizInUserDefPaperMM_cx), S, When::Always, 0, 0},
    {"UserPaper_Length", AT(sizInUserDefPaperMM_cy), S, When::Always, 0, 0},
    {"OutPaperSize", AT(nOutPaperSize), S, When::Always, 0, 0},
    {"OutUserPaper_Width", AT(sizOutUserDefPaperMM_cx), S, When::Always, 0, 0},
    {"OutUserPaper_Length", AT(sizOutUserDefPaperMM_cy), S, When::Always, 0, 0},
    {"Zoom", AT(bScaleAuto), B, When::Always, 0, 0},
    {"ZoomValue", AT(nScale), S, When::Always, 0, 0},
    {"InTray", AT(nDefaultSource), S, When::Always, 0, 0},
    {"Copies", AT(nCopies), U, When::Always, 0, 0},
    {"Collate", AT(bCollate), B, When::Always, 0, 0},
    {"JobOffset", AT(bJobOffset), B, When::Always, 0, 0},
    {"PrintPosition", AT(nPrintPosition), B, When::Always, 0, 0},
    {"OutputMethod", AT(nOutputMethod), B, When::Always, 0, 0},
    {"PaperOption1", AT(bPaperOption1), B, When::Always, 0, 0},
    {"PaperOption2", AT(bPaperOption2), B, When::Always, 0, 0},
    {"ServerSetting", AT(nServerSetting), S, When::Always, 0, 0},
    {"TreeDomainName", kDocTreeDomainNameAt, SB, When::Flag, kMfTreeDomainName, 0},
    {"ExpenseCode", kDocExpenseCodeAt, SB, When::Flag, kMfExpenseCode, 0},
    {"Nup", AT(bNup), B, When::Always, 0, 0},
    {"Nup_op", AT(nNup), B, When::Always, 0, 0},
    {"NupStyle", AT(nPageLayout), B, When::Always, 0, 0},
    {"BorderLine", AT(bNupBorder_ui), B, When::Always, 0, 0},
    {"BorderLine_op", AT(bPageBorder), B, When::Always, 0, 0},
    {"PosterMarginLine", AT(nPosterMarginLine), B, When::Always, 0, 0},
    {"Rotate180", AT(bRotate180), B, When::Always, 0, 0},
    {"SaveBlankPaper", AT(bStopBlankPaper), B, When::Always, 0, 0},
    {"Chapter", AT(bChapterMode), B, When::Always, 0, 0},
    {"DoubleSides", AT(nDuplex), B, When::Always, 0, 0},
    {"AdhesiveBind", AT(bMusenToji), B, When::Always, 0, 0},
    {"BookletBinding", AT(nBookletOrder), B, When::Always, 0, 0},
    {"BookletBorder", AT(bBookletBorder), B, When::Always, 0, 0},
    {"BindingShift", AT(bBinding), B, When::Always, 0, 0},
    {"BindShift_Same", AT(bBindingSame), B, When::Always, 0, 0},
    {"BindShift_Unit", AT(byBindingUnit), B, When::Always, 0, 0},
    {"BindShift_Front", AT(nBindingUp), S, When::Unit0, kBindUnit, 0},
    {"BindShift_Back", AT(nBindingDown), S, When::Unit0, kBindUnit, 0},
    {"BindShift_Front", AT(nBindingUp_Inch), S, When::Unit1, kBindUnit, 0},
    {"BindShift_Back", AT(nBindingDown_Inch), S, When::Unit1, kBindUnit, 0},
    {"BindShift_Mode", AT(nBindingMode), B, When::Always, 0, 0},
    {"ImageShift", AT(bImgShift), B, When::Always, 0, 0},
    {"ImgShiftMFP_Unit", AT(byImageShiftUnit), B, When::Always, 0, 0},
    {"ImgShiftMFP_Setup", AT(nImgShiftSetting), B, When::Always, 0, 0},
    {"ImgShiftMFP_FrontH_op", AT(ImgShiftFronSide_byHShift), B, When::Always, 0, 0},
    {"ImgShiftMFP_FrontV_op", AT(ImgShiftFronSide_byVShift), B, When::Always, 0, 0},
    {"ImgShiftMFP_FrontH", AT(ImgShiftFronSide_nX), S, When::Unit0, kShiftUnit, 0},
    {"ImgShiftMFP_FrontV", AT(ImgShiftFronSide_nY), S, When::Unit0, kShiftUnit, 0},
    {"ImgShiftMFP_FrontI", AT(ImgShiftFronSide_nInterval), S, When::Unit0, kShiftUnit, 0},
    {"ImgShiftMFP_FrontO", AT(ImgShiftFronSide_nOffset), S, When::Unit0Flag, kShiftUnit, kMfImgShiftFrontO},
    {"ImgShiftMFP_FrontH", AT(ImgShiftFronSide_nX_Inch), S, When::Unit1, kShiftUnit, 0},
    {"ImgShiftMFP_FrontV", AT(ImgShiftFronSide_nY_Inch), S, When::Unit1, kShiftUnit, 0},
    {"ImgShiftMFP_FrontI", AT(ImgShiftFronSide_nInterval_Inch), S, When::Unit1, kShiftUnit, 0},
    {"ImgShiftMFP_FrontO", AT(ImgShiftFronSide_nOffset_Inch), S, When::Unit1Flag, kShiftUnit, kMfImgShiftFrontO},
    {"ImgShiftMFP_BackH_op", AT(ImgShiftBackSide_byHShift), B, When::Always, 0, 0},
    {"ImgShiftMFP_BackV_op", AT(ImgShiftBackSide_byVShift), B, When::Always, 0, 0},
    {"ImgShiftMFP_BackH", AT(ImgShiftBackSide_nX), S, When::Unit0, kShiftUnit, 0},
    {"ImgShiftMFP_BackV", AT(ImgShiftBackSide_nY), S, When::Unit0, kShiftUnit, 0},
    {"ImgShiftMFP_BackI", AT(ImgShiftBackSide_nInterval), S, When::Unit0Flag, kShiftUnit, kMfImgShiftBackI},
    {"ImgShiftMFP_BackO", AT(ImgShiftBackSide_nOffset), S, When::Unit0Flag, kShiftUnit, kMfImgShiftBackO},
    {"ImgShiftMFP_BackH", AT(ImgShiftBackSide_nX_Inch), S, When::Unit1, kShiftUnit, 0},
    {"ImgShiftMFP_BackV", AT(ImgShiftBackSide_nY_Inch), S, When::Unit1, kShiftUnit, 0},
    {"ImgShiftMFP_BackI", AT(ImgShiftBackSide_nInterval_Inch), S, When::Unit1Flag, kShiftUnit, kMfImgShiftBackI},
    {"ImgShiftMFP_BackO", AT(ImgShiftBackSide_nOffset_Inch), S, When::Unit1Flag, kShiftUnit, kMfImgShiftBackO},
    {"ImgShiftMFP_Auto", AT(bImgShiftBackAuto), B, When::Always, 0, 0},
    {"Staple", AT(bStaple), B, When::Always, 0, 0},
    {"Staple_op", AT(nStapleMode), B, When::Always, 0, 0},
    {"PerPageStaple", AT(nStapleMode), B, When::Always, 0, 0},
    {"HolePunch", AT(bPunch), B, When::Always, 0, 0},
    {"HolePunch_op", AT(nPunchNum), B, When::Always, 0, 0},
    {"PerPagePunch", AT(nPunchNum), B, When::Always, 0, 0},
    {"OutputTray", AT(nOutBin), S, When::Always, 0, 0},
    {"OutputOrder", AT(nOutputMode), B, When::Always, 0, 0},
    {"CenterStaple", AT(bCenterStapleFold), B, When::Always, 0, 0},
    {"CenterErase", AT(bCenterErase), B, When::Always, 0, 0},
    {"Folding", AT(bFolding), B, When::Always, 0, 0},
    {"Folding_op", AT(nFoldingMode), B, When::Always, 0, 0},
    {"Trim", AT(bTrim), B, When::Always, 0, 0},
    {"Combination", AT(bLayout), B, When::Always, 0, 0},
    {"Combination_op", AT(nLayoutMode), B, When::Always, 0, 0},
    {"DivideOutput", AT(bPageLoop), B, When::Always, 0, 0},
    {"DivideFinish", AT(nPageLoopNum), S, When::Always, 0, 0},
    {"PileMode", AT(bPileMode), B, When::Always, 0, 0},
    {"Tandem", AT(bTandem), B, When::Always, 0, 0},
    {"PerfectBinding", AT(bPerfectBinding), B, When::Always, 0, 0},
    {"TABImageShift", AT(bTABImageShift), B, When::Always, 0, 0},
    {"PaperArrangement", AT(bPaperArrangement), B, When::Always, 0, 0},
    {"PBCoverMode", AT(nPBCoverMode), B, When::Always, 0, 0},
    {"PBCoverTray", AT(nPBCoverTray), B, When::Always, 0, 0},
    {"PBCoverDuplex", AT(bPBCoverDuplex), B, When::Always, 0, 0},
    {"PBCoverTriming", AT(bPBCoverTriming), B, When::Always, 0, 0},
    {"PerfectBinding_Unit", AT(byPBUnit), B, When::Always, 0, 0},
    {"PBSpinWidth", AT(nPBSpinWidth), S, When::Unit0, kSpineUnit, 0},
    {"PBSpinWidth", AT(nPBSpinWidth_Inch), S, When::Unit1, kSpineUnit, 0},
    {"TABImageShift_Unit", AT(byTABShiftUnit), B, When::Always, 0, 0},
    {"TABImageShift_MM", AT(nTABShift_MM), S, When::Unit0, kTabUnit, 0},
    {"TABImageShift_Inch", AT(nTABShift_Inch), S, When::Unit1, kTabUnit, 0},
    {"FrontCover", AT(bFrontCover), B, When::Always, 0, 0},
    {"FrontCover_op", AT(nFrontCoverMode), B, When::Always, 0, 0},
    {"FCoverTray", AT(nFrontCoverTray), S, When::Always, 0, 0},
    {"BackCover", AT(bBackCover), B, When::Always, 0, 0},
    {"BackCover_op", AT(nBackCoverMode), B, When::Always, 0, 0},
    {"BCoverTray", AT(nBackCoverTray), S, When::Always, 0, 0},
    {"OHP_Interleave", AT(bOHP), B, When::Always, 0, 0},
    {"OHP_Interleave_op", AT(nOHPMode), B, When::Always, 0, 0},
    {"OHPIntTray", AT(nOHPTray), S, When::Always, 0, 0},
    {"PIFrontCover", AT(CoverMFP_bPIFCover), B, When::Flag, kMfPiCover, 0},
    {"PIFrontCover_op", AT(CoverMFP_nPIFCoverTray), S, When::Flag, kMfPiCover, 0},
    {"PIFInsertPage", AT(CoverMFP_nPIFInsertPage), S, When::Flag, kMfPiCover, 0},
    {"PIBackCover", AT(CoverMFP_bPIBCover), B, When::Flag, kMfPiCover, 0},
    {"PIBackCover_op", AT(CoverMFP_nPIBCoverTray), S, When::Flag, kMfPiCover, 0},
    {"PIBInsertPage", AT(CoverMFP_nPIBInsertPage), S, When::Flag, kMfPiCover, 0},
    {"PerPageSetting", AT(CoverMFP_bUsePerPageSet), B, When::Always, 0, 0},
    {"PerPageSetting_op", AT(CoverMFP_nPerPageList), S, When::Always, 0, 0},
    {"PerPageListName", AT(CoverMFP_nPerPageList), S, When::Always, 0, 0},
    {"Watermark", AT(bWmk), B, When::Always, 0, 0},
    {"Watermark_op", AT(wWmkListPos), U, When::Always, 0, 0},
    {"WM_Style", AT(WmkInfo_nStyle), S, When::Always, 0, 0},
    {"WM_Size", AT(WmkInfo_wSize), U, When::Always, 0, 0},
    {"WM_Color", AT(WmkInfo_crColor), kFieldU32ReadOnly, When::Always, 0, 0},
    {"WM_Angle", AT(WmkInfo_nAngle), S, When::Always, 0, 0},
    {"WM_Pos_X", AT(WmkInfo_ptWmkPos_x), W, When::Always, 0, 0},
    {"WM_Pos_Y", AT(WmkInfo_ptWmkPos_y), W, When::Always, 0, 0},
    {"WM_Box", AT(WmkInfo_wFrame), U, When::Always, 0, 0},
    {"WM_Transparent", AT(WmkInfo_bBkGrnd), B, When::Always, 0, 0},
    {"WM_FirstPage", AT(WmkInfo_bFstPg), B, When::Always, 0, 0},
    {"WM_Repeat", AT(WmkInfo_bMultiStamp), B, When::Always, 0, 0},
    {"HeaderFooter", AT(bHeadFooter), B, When::Always, 0, 0},
    {"HF_Numbering", AT(bNumbering), B, When::Always, 0, 0},
    {"Numbering", AT(bNumbering), B, When::Always, 0, 0},
    {"HF_Type", AT(nNumberingType), B, When::Always, 0, 0},
    {"HF_Color", AT(nNumberingColor), B, When::Always, 0, 0},
    {"HF_PagetoPrint", AT(nNumberingMode), B, When::Always, 0, 0},
    {"HF_StartNumber", AT(nNumberingStartNum), S, When::Always, 0, 0},
    {"HF_DateTime", AT(bDateStamp), B, When::Always, 0, 0},
    {"HF_DatePagetoPrint", AT(nDateStampMode), B, When::Always, 0, 0},
    {"HF_PageNumber", AT(bPageStamp), B, When::Always, 0, 0},
    {"HF_PrintPage", AT(nPageStampMode), B, When::Always, 0, 0},
    {"HF_StartPage", AT(nPageStampStartPage), S, When::Always, 0, 0},
    {"HF_PageStartNumber", AT(nPageStampStartNum), S, When::Always, 0, 0},
    {"CopyProtect", AT(bCopyProtect), B, When::Always, 0, 0},
    {"CP_StampText", AT(bStamp), B, When::Always, 0, 0},
    {"CP_StampType", AT(nStampType), B, When::Always, 0, 0},
    {"CP_FixedStamp_op", AT(nFixedStamp), B, When::Always, 0, 0},
    {"CP_RegistStamp_op", AT(nRecordStamp), B, When::Always, 0, 0},
    {"CP_DateTime", AT(bTimeDate), B, When::Always, 0, 0},
    {"CP_Pattern", AT(nPattern), B, When::Always, 0, 0},
    {"CP_PatternSize", AT(nPatternSize), B, When::Always, 0, 0},
    {"CP_Angle", AT(nAngle), S, When::Always, 0, 0},
    {"CP_SerialNumber", AT(bSerialNo), B, When::Always, 0, 0},
    {"CPE_DistributionNumber", AT(bDistributionNumber), B, When::Always, 0, 0},
    {"CPE_JobNumber", AT(bJobNumber), B, When::Always, 0, 0},
    {"CPE_CompositeMethod", AT(bCompositeMethod), B, When::Always, 0, 0},
    {"CPE_CP_Placement", AT(nCPE_CP_Placement), B, When::Always, 0, 0},
    {"CPE_SS_Placement", AT(nCPE_SS_Placement), B, When::Always, 0, 0},
    {"CPE_CP_Pattern", AT(nBackPattern), B, When::Always, 0, 0},
    {"CPE_CP_Color", AT(nCPE_CP_Color), S, When::Always, 0, 0},
    {"CPE_CP_Density", AT(nCPE_CP_Density), S, When::Always, 0, 0},
    {"CPE_SS_Color", AT(nCPE_SS_Color), S, When::Always, 0, 0},
    {"CPE_SS_Density", AT(nCPE_SS_Density), S, When::Always, 0, 0},
    {"DateTime", AT(DateTimePageNo_bDateTime), B, When::Always, 0, 0},
    {"DPE_DateTime", AT(DateTimePageNo_bDateTime), B, When::Always, 0, 0},
    {"DPE_DateTimePagetoPrint", AT(DateTimePageNo_nDT_PagetoPrint), S, When::Always, 0, 0},
    {"DPE_DateTimeColor", AT(DateTimePageNo_nDT_Color), S, When::Always, 0, 0},
    {"PageNumber", AT(DateTimePageNo_bPageNo), B, When::Always, 0, 0},
    {"DPE_PageNumber", AT(DateTimePageNo_bPageNo), B, When::Always, 0, 0},
    {"DPE_PageNumStartPage", AT(DateTimePageNo_nPN_StartPage), W, When::Always, 0, 0},
    {"DPE_PageNumStartNum", AT(DateTimePageNo_nPN_StartNum), W, When::Always, 0, 0},
    {"DPE_PageNumColor", AT(DateTimePageNo_nPN_PrintNumColor), S, When::Always, 0, 0},
    {"Overlay", AT(bOverlay), B, When::Always, 0, 0},
    {"Overlay_op", AT(nFormListPos), S, When::Always, 0, 0},
    {"Ovl_Create", AT(bCreateForm), B, When::Always, 0, 0},
    {"Ovl_Pages", AT(nOverlay), B, When::Always, 0, 0},
    {"Ovl_Placement", AT(nFormLaying), B, When::Always, 0, 0},
    {"SelectColor", AT(nColorMode), B, When::Flag, kMf2Color, 0},
    {"SelectColor_RB", AT(nColorMode), B, When::NoFlag, kMf2Color, 0},
    {"ColorSetting", AT(nColorMatch), B, When::Always, 0, 0},
    {"ColAdj_Object", AT(ColorAdjustMFP_nMatchSettings), B, When::Always, 0, 0},
    {"ColAdj_EachObject_op", AT(ColorAdjustMFP_nMatchType), B, When::Always, 0, 0},
    // The three colour adjustment sets follow (built in code).
    {"ColAdj_MatchBalance", AT(ColorAdjustMFP_EachEtc_nMatchBalance), B, When::Always, 0, 0},
    {"ColAdj_ScreenSmooth", AT(ColorAdjustMFP_EachEtc_nScreenSmooth), B, When::Always, 0, 0},
    {"Dnst_Density", AT(nMonoDensity), SB, When::Always, 0, 0},
    {"ColAdj_Brightness", AT(nMonoBrightness), SB, When::Always, 0, 0},
    {"ColAdj_Contrast", AT(nMonoContrast), SB, When::Always, 0, 0},
    {"TwoColors", AT(nSelectTwoColors), B, When::Flag, kMf2Color, 0},
    {"ICM_Method", AT(ColorICM_nMethod), B, When::Always, 0, 0},
    {"ICM_Intent", AT(ColorICM_nIntent), B, When::Always, 0, 0},
    {"Resolution", AT(byResolution), B, When::Always, 0, 0},
    {"Pattern", AT(nColorPattern), B, When::Always, 0, 0},
    {"ImageCompression", AT(nCompressMode), B, When::Always, 0, 0},
    {"GlossyMode", AT(bGlossyMode), B, When::Always, 0, 0},
    {"Dnst_TonerSave", AT(bTonerSave), B, When::Always, 0, 0},
    {"Point4Character", AT(bPoint4Char), B, When::Always, 0, 0},
    {"DiminBarcode", AT(bDiminBarcode), B, When::Always, 0, 0},
    {"ColorSeparation", AT(bColorSeparation), B, When::Always, 0, 0},
    {"Smoothing", AT(bSmoothing), B, When::Always, 0, 0},
    {"Smoothing_op", AT(nSmoothing), B, When::Always, 0, 0},
    {"Dnst_DraftPrint", AT(bDraftPrint), B, When::Always, 0, 0},
    {"Thinning", AT(bThinning), B, When::Always, 0, 0},
    {"Thinning_op", AT(nThinning), B, When::Always, 0, 0},
    {"PrintWithBlack", AT(bPrintBlack), B, When::Always, 0, 0},
    {"PrintWithBlack_op", AT(nPrintBlack), B, When::Always, 0, 0},
    {"Img_RGBColorMatch", AT(ColorImage_nColorChg), B, When::Always, 0, 0},
    {"Img_Halftone", AT(ColorImage_nScreen), B, When::Always, 0, 0},
    {"Img_RGBGray", AT(ColorImage_nMkBlack), B, When::Always, 0, 0},
    {"Text_RGBColorMatch", AT(ColorChar_nColorChg), B, When::Always, 0, 0},
    {"Text_Halftone", AT(ColorChar_nScreen), B, When::Always, 0, 0},
    {"Text_RGBGray", AT(ColorChar_nMkBlack), B, When::Always, 0, 0},
    {"Graph_RGBColorMatch", AT(ColorGraphics_nColorChg), B, When::Always, 0, 0},
    {"Graph_Halftone", AT(ColorGraphics_nScreen), B, When::Always, 0, 0},
    {"Graph_RGBGray", AT(ColorGraphics_nMkBlack), B, When::Always, 0, 0},
    {"Graphics", AT(nColorGraphics), B, When::Always, 0, 0},
    {"RGBProf", AT(nCommonRGBColor), S, When::Always, 0, 0},
    {"Img_RGBProf", AT(nImageRGBColor), S, When::IccOff, 0, 0},
    {"Text_RGBProf", AT(nCharRGBColor), S, When::IccOff, 0, 0},
    {"Graph_RGBProf", AT(nGraphicsRGBColor), S, When::IccOff, 0, 0},
    {"Text_Destination", AT(nCharDestColor), S, When::IccOff, 0, 0},
    {"Img_Destination", AT(nImageDestColor), S, When::IccOff, 0, 0},
    {"Graph_Destination", AT(nGraphDestColor), S, When::IccOff, 0, 0},
    {"ColAdj_RGBProf", AT(nCharRGBColor), S, When::IccText, 0, 0},
    {"ColAdj_DestinationProf", AT(nCharDestColor), S, When::IccText, 0, 0},
    {"ColAdj_RGBProf", AT(nImageRGBColor), S, When::IccPhoto, 0, 0},
    {"ColAdj_DestinationProf", AT(nImageDestColor), S, When::IccPhoto, 0, 0},
    {"ColAdj_RGBProf", AT(nGraphicsRGBColor), S, When::IccFigure, 0, 0},
    {"ColAdj_DestinationProf", AT(nGraphDestColor), S, When::IccFigure, 0, 0},
    {"FontSubstitute", AT(nTTFont), B, When::Always, 0, 0},
    {"FontDownload", AT(nFontDownLoad), B, When::Always, 0, 0},
    {"UserAuthentication", AT(bUserAuthentication), B, When::Always, 0, 0},
    {"AccountTrack", AT(bAccountTrackOn), B, When::Always, 0, 0},
    {"EmailNotify", AT(bEmailNotify), B, When::Always, 0, 0},
    {"UserAuthentication_RB", AT(byUserType), B, When::Always, 0, 0},
};

// A colour adjustment set: 11 bytes in this order.
struct SetMember {
  const char* keyword;
  uint32_t kind;
};
const SetMember kColourSet[11] = {
    {"ColAdj_ColorMatchType", B}, {"ColAdj_Brightness", SB}, {"ColAdj_Contrast", SB}, {"ColAdj_Saturation", SB},
    {"ColAdj_Cyan", SB},          {"ColAdj_Magenta", SB},    {"ColAdj_Yellow", SB},   {"ColAdj_Black", SB},
    {"ColAdj_PureBlack", B},      {"ColAdj_Screen", B},      {"ColAdj_Smoothing", B}};
constexpr uint32_t kSetA = AT(ColorAdjustMFP_MatchAll_nType);
constexpr uint32_t kSetB = AT(ColorAdjustMFP_EachText_Match_nType);
constexpr uint32_t kSetC = AT(ColorAdjustMFP_EachPhoto_Match_nType);
static_assert(kSetA == 2178 && kSetB == 2189 && kSetC == 2200);

// Device settings by keyword (offsets inside DevOption).
const FieldRow kDeviceRows[] = {
    {"EncryptionKey", offsetof(DevOption, encryptionKey), S, When::Always, 0, 0},
    {"Vistrel", offsetof(DevOption, vistrel), B, When::Always, 0, 0},
    {"AutoAcquisition", offsetof(DevOption, autoAcquisition), S, When::Always, 0, 0},
    {"DestCustomize", offsetof(DevOption, destCustomize), B, When::Always, 0, 0},
    {"EMFSpool", offsetof(DevOption, emfSpool), S, When::Always, 0, 0},
    {"DisplayConstMsg", offsetof(DevOption, displayConstMsg), S, When::Always, 0, 0},
    {"UseServerForm", offsetof(DevOption, useServerForm), S, When::Always, 0, 0},
    {"FirstSheetAll", offsetof(DevOption, firstSheetAll), S, When::Always, 0, 0},
    {"HardSecurityMode", offsetof(DevOption, hardSecurityMode), S, When::Always, 0, 0},
    {"VerifyAuthentic", offsetof(DevOption, verifyAuthentic), S, When::Always, 0, 0},
    {"PopupAuthenticDlg", offsetof(DevOption, popupAuthenticDlg), S, When::Always, 0, 0},
};
// Device sheet rows that are usable without a field of their own.
const char* const kAvailableWithoutField[] = {
    "MediaTypeList_Tray", "MediaTypeInfoSetting", "EncryptionKey_op", "RefreshOption", "AcquisitionSetting",
    "StartUp", "MediaType_Size", "MediaType_Orientation", "MediaType_Paper", "MediaType_Weight",
    "MediaType_Color", "MediaType_Hole", "DestPrinterName_op", "CustomPaperList", "Paper_Add", "Paper_Del",
    "Paper_Name", "Paper_Unit"};
static_assert(sizeof kAvailableWithoutField / sizeof kAvailableWithoutField[0] == 18);

const DocFieldName kNames[] = {
    {"bPassthruOff", 48, kNameU32, 4},
    {"nOrientation", AT(nOrientation), kNameByte, 1},
    {"nPaperSize", AT(nPaperSize), kNameI16, 2},
    {"sizPaper.cx", AT(sizPaper_cx), kNameI16, 2},
    {"sizPaper.cy", AT(sizPaper_cy), kNameI16, 2},
    {"rcMargin.left", AT(rcMargin_left), kNameI16, 2},
    {"rcMargin.top", AT(rcMargin_top), kNameI16, 2},
    {"rcMargin.right", AT(rcMargin_right), kNameI16, 2},
    {"rcMargin.bottom", AT(rcMargin_bottom), kNameI16, 2},
    {"byUnitInUserDefPaper", AT(byUnitInUserDefPaper), kNameByte, 1},
    {"sizInUserDefPaperMM.cx", AT(sizInUserDefPaperMM_cx), kNameI16, 2},
    {"sizInUserDefPaperMM.cy", AT(sizInUserDefPaperMM_cy), kNameI16, 2},
    {"sizInUserDefPaperIN.cx", AT(sizInUserDefPaperIN_cx), kNameU32, 4},
    {"sizInUserDefPaperIN.cy", AT(sizInUserDefPaperIN_cy), kNameU32, 4},
    {"nOutPaperSize", AT(nOutPaperSize), kNameI16, 2},
    {"sizOutPaper.cx", AT(sizOutPaper_cx), kNameI16, 2},
    {"sizOutPaper.cy", AT(sizOutPaper_cy), kNameI16, 2},
    {"byUnitOutUserDefPaper", AT(byUnitOutUserDefPaper), kNameByte, 1},
    {"sizOutUserDefPaperMM.cx", AT(sizOutUserDefPaperMM_cx), kNameI16, 2},
    {"sizOutUserDefPaperMM.cy", AT(sizOutUserDefPaperMM_cy), kNameI16, 2},
    {"sizOutUserDefPaperIN.cx", AT(sizOutUserDefPaperIN_cx), kNameU32, 4},
    {"sizOutUserDefPaperIN.cy", AT(sizOutUserDefPaperIN_cy), kNameU32, 4},
    {"bScaleAuto", AT(bScaleAuto), kNameByte, 1},
    {"nScale", AT(nScale), kNameI16, 2},
    {"nDefaultSource", AT(nDefaultSource), kNameI16, 2},
    {"nMediaType", AT(nMediaType), kNameI16, 2},
    {"PTInfoAuto.szKey", AT(PTInfoAuto) + offsetof(TrayMediaEntry, szKey), kNameText, 32},
    {"PTInfoAuto.nValue", AT(PTInfoAuto) + offsetof(TrayMediaEntry, nValue), kNameU32, 4},
    {"PTInfoAuto.nPaperType2", AT(PTInfoAuto) + offsetof(TrayMediaEntry, nPaperType2), kNameI16, 2},
    {"PTInfoAuto.nPaperWeight", AT(PTInfoAuto) + offsetof(TrayMediaEntry, nPaperWeight), kNameI16, 2},
    {"PTInfoAuto.nPaperColor", AT(PTInfoAuto) + offsetof(TrayMediaEntry, nPaperColor), kNameI16, 2},
    {"PTInfoAuto.nPaperPrePunched", AT(PTInfoAuto) + offsetof(TrayMediaEntry, nPaperPrePunched), kNameByte, 1},
    {"nCopies", AT(nCopies), kNameU16, 2},
    {"bCollate", AT(bCollate), kNameByte, 1},
    {"bJobOffset", AT(bJobOffset), kNameByte, 1},
    {"nPrintPosition", AT(nPrintPosition), kNameByte, 1},
    {"nOutputMethod", AT(nOutputMethod), kNameByte, 1},
    {"bPaperOption1", AT(bPaperOption1), kNameByte, 1},
    {"bPaperOption2", AT(bPaperOption2), kNameByte, 1},
    {"bUserAuth", AT(bUserAuth), kNameByte, 1},
    {"nBoxHoldType", AT(nBoxHoldType), kNameByte, 1},
    {"szVQUserName", AT(szVQUserName), kNameText, 193},
    {"szVQUserKey", AT(szVQUserKey), kNameText, 73},
    {"bAccountTrack", AT(bAccountTrack), kNameByte, 1},
    {"szVQSectionName", AT(szVQSectionName), kNameText, 9},
    {"szVQSectionKey", AT(szVQSectionKey), kNameText, 17},
    {"bNup", AT(bNup), kNameByte, 1},
    {"nNup", AT(nNup), kNameByte, 1},
    {"nPageLayout", AT(nPageLayout), kNameByte, 1},
    {"bNupBorder_ui", AT(bNupBorder_ui), kNameByte, 1},
    {"bPageBorder", AT(bPageBorder), kNameByte, 1},
    {"nPosterMarginLine", AT(nPosterMarginLine), kNameByte, 1},
    {"bRotate180", AT(bRotate180), kNameByte, 1},
    {"bStopBlankPaper", AT(bStopBlankPaper), kNameByte, 1},
    {"bChapterMode", AT(bChapterMode), kNameByte, 1},
    {"szChapterPage", AT(szChapterPage), kNameText, 161},
    {"nDuplex", AT(nDuplex), kNameByte, 1},
    {"bMusenToji", AT(bMusenToji), kNameByte, 1},
    {"nBookletOrder", AT(nBookletOrder), kNameByte, 1},
    {"bBookletBorder", AT(bBookletBorder), kNameByte, 1},
    {"bPrintOrder", AT(bPrintOrder), kNameByte, 1},
    {"byNupPages", AT(byNupPages), kNameByte, 1},
    {"byNupOrder", AT(byNupOrder), kNameByte, 1},
    {"bNupBorder", AT(bNupBorder), kNameByte, 1},
    {"byPosterPages", AT(byPosterPages), kNameByte, 1},
    {"bPosterBorder", AT(bPosterBorder), kNameByte, 1},
    {"byBookletOrder", AT(byBookletOrder), kNameByte, 1},
    {"wBookletSheets", AT(wBookletSheets), kNameU16, 2},
    {"wBookletMargin", AT(wBookletMargin), kNameU16, 2},
    {"bBinding", AT(bBinding), kNameByte, 1},
    {"nBinding", AT(nBinding), kNameByte, 1},
    {"bBindingSame", AT(bBindingSame), kNameByte, 1},
    {"byBindingUnit", AT(byBindingUnit), kNameByte, 1},
    {"nBindingUp", AT(nBindingUp), kNameI16, 2},
    {"nBindingDown", AT(nBindingDown), kNameI16, 2},
    {"nBindingUp_Inch", AT(nBindingUp_Inch), kNameI16, 2},
    {"nBindingDown_Inch", AT(nBindingDown_Inch), kNameI16, 2},
    {"nBindingMode", AT(nBindingMode), kNameByte, 1},
    {"bImgShift", AT(bImgShift), kNameByte, 1},
    {"byImageShiftUnit", AT(byImageShiftUnit), kNameByte, 1},
    {"nImgShiftSetting", AT(nImgShiftSetting), kNameByte, 1},
    {"ImgShiftFronSide.byHShift", AT(ImgShiftFronSide_byHShift), kNameByte, 1},
    {"ImgShiftFronSide.byVShift", AT(ImgShiftFronSide_byVShift), kNameByte, 1},
    {"ImgShiftFronSide.nX", AT(ImgShiftFronSide_nX), kNameI16, 2},
    {"ImgShiftFronSide.nY", AT(ImgShiftFronSide_nY), kNameI16, 2},
    {"ImgShiftFronSide.nInterval", AT(ImgShiftFronSide_nInterval), kNameI16, 2},
    {"ImgShiftFronSide.nOffset", AT(ImgShiftFronSide_nOffset), kNameI16, 2},
    {"ImgShiftFronSide.nX_Inch", AT(ImgShiftFronSide_nX_Inch), kNameI16, 2},
    {"ImgShiftFronSide.nY_Inch", AT(ImgShiftFronSide_nY_Inch), kNameI16, 2},
    {"ImgShiftFronSide.nInterval_Inch", AT(ImgShiftFronSide_nInterval_Inch), kNameI16, 2},
    {"ImgShiftFronSide.nOffset_Inch", AT(ImgShiftFronSide_nOffset_Inch), kNameI16, 2},
    {"ImgShiftBackSide.byHShift", AT(ImgShiftBackSide_byHShift), kNameByte, 1},
    {"ImgShiftBackSide.byVShift", AT(ImgShiftBackSide_byVShift), kNameByte, 1},
    {"ImgShiftBackSide.nX", AT(ImgShiftBackSide_nX), kNameI16, 2},
    {"ImgShiftBackSide.nY", AT(ImgShiftBackSide_nY), kNameI16, 2},
    {"ImgShiftBackSide.nInterval", AT(ImgShiftBackSide_nInterval), kNameI16, 2},
    {"ImgShiftBackSide.nOffset", AT(ImgShiftBackSide_nOffset), kNameI16, 2},
    {"ImgShiftBackSide.nX_Inch", AT(ImgShiftBackSide_nX_Inch), kNameI16, 2},
    {"ImgShiftBackSide.nY_Inch", AT(ImgShiftBackSide_nY_Inch), kNameI16, 2},
    {"ImgShiftBackSide.nInterval_Inch", AT(ImgShiftBackSide_nInterval_Inch), kNameI16, 2},
    {"ImgShiftBackSide.nOffset_Inch", AT(ImgShiftBackSide_nOffset_Inch), kNameI16, 2},
    {"bImgShiftBackAuto", AT(bImgShiftBackAuto), kNameByte, 1},
    {"nFrontImgShiftGap", AT(nFrontImgShiftGap), kNameI16, 2},
    {"nFrontImgShiftOutOfs", AT(nFrontImgShiftOutOfs), kNameI16, 2},
    {"nBackImgShiftGap", AT(nBackImgShiftGap), kNameI16, 2},
    {"nBackImgShiftOutOfs", AT(nBackImgShiftOutOfs), kNameI16, 2},
    {"bStaple", AT(bStaple), kNameByte, 1},
    {"nStapleMode", AT(nStapleMode), kNameByte, 1},
    {"bPunch", AT(bPunch), kNameByte, 1},
    {"nPunchNum", AT(nPunchNum), kNameByte, 1},
    {"nOutBin", AT(nOutBin), kNameI16, 2},
    {"nOutputMode", AT(nOutputMode), kNameByte, 1},
    {"bCenterStapleFold", AT(bCenterStapleFold), kNameByte, 1},
    {"bCenterErase", AT(bCenterErase), kNameByte, 1},
    {"bFolding", AT(bFolding), kNameByte, 1},
    {"nFoldingMode", AT(nFoldingMode), kNameByte, 1},
    {"bTrim", AT(bTrim), kNameByte, 1},
    {"bLayout", AT(bLayout), kNameByte, 1},
    {"nLayoutMode", AT(nLayoutMode), kNameByte, 1},
    {"bPageLoop", AT(bPageLoop), kNameByte, 1},
    {"nPageLoopNum", AT(nPageLoopNum), kNameI16, 2},
    {"bPileMode", AT(bPileMode), kNameByte, 1},
    {"bTandem", AT(bTandem), kNameByte, 1},
    {"bPaperArrangement", AT(bPaperArrangement), kNameByte, 1},
    {"bFrontCover", AT(bFrontCover), kNameByte, 1},
    {"nFrontCoverMode", AT(nFrontCoverMode), kNameByte, 1},
    {"nFrontCoverTray", AT(nFrontCoverTray), kNameI16, 2},
    {"bBackCover", AT(bBackCover), kNameByte, 1},
    {"nBackCoverMode", AT(nBackCoverMode), kNameByte, 1},
    {"nBackCoverTray", AT(nBackCoverTray), kNameI16, 2},
    {"bOHP", AT(bOHP), kNameByte, 1},
    {"nOHPMode", AT(nOHPMode), kNameByte, 1},
    {"nOHPTray", AT(nOHPTray), kNameI16, 2},
    {"CoverMFP.bPIFCover", AT(CoverMFP_bPIFCover), kNameByte, 1},
    {"CoverMFP.nPIFCoverTray", AT(CoverMFP_nPIFCoverTray), kNameI16, 2},
    {"CoverMFP.bPIBCover", AT(CoverMFP_bPIBCover), kNameByte, 1},
    {"CoverMFP.nPIBCoverTray", AT(CoverMFP_nPIBCoverTray), kNameI16, 2},
    {"CoverMFP.bUsePerPageSet", AT(CoverMFP_bUsePerPageSet), kNameByte, 1},
    {"CoverMFP.nPerPageList", AT(CoverMFP_nPerPageList), kNameI16, 2},
    {"bWmk", AT(bWmk), kNameByte, 1},
    {"wWmkListPos", AT(wWmkListPos), kNameU16, 2},
    {"WmkInfo.szKey", AT(WmkInfo_szKey), kNameText, 32},
    {"WmkInfo.szWmkTitle", AT(WmkInfo_szWmkTitle), kNameWideText, 64},
    {"WmkInfo.szWmkStr", AT(WmkInfo_szWmkStr), kNameWideText, 258},
    {"WmkInfo.szFontName", AT(WmkInfo_szFontName), kNameWideText, 64},
    {"WmkInfo.nStyle", AT(WmkInfo_nStyle), kNameI16, 2},
    {"WmkInfo.wSize", AT(WmkInfo_wSize), kNameU16, 2},
    {"WmkInfo.crColor", AT(WmkInfo_crColor), kNameU32, 4},
    {"WmkInfo.nAngle", AT(WmkInfo_nAngle), kNameI16, 2},
    {"WmkInfo.ptWmkPos.x", AT(WmkInfo_ptWmkPos_x), kNameU32, 4},
    {"WmkInfo.ptWmkPos.y", AT(WmkInfo_ptWmkPos_y), kNameU32, 4},
    {"WmkInfo.ptStrPOS.x", AT(WmkInfo_ptStrPOS_x), kNameU32, 4},
    {"WmkInfo.ptStrPOS.y", AT(WmkInfo_ptStrPOS_y), kNameU32, 4},
    {"WmkInfo.wFrame", AT(WmkInfo_wFrame), kNameU16, 2},
    {"WmkInfo.bBkGrnd", AT(WmkInfo_bBkGrnd), kNameByte, 1},
    {"WmkInfo.bFstPg", AT(WmkInfo_bFstPg), kNameByte, 1},
    {"WmkInfo.bMultiStamp", AT(WmkInfo_bMultiStamp), kNameByte, 1},
    {"bHeadFooter", AT(bHeadFooter), kNameByte, 1},
    {"bNumbering", AT(bNumbering), kNameByte, 1},
    {"nNumberingType", AT(nNumberingType), kNameByte, 1},
    {"nNumberingDensity", AT(nNumberingDensity), kNameByte, 1},
    {"nNumberingColor", AT(nNumberingColor), kNameByte, 1},
    {"nNumberingMode", AT(nNumberingMode), kNameByte, 1},
    {"nNumberingStartNum", AT(nNumberingStartNum), kNameI16, 2},
    {"bDateStamp", AT(bDateStamp), kNameByte, 1},
    {"nDateStampType", AT(nDateStampType), kNameByte, 1},
    {"nDateStampMode", AT(nDateStampMode), kNameByte, 1},
    {"bPageStamp", AT(bPageStamp), kNameByte, 1},
    {"nPageStampMode", AT(nPageStampMode), kNameByte, 1},
    {"nPageStampStartPage", AT(nPageStampStartPage), kNameI16, 2},
    {"nPageStampStartNum", AT(nPageStampStartNum), kNameI16, 2},
    {"nHFE_DevSetting", AT(nHFE_DevSetting), kNameI16, 2},
    {"bHFE_PrintHeader", AT(bHFE_PrintHeader), kNameByte, 1},
    {"bHFE_PrintFooter", AT(bHFE_PrintFooter), kNameByte, 1},
    {"dwHFE_StartNumber", AT(dwHFE_StartNumber), kNameU32, 4},
    {"bHFE_Digit", AT(bHFE_Digit), kNameByte, 1},
    {"nHFE_PagetoPrint", AT(nHFE_PagetoPrint), kNameByte, 1},
    {"nHFE_TextColor", AT(nHFE_TextColor), kNameI16, 2},
    {"bCopyProtect", AT(bCopyProtect), kNameByte, 1},
    {"bStamp", AT(bStamp), kNameByte, 1},
    {"nStampType", AT(nStampType), kNameByte, 1},
    {"nFixedStamp", AT(nFixedStamp), kNameByte, 1},
    {"nRecordStamp", AT(nRecordStamp), kNameByte, 1},
    {"bTimeDate", AT(bTimeDate), kNameByte, 1},
    {"nDateFormat", AT(nDateFormat), kNameByte, 1},
    {"nTimeFormat", AT(nTimeFormat), kNameByte, 1},
    {"nPattern", AT(nPattern), kNameByte, 1},
    {"nPatternSize", AT(nPatternSize), kNameByte, 1},
    {"nAngle", AT(nAngle), kNameI16, 2},
    {"bSerialNo", AT(bSerialNo), kNameByte, 1},
    {"bDistributionNumber", AT(bDistributionNumber), kNameByte, 1},
    {"bJobNumber", AT(bJobNumber), kNameByte, 1},
    {"bCompositeMethod", AT(bCompositeMethod), kNameByte, 1},
    {"nCPE_CP_Placement", AT(nCPE_CP_Placement), kNameByte, 1},
    {"nCPE_SS_Placement", AT(nCPE_SS_Placement), kNameByte, 1},
    {"nBackPattern", AT(nBackPattern), kNameByte, 1},
    {"nCPE_CP_Color", AT(nCPE_CP_Color), kNameI16, 2},
    {"nCPE_CP_Density", AT(nCPE_CP_Density), kNameI16, 2},
    {"nCPE_CP_Contrast", AT(nCPE_CP_Contrast), kNameI16, 2},
    {"nCPE_SS_Color", AT(nCPE_SS_Color), kNameI16, 2},
    {"nCPE_SS_Density", AT(nCPE_SS_Density), kNameI16, 2},
    {"DateTimePageNo.bDateTime", AT(DateTimePageNo_bDateTime), kNameByte, 1},
    {"DateTimePageNo.nDT_PagetoPrint", AT(DateTimePageNo_nDT_PagetoPrint), kNameI16, 2},
    {"DateTimePageNo.nDT_Color", AT(DateTimePageNo_nDT_Color), kNameI16, 2},
    {"DateTimePageNo.nDT_Position", AT(DateTimePageNo_nDT_Position), kNameI16, 2},
    {"DateTimePageNo.bPageNo", AT(DateTimePageNo_bPageNo), kNameByte, 1},
    {"DateTimePageNo.nPN_StartPage", AT(DateTimePageNo_nPN_StartPage), kNameU32, 4},
    {"DateTimePageNo.nPN_StartNum", AT(DateTimePageNo_nPN_StartNum), kNameU32, 4},
    {"DateTimePageNo.bPN_PrintCoverCK", AT(DateTimePageNo_bPN_PrintCoverCK), kNameByte, 1},
    {"DateTimePageNo.nPN_PrintCover", AT(DateTimePageNo_nPN_PrintCover), kNameI16, 2},
    {"DateTimePageNo.nPN_PrintNumColor", AT(DateTimePageNo_nPN_PrintNumColor), kNameI16, 2},
    {"DateTimePageNo.nPN_PrintNumPos", AT(DateTimePageNo_nPN_PrintNumPos), kNameI16, 2},
    {"CP_DateTime.wDateFormat", AT(CP_DateTime_wDateFormat), kNameU16, 2},
    {"CP_DateTime.bTimeFormat", AT(CP_DateTime_bTimeFormat), kNameU32, 4},
    {"CP_DateTime.wTimeFormat", AT(CP_DateTime_wTimeFormat), kNameU16, 2},
    {"DPE_DateTime.wDateFormat", AT(DPE_DateTime_wDateFormat), kNameU16, 2},
    {"DPE_DateTime.bTimeFormat", AT(DPE_DateTime_bTimeFormat), kNameU32, 4},
    {"DPE_DateTime.wTimeFormat", AT(DPE_DateTime_wTimeFormat), kNameU16, 2},
    {"dwStartNumber", AT(dwStartNumber), kNameU32, 4},
    {"bDigit", AT(bDigit), kNameU32, 4},
    {"bOverlay", AT(bOverlay), kNameByte, 1},
    {"nFormListPos", AT(nFormListPos), kNameI16, 2},
    {"bCreateForm", AT(bCreateForm), kNameByte, 1},
    {"szOvlFname_PS", AT(szOvlFname_PS), kNameText, 41},
    {"dwOvlSrcType", AT(dwOvlSrcType), kNameU32, 4},
    {"nOverlay", AT(nOverlay), kNameByte, 1},
    {"nFormLaying", AT(nFormLaying), kNameByte, 1},
    {"nColorMode", AT(nColorMode), kNameByte, 1},
    {"nColorMatch", AT(nColorMatch), kNameByte, 1},
    {"ColorAdjustMFP.nMatchSettings", AT(ColorAdjustMFP_nMatchSettings), kNameByte, 1},
    {"ColorAdjustMFP.nMatchType", AT(ColorAdjustMFP_nMatchType), kNameByte, 1},
    {"ColorAdjustMFP.MatchAll.nType", AT(ColorAdjustMFP_MatchAll_nType), kNameByte, 1},
    {"ColorAdjustMFP.MatchAll.nBrightness", AT(ColorAdjustMFP_MatchAll_nBrightness), kNameByte, 1},
    {"ColorAdjustMFP.MatchAll.nContrast", AT(ColorAdjustMFP_MatchAll_nContrast), kNameByte, 1},
    {"ColorAdjustMFP.MatchAll.nSaturation", AT(ColorAdjustMFP_MatchAll_nSaturation), kNameByte, 1},
    {"ColorAdjustMFP.BalanceAll.nCyan", AT(ColorAdjustMFP_BalanceAll_nCyan), kNameByte, 1},
    {"ColorAdjustMFP.BalanceAll.nMagenta", AT(ColorAdjustMFP_BalanceAll_nMagenta), kNameByte, 1},
    {"ColorAdjustMFP.BalanceAll.nYellow", AT(ColorAdjustMFP_BalanceAll_nYellow), kNameByte, 1},
    {"ColorAdjustMFP.BalanceAll.nBlack", AT(ColorAdjustMFP_BalanceAll_nBlack), kNameByte, 1},
    {"ColorAdjustMFP.OthersAll.nPureBlack", AT(ColorAdjustMFP_OthersAll_nPureBlack), kNameByte, 1},
    {"ColorAdjustMFP.OthersAll.nScreen", AT(ColorAdjustMFP_OthersAll_nScreen), kNameByte, 1},
    {"ColorAdjustMFP.OthersAll.nSmoothing", AT(ColorAdjustMFP_OthersAll_nSmoothing), kNameByte, 1},
    {"ColorAdjustMFP.EachText.Match.nType", AT(ColorAdjustMFP_EachText_Match_nType), kNameByte, 1},
    {"ColorAdjustMFP.EachText.Match.nBrightness", AT(ColorAdjustMFP_EachText_Match_nBrightness), kNameByte, 1},
    {"ColorAdjustMFP.EachText.Match.nContrast", AT(ColorAdjustMFP_EachText_Match_nContrast), kNameByte, 1},
    {"ColorAdjustMFP.EachText.Match.nSaturation", AT(ColorAdjustMFP_EachText_Match_nSaturation), kNameByte, 1},
    {"ColorAdjustMFP.EachText.Balance.nCyan", AT(ColorAdjustMFP_EachText_Balance_nCyan), kNameByte, 1},
    {"ColorAdjustMFP.EachText.Balance.nMagenta", AT(ColorAdjustMFP_EachText_Balance_nMagenta), kNameByte, 1},
    {"ColorAdjustMFP.EachText.Balance.nYellow", AT(ColorAdjustMFP_EachText_Balance_nYellow), kNameByte, 1},
    {"ColorAdjustMFP.EachText.Balance.nBlack", AT(ColorAdjustMFP_EachText_Balance_nBlack), kNameByte, 1},
    {"ColorAdjustMFP.EachText.Others.nPureBlack", AT(ColorAdjustMFP_EachText_Others_nPureBlack), kNameByte, 1},
    {"ColorAdjustMFP.EachText.Others.nScreen", AT(ColorAdjustMFP_EachText_Others_nScreen), kNameByte, 1},
    {"ColorAdjustMFP.EachText.Others.nSmoothing", AT(ColorAdjustMFP_EachText_Others_nSmoothing), kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Match.nType", AT(ColorAdjustMFP_EachPhoto_Match_nType), kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Match.nBrightness", AT(ColorAdjustMFP_EachPhoto_Match_nBrightness), kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Match.nContrast", AT(ColorAdjustMFP_EachPhoto_Match_nContrast), kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Match.nSaturation", AT(ColorAdjustMFP_EachPhoto_Match_nSaturation), kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Balance.nCyan", AT(ColorAdjustMFP_EachPhoto_Balance_nCyan), kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Balance.nMagenta", AT(ColorAdjustMFP_EachPhoto_Balance_nMagenta), kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Balance.nYellow", AT(ColorAdjustMFP_EachPhoto_Balance_nYellow), kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Balance.nBlack", AT(ColorAdjustMFP_EachPhoto_Balance_nBlack), kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Others.nPureBlack", AT(ColorAdjustMFP_EachPhoto_Others_nPureBlack), kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Others.nScreen", AT(ColorAdjustMFP_EachPhoto_Others_nScreen), kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Others.nSmoothing", AT(ColorAdjustMFP_EachPhoto_Others_nSmoothing), kNameByte, 1},
    {"ColorAdjustMFP.EachEtc.nMatchBalance", AT(ColorAdjustMFP_EachEtc_nMatchBalance), kNameByte, 1},
    {"ColorAdjustMFP.EachEtc.nScreenSmooth", AT(ColorAdjustMFP_EachEtc_nScreenSmooth), kNameByte, 1},
    {"nMonoDensity", AT(nMonoDensity), kNameByte, 1},
    {"nMonoBrightness", AT(nMonoBrightness), kNameByte, 1},
    {"nMonoContrast", AT(nMonoContrast), kNameByte, 1},
    {"nSelectTwoColors", AT(nSelectTwoColors), kNameByte, 1},
    {"ColorICM.nMethod", AT(ColorICM_nMethod), kNameByte, 1},
    {"ColorICM.nIntent", AT(ColorICM_nIntent), kNameByte, 1},
    {"byResolution", AT(byResolution), kNameByte, 1},
    {"nResoH", AT(nResoH), kNameI16, 2},
    {"nResoV", AT(nResoV), kNameI16, 2},
    {"nResoHV", AT(nResoHV), kNameI16, 2},
    {"nResoBit", AT(nResoBit), kNameI16, 2},
    {"nColorPattern", AT(nColorPattern), kNameByte, 1},
    {"nCompressMode", AT(nCompressMode), kNameByte, 1},
    {"bGlossyMode", AT(bGlossyMode), kNameByte, 1},
    {"bTonerSave", AT(bTonerSave), kNameByte, 1},
    {"bPoint4Char", AT(bPoint4Char), kNameByte, 1},
    {"bDiminBarcode", AT(bDiminBarcode), kNameByte, 1},
    {"bColorSeparation", AT(bColorSeparation), kNameByte, 1},
    {"bSmoothing", AT(bSmoothing), kNameByte, 1},
    {"nSmoothing", AT(nSmoothing), kNameByte, 1},
    {"bDraftPrint", AT(bDraftPrint), kNameByte, 1},
    {"bThinning", AT(bThinning), kNameByte, 1},
    {"nThinning", AT(nThinning), kNameByte, 1},
    {"bPrintBlack", AT(bPrintBlack), kNameByte, 1},
    {"nPrintBlack", AT(nPrintBlack), kNameByte, 1},
    {"bEdgeType", AT(bEdgeType), kNameByte, 1},
    {"nEdgeType", AT(nEdgeType), kNameByte, 1},
    {"ColorImage.nColorChg", AT(ColorImage_nColorChg), kNameByte, 1},
    {"ColorImage.nScreen", AT(ColorImage_nScreen), kNameByte, 1},
    {"ColorImage.nMkBlack", AT(ColorImage_nMkBlack), kNameByte, 1},
    {"ColorImage.nDestProfile", AT(ColorImage_nDestProfile), kNameByte, 1},
    {"ColorChar.nColorChg", AT(ColorChar_nColorChg), kNameByte, 1},
    {"ColorChar.nScreen", AT(ColorChar_nScreen), kNameByte, 1},
    {"ColorChar.nMkBlack", AT(ColorChar_nMkBlack), kNameByte, 1},
    {"ColorChar.nDestProfile", AT(ColorChar_nDestProfile), kNameByte, 1},
    {"ColorGraphics.nColorChg", AT(ColorGraphics_nColorChg), kNameByte, 1},
    {"ColorGraphics.nScreen", AT(ColorGraphics_nScreen), kNameByte, 1},
    {"ColorGraphics.nMkBlack", AT(ColorGraphics_nMkBlack), kNameByte, 1},
    {"ColorGraphics.nDestProfile", AT(ColorGraphics_nDestProfile), kNameByte, 1},
    {"nColorGraphics", AT(nColorGraphics), kNameByte, 1},
    {"nSimProfileMode", AT(nSimProfileMode), kNameI16, 2},
    {"SimProfile.szProfileName", AT(SimProfile_szProfileName), kNameWideText, 82},
    {"SimProfile.szDownloadName", AT(SimProfile_szDownloadName), kNameWideText, 82},
    {"SimProfile.dwSrcType", AT(SimProfile_dwSrcType), kNameU32, 4},
    {"nDestProfileMode", AT(nDestProfileMode), kNameI16, 2},
    {"DestProfile.szProfileName", AT(DestProfile_szProfileName), kNameWideText, 82},
    {"DestProfile.szDownloadName", AT(DestProfile_szDownloadName), kNameWideText, 82},
    {"DestProfile.dwSrcType", AT(DestProfile_dwSrcType), kNameU32, 4},
    {"dwProfSrcType", AT(dwProfSrcType), kNameU32, 4},
    {"nCommonRGBColor", AT(nCommonRGBColor), kNameI16, 2},
    {"nImageRGBColor", AT(nImageRGBColor), kNameI16, 2},
    {"nCharRGBColor", AT(nCharRGBColor), kNameI16, 2},
    {"nGraphicsRGBColor", AT(nGraphicsRGBColor), kNameI16, 2},
    {"CharRGBSc.szProfileName", AT(CharRGBSc_szProfileName), kNameWideText, 82},
    {"CharRGBSc.szDownloadName", AT(CharRGBSc_szDownloadName), kNameWideText, 82},
    {"CharRGBSc.dwSrcType", AT(CharRGBSc_dwSrcType), kNameU32, 4},
    {"ImageRGBSc.szProfileName", AT(ImageRGBSc_szProfileName), kNameWideText, 82},
    {"ImageRGBSc.szDownloadName", AT(ImageRGBSc_szDownloadName), kNameWideText, 82},
    {"ImageRGBSc.dwSrcType", AT(ImageRGBSc_dwSrcType), kNameU32, 4},
    {"GraphRGBSc.szProfileName", AT(GraphRGBSc_szProfileName), kNameWideText, 82},
    {"GraphRGBSc.szDownloadName", AT(GraphRGBSc_szDownloadName), kNameWideText, 82},
    {"GraphRGBSc.dwSrcType", AT(GraphRGBSc_dwSrcType), kNameU32, 4},
    {"nCharDestColor", AT(nCharDestColor), kNameI16, 2},
    {"nImageDestColor", AT(nImageDestColor), kNameI16, 2},
    {"nGraphDestColor", AT(nGraphDestColor), kNameI16, 2},
    {"CharDestSc.szProfileName", AT(CharDestSc_szProfileName), kNameWideText, 82},
    {"CharDestSc.szDownloadName", AT(CharDestSc_szDownloadName), kNameWideText, 82},
    {"CharDestSc.dwSrcType", AT(CharDestSc_dwSrcType), kNameU32, 4},
    {"ImageDestSc.szProfileName", AT(ImageDestSc_szProfileName), kNameWideText, 82},
    {"ImageDestSc.szDownloadName", AT(ImageDestSc_szDownloadName), kNameWideText, 82},
    {"ImageDestSc.dwSrcType", AT(ImageDestSc_dwSrcType), kNameU32, 4},
    {"GraphDestSc.szProfileName", AT(GraphDestSc_szProfileName), kNameWideText, 82},
    {"GraphDestSc.szDownloadName", AT(GraphDestSc_szDownloadName), kNameWideText, 82},
    {"GraphDestSc.dwSrcType", AT(GraphDestSc_dwSrcType), kNameU32, 4},
    {"bMatchPaperColor", AT(bMatchPaperColor), kNameByte, 1},
    {"nSimCMYKGray", AT(nSimCMYKGray), kNameI16, 2},
    {"nJpegCompressRatio", AT(nJpegCompressRatio), kNameByte, 1},
    {"nJpegSamplingRate", AT(nJpegSamplingRate), kNameByte, 1},
    {"nTTFont", AT(nTTFont), kNameByte, 1},
    {"nFontDownLoad", AT(nFontDownLoad), kNameByte, 1},
    {"SubFontEntryNum", AT(SubFontEntryNum), kNameU16, 2},
    {"bPPTRmvWhiteBkg", AT(bPPTRmvWhiteBkg), kNameU32, 4},
    {"bRectOutMode", AT(bRectOutMode), kNameByte, 1},
    {"FaxSetting.fgPrtRecFile", AT(faxSetting) + offsetof(FaxSetting, fgPrtRecFile), kNameByte, 1},
    {"FaxSetting.fgTimerSend", AT(faxSetting) + offsetof(FaxSetting, fgTimerSend), kNameByte, 1},
    {"FaxSetting.bySendHour", AT(faxSetting) + offsetof(FaxSetting, bySendHour), kNameByte, 1},
    {"FaxSetting.bySendMinute", AT(faxSetting) + offsetof(FaxSetting, bySendMinute), kNameByte, 1},
    {"FaxSetting.fgSubAddress", AT(faxSetting) + offsetof(FaxSetting, fgSubAddress), kNameByte, 1},
    {"FaxSetting.szSubAddress", AT(faxSetting) + offsetof(FaxSetting, szSubAddress), kNameWideText, 42},
    {"FaxSetting.fgSendID", AT(faxSetting) + offsetof(FaxSetting, fgSendID), kNameByte, 1},
    {"FaxSetting.szSendID", AT(faxSetting) + offsetof(FaxSetting, szSendID), kNameWideText, 42},
    {"FaxSetting.fgFaxCoverSheet", AT(faxSetting) + offsetof(FaxSetting, fgFaxCoverSheet), kNameByte, 1},
    {"nLowDensity", AT(nLowDensity), kNameByte, 1},
    {"sizServerPaper.cx", AT(sizServerPaper_cx), kNameI16, 2},
    {"sizServerPaper.cy", AT(sizServerPaper_cy), kNameI16, 2},
    {nullptr, 0, kNameByte, 0},
};

bool Applies(const FieldRow& row, const BindFieldsContext& ctx) {
  const uint32_t* f = ctx.model != nullptr ? ctx.model->features : nullptr;
  auto flag = [f](uint32_t which) { return f != nullptr && f[which] != 0; };
  const DocDMode* d = ctx.doc;
  const uint8_t object = DocByte(d, AT(ColorAdjustMFP_nMatchSettings));
  const uint8_t each = DocByte(d, AT(ColorAdjustMFP_nMatchType));
  switch (row.when) {
    case When::Always: return true;
    case When::Flag: return flag(row.arg);
    case When::NoFlag: return !flag(row.arg);
    case When::Unit0: return DocByte(d, row.arg) == 0;
    case When::Unit1: return DocByte(d, row.arg) == 1;
    case When::Unit0Flag: return DocByte(d, row.arg) == 0 && flag(row.flag);
    case When::Unit1Flag: return DocByte(d, row.arg) == 1 && flag(row.flag);
    case When::SetA: return object != 1;
    case When::SetB: return object == 1 && each != 1;
    case When::SetC: return object == 1 && each == 1;
    case When::IccOff: return !flag(kMfColorAdjustIccProf);
    case When::IccText: return flag(kMfColorAdjustIccProf) && (object != 1 || (each != 1 && each != 2));
    case When::IccPhoto: return flag(kMfColorAdjustIccProf) && object == 1 && each == 1;
    case When::IccFigure: return flag(kMfColorAdjustIccProf) && object == 1 && each == 2;
  }
  return false;
}

void Bind(FeatureEntry& row, void* field, uint32_t kind) {
  row.field = field;
  row.fieldKind = kind;
}

bool SameKeyword(const FeatureEntry& row, const char* keyword) {
  char k[33];
  FeatureKeyword(row, k, sizeof k);
  return QxdNameEquals(k, keyword);
}

// Step 6: the media keywords.
void BindMedia(const BindFieldsContext& ctx) {
  DocDMode* d = ctx.doc;
  const uint32_t* f = ctx.model != nullptr ? ctx.model->features : nullptr;
  auto flag = [f](uint32_t which) { return f != nullptr && f[which] != 0; };
  uint8_t* bytes = DocBytes(d);
  struct Target {
    const char* keyword;
    uint32_t offset;
    uint32_t kind;
  };
  std::vector<Target> targets;
  if (!flag(kMfMediaTypeDetail)) {
    targets.push_back({"MediaType", kDocMediaTypeAt, S});
    static const struct {
      const char* tray;
      const char* keyword;
    } kTrays[] = {{"InTray1", "MediaType_Tray1"}, {"InTray2", "MediaType_Tray2"}, {"InTray3", "MediaType_Tray3"},
                  {"InTray4", "MediaType_Tray4"}, {"InTrayLCT", "MediaType_LCT"},   {"InTrayManual", "MediaType_Manual"}};
    const DocFields& fields = Fields(*d);
    for (uint32_t i = 0; i < 10; ++i) {
      for (const auto& t : kTrays) {
        if (QxdFieldEquals(fields.PTInfoEach[i].szKey, sizeof fields.PTInfoEach[i].szKey, t.tray)) {
          targets.push_back({t.keyword, kDocTrayEntriesAt + i * kDocTrayEntrySize + kDocTrayEntryMediaTypeAt, S});
        }
      }
    }
  } else {
    const int32_t tray = DocI16(d, kDocInTrayAt);
    uint32_t entryAt = 0;
    bool found = false;
    if (ctx.paperDialogMode == 1 || tray == static_cast<int32_t>(kAutoTray)) {
      entryAt = DOC_FIELD_AT(PTInfoAuto);
      found = true;
    } else if (ctx.model != nullptr && ctx.model->inTrays != nullptr) {
      uint32_t n = 0;
      for (const InTrayEntry* row = ctx.model->inTrays; row->keyword[0] != '\0'; ++row) {
        if (row->binId == kAutoTray) continue;
        if (static_cast<int32_t>(row->binId) == tray) {
          found = n < 10;
          entryAt = kDocTrayEntriesAt + n * kDocTrayEntrySize;
          break;
        }
        ++n;
      }
    }
    if (found) {
      targets.push_back({"MediaType", entryAt + kDocTrayEntryMediaTypeAt, S});
      if (flag(kMfMediaWeight)) targets.push_back({"MediaWeight", entryAt + static_cast<uint32_t>(offsetof(TrayMediaEntry, nPaperWeight)), S});
      if (flag(kMfMediaColor)) targets.push_back({"MediaColor", entryAt + static_cast<uint32_t>(offsetof(TrayMediaEntry, nPaperColor)), S});
      if (flag(kMfMediaPrePunched)) {
        targets.push_back({"MediaPrePunched", entryAt + static_cast<uint32_t>(offsetof(TrayMediaEntry, nPaperPrePunched)), B});
      }
    }
  }
  for (FeatureEntry* row = ctx.table; row->keyword[0] != 0; ++row) {
    if (row->deviceDependent != 0) continue;
    for (const Target& t : targets) {
      if (SameKeyword(*row, t.keyword)) Bind(*row, bytes + t.offset, t.kind);
    }
  }
}

}  // namespace

const DocFieldName* DocFieldNames() { return kNames; }

const DocFieldName* FindDocFieldName(const char* name) {
  for (const DocFieldName* n = kNames; n->name != nullptr; ++n) {
    if (QxdNameEquals(n->name, name)) return n;
  }
  return nullptr;
}

void BindFeatureFields(const BindFieldsContext& ctx) {
  FeatureEntry* table = ctx.table;
  if (table == nullptr) return;
  for (FeatureEntry* row = table; row->keyword[0] != 0; ++row) {
    row->field = nullptr;
    row->fieldKind = 0;
    if (row->deviceRow != 0) row->available = 0;
  }
  const bool docs = ctx.doc != nullptr && ctx.passMode == -1;
  const bool fourEdges = ctx.model != nullptr && ctx.model->features[kMfBindingEdge4] != 0;
  if (fourEdges && ctx.doc != nullptr) AdjustBindingEdgeFeatures(ctx.model, ctx.doc, table);

  if (docs) {
    uint8_t* bytes = DocBytes(ctx.doc);
    const uint8_t object = DocByte(ctx.doc, AT(ColorAdjustMFP_nMatchSettings));
    const uint8_t each = DocByte(ctx.doc, AT(ColorAdjustMFP_nMatchType));
    const uint32_t set = object != 1 ? kSetA : (each != 1 ? kSetB : kSetC);
    const char* edge = "BindingEdge_MFP";
    if (fourEdges) {
      const int side = GetBindingSide(ctx.doc);
      edge = side == 0 ? "BindingEdge_PRN_Portrait" : side == 1 ? "BindingEdge_PRN_Landscape" : "BindingEdge_MFP";
    }
    for (FeatureEntry* row = table; row->keyword[0] != 0; ++row) {
      if (row->deviceDependent != 0) continue;
      if (SameKeyword(*row, edge)) Bind(*row, bytes + kDocBindingEdgeAt, B);
      // The colour set first: the plain rows that follow it in the map
      // ("ColAdj_Brightness" and "ColAdj_Contrast") take the final say.
      for (uint32_t k = 0; k < 11; ++k) {
        if (SameKeyword(*row, kColourSet[k].keyword)) Bind(*row, bytes + set + k, kColourSet[k].kind);
      }
      for (const FieldRow& f : kDocRows) {
        if (SameKeyword(*row, f.keyword) && Applies(f, ctx)) Bind(*row, bytes + f.offset, f.kind);
      }
    }
    BindMedia(ctx);
  }

  if (ctx.device != nullptr) {
    uint8_t* bytes = reinterpret_cast<uint8_t*>(ctx.device);
    for (FeatureEntry* row = table; row->keyword[0] != 0; ++row) {
      if (row->deviceRow != 0) {
        char k[33];
        FeatureKeyword(*row, k, sizeof k);
        for (uint32_t i = 0; ctx.deviceOptions != nullptr && ctx.deviceOptions[i].keyword[0] != '\0'; ++i) {
          if (!QxdNameEquals(ctx.deviceOptions[i].keyword, k)) continue;
          if (i < kDevOptionMaxOptions) {
            Bind(*row, &ctx.device->optionValues[i], W);
            row->available = 1;
          }
          break;
        }
        continue;
      }
      if (row->deviceDependent != 0) continue;
      for (const FieldRow& f : kDeviceRows) {
        if (SameKeyword(*row, f.keyword)) {
          Bind(*row, bytes + f.offset, f.kind);
          row->available = 1;
        }
      }
      for (const char* k : kAvailableWithoutField) {
        if (SameKeyword(*row, k)) row->available = 1;
      }
    }
  }

  if (ctx.selectedUserPaper != nullptr) {
    for (FeatureEntry* row = table; row->keyword[0] != 0; ++row) {
      if (row->deviceDependent != 0) continue;
      if (SameKeyword(*row, "Paper_Width")) {
        Bind(*row, &ctx.selectedUserPaper->width, W);
        row->available = 1;
      } else if (SameKeyword(*row, "Paper_Length")) {
        Bind(*row, &ctx.selectedUserPaper->length, W);
        row->available = 1;
      }
    }
  }
}

// The storage kinds are those of the constraint rules (rule_expression.h).
int32_t ReadFeatureValue(const FeatureEntry& row) { return ReadStoredValue(row.field, row.fieldKind); }

void WriteFeatureValue(const FeatureEntry& row, int32_t value) { WriteStoredValue(row.field, row.fieldKind, value); }
