#include "dproc/model/feature_fields.h"

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
    {"nOrientation", 64, kNameByte, 1},
    {"nPaperSize", 66, kNameI16, 2},
    {"sizPaper.cx", 68, kNameI16, 2},
    {"sizPaper.cy", 70, kNameI16, 2},
    {"rcMargin.left", 72, kNameI16, 2},
    {"rcMargin.top", 74, kNameI16, 2},
    {"rcMargin.right", 76, kNameI16, 2},
    {"rcMargin.bottom", 78, kNameI16, 2},
    {"byUnitInUserDefPaper", 80, kNameByte, 1},
    {"sizInUserDefPaperMM.cx", 81, kNameI16, 2},
    {"sizInUserDefPaperMM.cy", 83, kNameI16, 2},
    {"sizInUserDefPaperIN.cx", 88, kNameU32, 4},
    {"sizInUserDefPaperIN.cy", 92, kNameU32, 4},
    {"nOutPaperSize", 96, kNameI16, 2},
    {"sizOutPaper.cx", 98, kNameI16, 2},
    {"sizOutPaper.cy", 100, kNameI16, 2},
    {"byUnitOutUserDefPaper", 102, kNameByte, 1},
    {"sizOutUserDefPaperMM.cx", 103, kNameI16, 2},
    {"sizOutUserDefPaperMM.cy", 105, kNameI16, 2},
    {"sizOutUserDefPaperIN.cx", 108, kNameU32, 4},
    {"sizOutUserDefPaperIN.cy", 112, kNameU32, 4},
    {"bScaleAuto", 116, kNameByte, 1},
    {"nScale", 118, kNameI16, 2},
    {"nDefaultSource", 120, kNameI16, 2},
    {"nMediaType", 122, kNameI16, 2},
    {"PTInfoAuto.szKey", 124, kNameText, 32},
    {"PTInfoAuto.nValue", 156, kNameU32, 4},
    {"PTInfoAuto.nPaperType2", 160, kNameI16, 2},
    {"PTInfoAuto.nPaperWeight", 162, kNameI16, 2},
    {"PTInfoAuto.nPaperColor", 164, kNameI16, 2},
    {"PTInfoAuto.nPaperPrePunched", 166, kNameByte, 1},
    {"nCopies", 598, kNameU16, 2},
    {"bCollate", 600, kNameByte, 1},
    {"bJobOffset", 601, kNameByte, 1},
    {"nPrintPosition", 602, kNameByte, 1},
    {"nOutputMethod", 603, kNameByte, 1},
    {"bPaperOption1", 775, kNameByte, 1},
    {"bPaperOption2", 776, kNameByte, 1},
    {"bUserAuth", 777, kNameByte, 1},
    {"nBoxHoldType", 778, kNameByte, 1},
    {"szVQUserName", 779, kNameText, 193},
    {"szVQUserKey", 972, kNameText, 73},
    {"bAccountTrack", 1045, kNameByte, 1},
    {"szVQSectionName", 1046, kNameText, 9},
    {"szVQSectionKey", 1055, kNameText, 17},
    {"bNup", 1242, kNameByte, 1},
    {"nNup", 1243, kNameByte, 1},
    {"nPageLayout", 1244, kNameByte, 1},
    {"bNupBorder_ui", 1245, kNameByte, 1},
    {"bPageBorder", 1246, kNameByte, 1},
    {"nPosterMarginLine", 1247, kNameByte, 1},
    {"bRotate180", 1248, kNameByte, 1},
    {"bStopBlankPaper", 1249, kNameByte, 1},
    {"bChapterMode", 1250, kNameByte, 1},
    {"szChapterPage", 1251, kNameText, 161},
    {"nDuplex", 1412, kNameByte, 1},
    {"bMusenToji", 1413, kNameByte, 1},
    {"nBookletOrder", 1414, kNameByte, 1},
    {"bBookletBorder", 1415, kNameByte, 1},
    {"bPrintOrder", 1416, kNameByte, 1},
    {"byNupPages", 1417, kNameByte, 1},
    {"byNupOrder", 1418, kNameByte, 1},
    {"bNupBorder", 1419, kNameByte, 1},
    {"byPosterPages", 1420, kNameByte, 1},
    {"bPosterBorder", 1421, kNameByte, 1},
    {"byBookletOrder", 1422, kNameByte, 1},
    {"wBookletSheets", 1424, kNameU16, 2},
    {"wBookletMargin", 1426, kNameU16, 2},
    {"bBinding", 1428, kNameByte, 1},
    {"nBinding", 1429, kNameByte, 1},
    {"bBindingSame", 1430, kNameByte, 1},
    {"byBindingUnit", 1431, kNameByte, 1},
    {"nBindingUp", 1432, kNameI16, 2},
    {"nBindingDown", 1434, kNameI16, 2},
    {"nBindingUp_Inch", 1436, kNameI16, 2},
    {"nBindingDown_Inch", 1438, kNameI16, 2},
    {"nBindingMode", 1440, kNameByte, 1},
    {"bImgShift", 1441, kNameByte, 1},
    {"byImageShiftUnit", 1442, kNameByte, 1},
    {"nImgShiftSetting", 1443, kNameByte, 1},
    {"ImgShiftFronSide.byHShift", 1444, kNameByte, 1},
    {"ImgShiftFronSide.byVShift", 1445, kNameByte, 1},
    {"ImgShiftFronSide.nX", 1446, kNameI16, 2},
    {"ImgShiftFronSide.nY", 1448, kNameI16, 2},
    {"ImgShiftFronSide.nInterval", 1450, kNameI16, 2},
    {"ImgShiftFronSide.nOffset", 1452, kNameI16, 2},
    {"ImgShiftFronSide.nX_Inch", 1454, kNameI16, 2},
    {"ImgShiftFronSide.nY_Inch", 1456, kNameI16, 2},
    {"ImgShiftFronSide.nInterval_Inch", 1458, kNameI16, 2},
    {"ImgShiftFronSide.nOffset_Inch", 1460, kNameI16, 2},
    {"ImgShiftBackSide.byHShift", 1462, kNameByte, 1},
    {"ImgShiftBackSide.byVShift", 1463, kNameByte, 1},
    {"ImgShiftBackSide.nX", 1464, kNameI16, 2},
    {"ImgShiftBackSide.nY", 1466, kNameI16, 2},
    {"ImgShiftBackSide.nInterval", 1468, kNameI16, 2},
    {"ImgShiftBackSide.nOffset", 1470, kNameI16, 2},
    {"ImgShiftBackSide.nX_Inch", 1472, kNameI16, 2},
    {"ImgShiftBackSide.nY_Inch", 1474, kNameI16, 2},
    {"ImgShiftBackSide.nInterval_Inch", 1476, kNameI16, 2},
    {"ImgShiftBackSide.nOffset_Inch", 1478, kNameI16, 2},
    {"bImgShiftBackAuto", 1480, kNameByte, 1},
    {"nFrontImgShiftGap", 1482, kNameI16, 2},
    {"nFrontImgShiftOutOfs", 1484, kNameI16, 2},
    {"nBackImgShiftGap", 1486, kNameI16, 2},
    {"nBackImgShiftOutOfs", 1488, kNameI16, 2},
    {"bStaple", 1490, kNameByte, 1},
    {"nStapleMode", 1491, kNameByte, 1},
    {"bPunch", 1492, kNameByte, 1},
    {"nPunchNum", 1493, kNameByte, 1},
    {"nOutBin", 1494, kNameI16, 2},
    {"nOutputMode", 1496, kNameByte, 1},
    {"bCenterStapleFold", 1497, kNameByte, 1},
    {"bCenterErase", 1498, kNameByte, 1},
    {"bFolding", 1499, kNameByte, 1},
    {"nFoldingMode", 1500, kNameByte, 1},
    {"bTrim", 1501, kNameByte, 1},
    {"bLayout", 1502, kNameByte, 1},
    {"nLayoutMode", 1503, kNameByte, 1},
    {"bPageLoop", 1504, kNameByte, 1},
    {"nPageLoopNum", 1506, kNameI16, 2},
    {"bPileMode", 1508, kNameByte, 1},
    {"bTandem", 1509, kNameByte, 1},
    {"bPaperArrangement", 1512, kNameByte, 1},
    {"bFrontCover", 1528, kNameByte, 1},
    {"nFrontCoverMode", 1529, kNameByte, 1},
    {"nFrontCoverTray", 1530, kNameI16, 2},
    {"bBackCover", 1532, kNameByte, 1},
    {"nBackCoverMode", 1533, kNameByte, 1},
    {"nBackCoverTray", 1534, kNameI16, 2},
    {"bOHP", 1536, kNameByte, 1},
    {"nOHPMode", 1537, kNameByte, 1},
    {"nOHPTray", 1538, kNameI16, 2},
    {"CoverMFP.bPIFCover", 1540, kNameByte, 1},
    {"CoverMFP.nPIFCoverTray", 1541, kNameI16, 2},
    {"CoverMFP.bPIBCover", 1545, kNameByte, 1},
    {"CoverMFP.nPIBCoverTray", 1546, kNameI16, 2},
    {"CoverMFP.bUsePerPageSet", 1550, kNameByte, 1},
    {"CoverMFP.nPerPageList", 1551, kNameI16, 2},
    {"bWmk", 1553, kNameByte, 1},
    {"wWmkListPos", 1554, kNameU16, 2},
    {"WmkInfo.szKey", 1556, kNameText, 32},
    {"WmkInfo.szWmkTitle", 1588, kNameWideText, 64},
    {"WmkInfo.szWmkStr", 1652, kNameWideText, 258},
    {"WmkInfo.szFontName", 1910, kNameWideText, 64},
    {"WmkInfo.nStyle", 1974, kNameI16, 2},
    {"WmkInfo.wSize", 1976, kNameU16, 2},
    {"WmkInfo.crColor", 1978, kNameU32, 4},
    {"WmkInfo.nAngle", 1982, kNameI16, 2},
    {"WmkInfo.ptWmkPos.x", 1984, kNameU32, 4},
    {"WmkInfo.ptWmkPos.y", 1988, kNameU32, 4},
    {"WmkInfo.ptStrPOS.x", 1992, kNameU32, 4},
    {"WmkInfo.ptStrPOS.y", 1996, kNameU32, 4},
    {"WmkInfo.wFrame", 2000, kNameU16, 2},
    {"WmkInfo.bBkGrnd", 2002, kNameByte, 1},
    {"WmkInfo.bFstPg", 2003, kNameByte, 1},
    {"WmkInfo.bMultiStamp", 2004, kNameByte, 1},
    {"bHeadFooter", 2005, kNameByte, 1},
    {"bNumbering", 2006, kNameByte, 1},
    {"nNumberingType", 2007, kNameByte, 1},
    {"nNumberingDensity", 2008, kNameByte, 1},
    {"nNumberingColor", 2009, kNameByte, 1},
    {"nNumberingMode", 2010, kNameByte, 1},
    {"nNumberingStartNum", 2012, kNameI16, 2},
    {"bDateStamp", 2014, kNameByte, 1},
    {"nDateStampType", 2015, kNameByte, 1},
    {"nDateStampMode", 2016, kNameByte, 1},
    {"bPageStamp", 2017, kNameByte, 1},
    {"nPageStampMode", 2018, kNameByte, 1},
    {"nPageStampStartPage", 2020, kNameI16, 2},
    {"nPageStampStartNum", 2022, kNameI16, 2},
    {"nHFE_DevSetting", 2024, kNameI16, 2},
    {"bHFE_PrintHeader", 2026, kNameByte, 1},
    {"bHFE_PrintFooter", 2027, kNameByte, 1},
    {"dwHFE_StartNumber", 2028, kNameU32, 4},
    {"bHFE_Digit", 2032, kNameByte, 1},
    {"nHFE_PagetoPrint", 2033, kNameByte, 1},
    {"nHFE_TextColor", 2034, kNameI16, 2},
    {"bCopyProtect", 2036, kNameByte, 1},
    {"bStamp", 2037, kNameByte, 1},
    {"nStampType", 2038, kNameByte, 1},
    {"nFixedStamp", 2039, kNameByte, 1},
    {"nRecordStamp", 2040, kNameByte, 1},
    {"bTimeDate", 2041, kNameByte, 1},
    {"nDateFormat", 2042, kNameByte, 1},
    {"nTimeFormat", 2043, kNameByte, 1},
    {"nPattern", 2044, kNameByte, 1},
    {"nPatternSize", 2045, kNameByte, 1},
    {"nAngle", 2046, kNameI16, 2},
    {"bSerialNo", 2048, kNameByte, 1},
    {"bDistributionNumber", 2049, kNameByte, 1},
    {"bJobNumber", 2050, kNameByte, 1},
    {"bCompositeMethod", 2051, kNameByte, 1},
    {"nCPE_CP_Placement", 2052, kNameByte, 1},
    {"nCPE_SS_Placement", 2053, kNameByte, 1},
    {"nBackPattern", 2054, kNameByte, 1},
    {"nCPE_CP_Color", 2056, kNameI16, 2},
    {"nCPE_CP_Density", 2058, kNameI16, 2},
    {"nCPE_CP_Contrast", 2060, kNameI16, 2},
    {"nCPE_SS_Color", 2062, kNameI16, 2},
    {"nCPE_SS_Density", 2064, kNameI16, 2},
    {"DateTimePageNo.bDateTime", 2066, kNameByte, 1},
    {"DateTimePageNo.nDT_PagetoPrint", 2067, kNameI16, 2},
    {"DateTimePageNo.nDT_Color", 2069, kNameI16, 2},
    {"DateTimePageNo.nDT_Position", 2071, kNameI16, 2},
    {"DateTimePageNo.bPageNo", 2073, kNameByte, 1},
    {"DateTimePageNo.nPN_StartPage", 2074, kNameU32, 4},
    {"DateTimePageNo.nPN_StartNum", 2078, kNameU32, 4},
    {"DateTimePageNo.bPN_PrintCoverCK", 2082, kNameByte, 1},
    {"DateTimePageNo.nPN_PrintCover", 2083, kNameI16, 2},
    {"DateTimePageNo.nPN_PrintNumColor", 2085, kNameI16, 2},
    {"DateTimePageNo.nPN_PrintNumPos", 2087, kNameI16, 2},
    {"CP_DateTime.wDateFormat", 2089, kNameU16, 2},
    {"CP_DateTime.bTimeFormat", 2091, kNameU32, 4},
    {"CP_DateTime.wTimeFormat", 2095, kNameU16, 2},
    {"DPE_DateTime.wDateFormat", 2097, kNameU16, 2},
    {"DPE_DateTime.bTimeFormat", 2099, kNameU32, 4},
    {"DPE_DateTime.wTimeFormat", 2103, kNameU16, 2},
    {"dwStartNumber", 2108, kNameU32, 4},
    {"bDigit", 2112, kNameU32, 4},
    {"bOverlay", 2116, kNameByte, 1},
    {"nFormListPos", 2118, kNameI16, 2},
    {"bCreateForm", 2120, kNameByte, 1},
    {"szOvlFname_PS", 2121, kNameText, 41},
    {"dwOvlSrcType", 2164, kNameU32, 4},
    {"nOverlay", 2168, kNameByte, 1},
    {"nFormLaying", 2169, kNameByte, 1},
    {"nColorMode", 2170, kNameByte, 1},
    {"nColorMatch", 2171, kNameByte, 1},
    {"ColorAdjustMFP.nMatchSettings", 2176, kNameByte, 1},
    {"ColorAdjustMFP.nMatchType", 2177, kNameByte, 1},
    {"ColorAdjustMFP.MatchAll.nType", 2178, kNameByte, 1},
    {"ColorAdjustMFP.MatchAll.nBrightness", 2179, kNameByte, 1},
    {"ColorAdjustMFP.MatchAll.nContrast", 2180, kNameByte, 1},
    {"ColorAdjustMFP.MatchAll.nSaturation", 2181, kNameByte, 1},
    {"ColorAdjustMFP.BalanceAll.nCyan", 2182, kNameByte, 1},
    {"ColorAdjustMFP.BalanceAll.nMagenta", 2183, kNameByte, 1},
    {"ColorAdjustMFP.BalanceAll.nYellow", 2184, kNameByte, 1},
    {"ColorAdjustMFP.BalanceAll.nBlack", 2185, kNameByte, 1},
    {"ColorAdjustMFP.OthersAll.nPureBlack", 2186, kNameByte, 1},
    {"ColorAdjustMFP.OthersAll.nScreen", 2187, kNameByte, 1},
    {"ColorAdjustMFP.OthersAll.nSmoothing", 2188, kNameByte, 1},
    {"ColorAdjustMFP.EachText.Match.nType", 2189, kNameByte, 1},
    {"ColorAdjustMFP.EachText.Match.nBrightness", 2190, kNameByte, 1},
    {"ColorAdjustMFP.EachText.Match.nContrast", 2191, kNameByte, 1},
    {"ColorAdjustMFP.EachText.Match.nSaturation", 2192, kNameByte, 1},
    {"ColorAdjustMFP.EachText.Balance.nCyan", 2193, kNameByte, 1},
    {"ColorAdjustMFP.EachText.Balance.nMagenta", 2194, kNameByte, 1},
    {"ColorAdjustMFP.EachText.Balance.nYellow", 2195, kNameByte, 1},
    {"ColorAdjustMFP.EachText.Balance.nBlack", 2196, kNameByte, 1},
    {"ColorAdjustMFP.EachText.Others.nPureBlack", 2197, kNameByte, 1},
    {"ColorAdjustMFP.EachText.Others.nScreen", 2198, kNameByte, 1},
    {"ColorAdjustMFP.EachText.Others.nSmoothing", 2199, kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Match.nType", 2200, kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Match.nBrightness", 2201, kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Match.nContrast", 2202, kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Match.nSaturation", 2203, kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Balance.nCyan", 2204, kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Balance.nMagenta", 2205, kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Balance.nYellow", 2206, kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Balance.nBlack", 2207, kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Others.nPureBlack", 2208, kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Others.nScreen", 2209, kNameByte, 1},
    {"ColorAdjustMFP.EachPhoto.Others.nSmoothing", 2210, kNameByte, 1},
    {"ColorAdjustMFP.EachEtc.nMatchBalance", 2211, kNameByte, 1},
    {"ColorAdjustMFP.EachEtc.nScreenSmooth", 2212, kNameByte, 1},
    {"nMonoDensity", 2213, kNameByte, 1},
    {"nMonoBrightness", 2214, kNameByte, 1},
    {"nMonoContrast", 2215, kNameByte, 1},
    {"nSelectTwoColors", 2216, kNameByte, 1},
    {"ColorICM.nMethod", 2217, kNameByte, 1},
    {"ColorICM.nIntent", 2218, kNameByte, 1},
    {"byResolution", 2219, kNameByte, 1},
    {"nResoH", 2220, kNameI16, 2},
    {"nResoV", 2222, kNameI16, 2},
    {"nResoHV", 2224, kNameI16, 2},
    {"nResoBit", 2226, kNameI16, 2},
    {"nColorPattern", 2228, kNameByte, 1},
    {"nCompressMode", 2229, kNameByte, 1},
    {"bGlossyMode", 2230, kNameByte, 1},
    {"bTonerSave", 2231, kNameByte, 1},
    {"bPoint4Char", 2232, kNameByte, 1},
    {"bDiminBarcode", 2233, kNameByte, 1},
    {"bColorSeparation", 2234, kNameByte, 1},
    {"bSmoothing", 2235, kNameByte, 1},
    {"nSmoothing", 2236, kNameByte, 1},
    {"bDraftPrint", 2237, kNameByte, 1},
    {"bThinning", 2238, kNameByte, 1},
    {"nThinning", 2239, kNameByte, 1},
    {"bPrintBlack", 2240, kNameByte, 1},
    {"nPrintBlack", 2241, kNameByte, 1},
    {"bEdgeType", 2242, kNameByte, 1},
    {"nEdgeType", 2243, kNameByte, 1},
    {"ColorImage.nColorChg", 2244, kNameByte, 1},
    {"ColorImage.nScreen", 2245, kNameByte, 1},
    {"ColorImage.nMkBlack", 2246, kNameByte, 1},
    {"ColorImage.nDestProfile", 2247, kNameByte, 1},
    {"ColorChar.nColorChg", 2248, kNameByte, 1},
    {"ColorChar.nScreen", 2249, kNameByte, 1},
    {"ColorChar.nMkBlack", 2250, kNameByte, 1},
    {"ColorChar.nDestProfile", 2251, kNameByte, 1},
    {"ColorGraphics.nColorChg", 2252, kNameByte, 1},
    {"ColorGraphics.nScreen", 2253, kNameByte, 1},
    {"ColorGraphics.nMkBlack", 2254, kNameByte, 1},
    {"ColorGraphics.nDestProfile", 2255, kNameByte, 1},
    {"nColorGraphics", 2256, kNameByte, 1},
    {"nSimProfileMode", 2258, kNameI16, 2},
    {"SimProfile.szProfileName", 2260, kNameWideText, 82},
    {"SimProfile.szDownloadName", 2342, kNameWideText, 82},
    {"SimProfile.dwSrcType", 2424, kNameU32, 4},
    {"nDestProfileMode", 2432, kNameI16, 2},
    {"DestProfile.szProfileName", 2434, kNameWideText, 82},
    {"DestProfile.szDownloadName", 2516, kNameWideText, 82},
    {"DestProfile.dwSrcType", 2598, kNameU32, 4},
    {"dwProfSrcType", 2608, kNameU32, 4},
    {"nCommonRGBColor", 2612, kNameI16, 2},
    {"nImageRGBColor", 2614, kNameI16, 2},
    {"nCharRGBColor", 2616, kNameI16, 2},
    {"nGraphicsRGBColor", 2618, kNameI16, 2},
    {"CharRGBSc.szProfileName", 2620, kNameWideText, 82},
    {"CharRGBSc.szDownloadName", 2702, kNameWideText, 82},
    {"CharRGBSc.dwSrcType", 2784, kNameU32, 4},
    {"ImageRGBSc.szProfileName", 2792, kNameWideText, 82},
    {"ImageRGBSc.szDownloadName", 2874, kNameWideText, 82},
    {"ImageRGBSc.dwSrcType", 2956, kNameU32, 4},
    {"GraphRGBSc.szProfileName", 2964, kNameWideText, 82},
    {"GraphRGBSc.szDownloadName", 3046, kNameWideText, 82},
    {"GraphRGBSc.dwSrcType", 3128, kNameU32, 4},
    {"nCharDestColor", 3136, kNameI16, 2},
    {"nImageDestColor", 3138, kNameI16, 2},
    {"nGraphDestColor", 3140, kNameI16, 2},
    {"CharDestSc.szProfileName", 3142, kNameWideText, 82},
    {"CharDestSc.szDownloadName", 3224, kNameWideText, 82},
    {"CharDestSc.dwSrcType", 3306, kNameU32, 4},
    {"ImageDestSc.szProfileName", 3314, kNameWideText, 82},
    {"ImageDestSc.szDownloadName", 3396, kNameWideText, 82},
    {"ImageDestSc.dwSrcType", 3478, kNameU32, 4},
    {"GraphDestSc.szProfileName", 3486, kNameWideText, 82},
    {"GraphDestSc.szDownloadName", 3568, kNameWideText, 82},
    {"GraphDestSc.dwSrcType", 3650, kNameU32, 4},
    {"bMatchPaperColor", 3661, kNameByte, 1},
    {"nSimCMYKGray", 3662, kNameI16, 2},
    {"nJpegCompressRatio", 3664, kNameByte, 1},
    {"nJpegSamplingRate", 3665, kNameByte, 1},
    {"nTTFont", 3666, kNameByte, 1},
    {"nFontDownLoad", 3667, kNameByte, 1},
    {"SubFontEntryNum", 5424, kNameU16, 2},
    {"bPPTRmvWhiteBkg", 5536, kNameU32, 4},
    {"bRectOutMode", 5540, kNameByte, 1},
    {"FaxSetting.fgPrtRecFile", 6010, kNameByte, 1},
    {"FaxSetting.fgTimerSend", 6011, kNameByte, 1},
    {"FaxSetting.bySendHour", 6012, kNameByte, 1},
    {"FaxSetting.bySendMinute", 6013, kNameByte, 1},
    {"FaxSetting.fgSubAddress", 6014, kNameByte, 1},
    {"FaxSetting.szSubAddress", 6016, kNameWideText, 42},
    {"FaxSetting.fgSendID", 6058, kNameByte, 1},
    {"FaxSetting.szSendID", 6060, kNameWideText, 42},
    {"FaxSetting.fgFaxCoverSheet", 6102, kNameByte, 1},
    {"nLowDensity", 7916, kNameByte, 1},
    {"sizServerPaper.cx", 7917, kNameI16, 2},
    {"sizServerPaper.cy", 7919, kNameI16, 2},
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
