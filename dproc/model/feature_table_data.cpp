// The built-in vocabulary of the feature table: the feature keywords in
// table order, the option tables, and the control table that ties each
// feature to a dialog control.  Written compactly and expanded into rows on
// first use (feature_table.cpp).
#include "dproc/model/feature_table_data.h"

namespace featuredata {

// The 200 feature keywords, in table order.
const char* const kFeatureKeywords[] = {
    "PaperSize", "OutPaperSize", "MediaType", "InTray", "Resolution", "DeviceOption", "Orientation", "Zoom",
    "JobOffset", "PaperOption1", "PaperOption2", "FullBleed", "JobName", "HidePassword", "ServerSetting",
    "Nup", "Nup_op", "Combination", "DoubleSides", "AdhesiveBind", "BindingEdge", "BindingShift",
    "ImageShift", "Rotate180", "SaveBlankPaper", "Chapter", "NupStyle", "BorderLine", "BorderLine_op",
    "PosterMarginLine", "BookletBorder", "BindShift_Mode", "BindShift_Same", "BindShift_Unit",
    "ImgShiftMFP_Setup", "ImgShiftMFP_FrontH_op", "ImgShiftMFP_FrontV_op", "ImgShiftMFP_BackH_op",
    "ImgShiftMFP_BackV_op", "ImgShiftMFP_Auto", "ImgShiftMFP_Unit", "PrintPosition", "Staple", "HolePunch",
    "CenterStaple", "CenterErase", "Folding", "Trim", "DivideOutput", "PileMode", "Tandem", "PerfectBinding",
    "PBCoverMode", "PBCoverTray", "PBCoverDuplex", "PBCoverTriming", "PerfectBinding_Unit",
    "TABImageShift_Unit", "FrontCover", "FrontCover_op", "BackCover", "BackCover_op", "SeparatePage",
    "SeparatePage_op", "OHP_Interleave", "PerPageSetting", "PIFrontCover", "PIBackCover",
    "PerPageListTabPaper", "PerPageListStapleEnd", "PerPageListHolePunch", "Overlay", "Overlay_op",
    "Ovl_Pages", "Ovl_Placement", "Ovl_Create", "Watermark", "Watermark_op", "WM_Transparent", "WM_FirstPage",
    "WM_Repeat", "HeaderFooter", "CopyProtect", "WM_Sharing", "WM_Style", "WM_Color", "WM_Box",
    "HF_Numbering", "HF_Type", "HF_PagetoPrint", "HF_Color", "HF_DateTime", "HF_DatePagetoPrint",
    "HF_PageNumber", "HF_PrintPage", "HFE_SelectDevSetting", "HFE_PrintHeader", "HFE_PrintFooter",
    "HFE_PagetoPrint", "HFE_TextColor", "CP_StampText", "CP_StampType", "CP_FixedStamp_op",
    "CP_RegistStamp_op", "CP_DateTime", "CP_Date", "CP_Time", "CP_SerialNumber", "CP_Color", "CP_Pattern",
    "CP_PatternSize", "CP_PatternOverWrite", "CP_Angle", "CPE_DistributionNumber", "DPE_DateTime",
    "DPE_DateTimePagetoPrint", "DPE_PageNumber", "SelectColor_RB", "ColorSetting", "Dnst_TonerSave",
    "Dnst_DraftPrint", "Smoothing", "Thinning", "PrintWithBlack", "PrintWithBlack_op", "Point4Character",
    "DiminBarcode", "ColorSeparation", "SelectColor", "TwoColors", "Pattern", "ImageCompression",
    "GlossyMode", "ColAdj_Object", "ColAdj_EachObject_op", "ColAdj_ColorMatchType", "ColAdj_PureBlack",
    "ColAdj_Screen", "ColAdj_Smoothing", "ColAdj_MatchBalance", "ColAdj_ScreenSmooth", "ColAdj_RGBProf",
    "ColAdj_DestinationProf", "ColAdj_SimulationProf", "ColAdj_MatchPaperColor", "ColAdj_Simu_CMYKGray",
    "FontDownload", "FontSubstitute", "ICM_Method", "ICM_Intent", "Img_RGBProf", "Img_RGBColorMatch",
    "Img_RGBGray", "Img_Halftone", "Text_RGBProf", "Text_RGBColorMatch", "Text_RGBGray", "Text_Halftone",
    "Graph_RGBProf", "Graph_RGBColorMatch", "Graph_RGBGray", "Graph_Halftone", "Img_Edge", "Text_Edge",
    "Graph_Edge", "SimulationProf", "DestinationProf", "MatchPaperColor", "Simu_CMYKGray", "RGBProf",
    "Img_Destination", "Text_Destination", "Graph_Destination", "Graphics", "UserAuthentication",
    "AccountTrack", "DepartmentPassword", "UserAuthentication_RB", "EncryptionKey", "EMFSpool",
    "DisplayConstMsg", "UseServerForm", "VerifyAuthentic", "PopupAuthenticDlg", "Paper_Unit",
    "CPE_CompositeMethod", "CPE_SS_Color", "DateTime", "PageNumber", "DPE_DateTimeColor", "DPE_PageNumColor",
    "FcsCoverSize", "FcsBStyle", "FcsBSelectForm", "FcsRStandard", "FtpRecipentList", "FtpECM",
    "FtpIntTransMode", "FtpV34", "Numbering",
};
static_assert(sizeof kFeatureKeywords / sizeof kFeatureKeywords[0] == kFeatureKeywordCount);

// Features with the two options "<keyword>OFF" 0 and "<keyword>ON" 1.
const char* const kOnOffFeatures[] = {
    "JobOffset", "PaperOption1", "PaperOption2", "FullBleed", "HidePassword", "Nup", "Combination",
    "AdhesiveBind", "BindingShift", "ImageShift", "Rotate180", "SaveBlankPaper", "Chapter", "BorderLine",
    "PosterMarginLine", "BookletBorder", "BindShift_Same", "ImgShiftMFP_Auto", "Staple", "HolePunch",
    "CenterStaple", "CenterErase", "Folding", "Trim", "DivideOutput", "PileMode", "Tandem", "PerfectBinding",
    "PBCoverDuplex", "PBCoverTriming", "FrontCover", "BackCover", "SeparatePage", "OHP_Interleave",
    "PIFrontCover", "PIBackCover", "Overlay", "Ovl_Create", "Watermark", "WM_Transparent", "WM_FirstPage",
    "WM_Repeat", "HeaderFooter", "CopyProtect", "HF_Numbering", "HF_DateTime", "HF_PageNumber",
    "HFE_PrintHeader", "HFE_PrintFooter", "CP_StampText", "CP_DateTime", "CP_SerialNumber", "DPE_DateTime",
    "DPE_PageNumber", "Dnst_TonerSave", "Dnst_DraftPrint", "Smoothing", "Thinning", "PrintWithBlack",
    "Point4Character", "DiminBarcode", "ColorSeparation", "GlossyMode", "ColAdj_MatchPaperColor",
    "FontSubstitute", "Img_Edge", "Text_Edge", "Graph_Edge", "MatchPaperColor", "UserAuthentication",
    "AccountTrack", "DepartmentPassword", "EncryptionKey", "EMFSpool", "VerifyAuthentic", "DateTime",
    "PageNumber", "Numbering",
};
static_assert(sizeof kOnOffFeatures / sizeof kOnOffFeatures[0] == kOnOffFeatureCount);

// The other option tables: "keyword=value" in table order.
const OptionTableText kOptionTables[] = {
    {"Orientation", "Portrait=1 Landscape=2"},
    {"Zoom", "ZoomAuto=1 ZoomManual=0"},
    {"JobName", "JobNameAuto=0 JobNameCustom=1"},
    {"ServerSetting",
     "Server01=1 Server02=2 Server03=3 Server04=4 Server05=5 Server06=6 Server07=7 "
     "Server08=8 Server09=9 Server10=10 Server11=11 Server12=12 Server13=13 Server14=14 "
     "Server15=15 Server16=16 Server17=17 Server18=18 Server19=19 Server20=20"},
    {"Nup_op", "2up=1 4up=2 6up=3 9up=4 16up=5 2x2=7 3x3=8 4x4=9"},
    {"DoubleSides", "Simplex=1 Duplex=2 Booklet=3"},
    {"BindingEdge",
     "LongEdgeLeft=0 LongEdgeRight=1 LongEdgeTop=2 LongEdgeBottom=3 ShortEdgeLeft=4 "
     "ShortEdgeRight=5 ShortEdgeTop=6 ShortEdgeBottom=7 AutoBinding=14 LeftBinding=15 "
     "RightBinding=16 TopBinding=17 LongEdge=12 ShortEdge=13"},
    {"NupStyle",
     "LeftToRight=0 RightToLeft=1 TopToBottom=2 BottomToTop=3 UpperLeft_Rows=4 "
     "UpperLeft_Colum=5 UpperRight_Rows=6 UpperRight_Colum=7"},
    {"BorderLine_op", "BorderLine_Frame=1 BorderLine_Line=2"},
    {"BindShift_Mode", "BindShift_Parallel=0 BindShift_Auto=1"},
    {"BindShift_Unit", "BindShift_MM=0 BindShift_Inch=1"},
    {"ImgShiftMFP_Setup", "ImgShiftMFP_Driver=0 ImgShiftMFP_Printer=1"},
    {"ImgShiftMFP_FrontH_op", "ImgShiftMFP_FrontL=0 ImgShiftMFP_FrontR=1"},
    {"ImgShiftMFP_FrontV_op", "ImgShiftMFP_FrontT=0 ImgShiftMFP_FrontB=1"},
    {"ImgShiftMFP_BackH_op", "ImgShiftMFP_BackL=0 ImgShiftMFP_BackR=1"},
    {"ImgShiftMFP_BackV_op", "ImgShiftMFP_BackT=0 ImgShiftMFP_BackB=1"},
    {"ImgShiftMFP_Unit", "ImgShiftMFP_MM=0 ImgShiftMFP_Inch=1"},
    {"PrintPosition", "PrnPos_TopEdge=0 PrnPos_Center=1 PrnPos_BackEdge=2"},
    {"PBCoverMode", "Cover_Blank=1 Cover_Print_1=2 Cover_Print_2=3 Cover_Print_3=4"},
    {"PBCoverTray",
     "Cover_Tray_1=1 Cover_Tray_2=2 Cover_Tray_3=3 Cover_Tray_4=4 Cover_Tray_5=5 "
     "Cover_Tray_6=6 Cover_Tray_7=7 Cover_Tray_8=8 Cover_Tray_PI1=9 Cover_Tray_PI2=10 "
     "Cover_Tray_PI3=11 Cover_Tray_PI4=12 Cover_Tray_PI5=13 Cover_Tray_PB=14"},
    {"PerfectBinding_Unit", "PerfectBinding_MM=0 PerfectBinding_Inch=1"},
    {"TABImageShift_Unit", "TABImageShift_MM=0 TABImageShift_Inch=1"},
    {"FrontCover_op", "Blank_FCover=1 Print_S_FCover=2 Print_D_FCover=3"},
    {"BackCover_op", "Blank_BCover=1 Print_S_BCover=2 Print_D_BCover=3"},
    {"SeparatePage_op", "HeaderEachJob=1 HeaderEachCopy=2 TrailerEachCopy=3"},
    {"PerPageSetting", "PerPageOFF=0 PerPageON=1"},
    {"PerPageListTabPaper", "PPSTabNotUse=0 PPSTabUse=1"},
    {"PerPageListStapleEnd", "PPSStapling_OFF=0 PPSStapling_ON=1"},
    {"PerPageListHolePunch", "PPSHolePunchSameAsBody=255 PPSHolePunch_OFF=0 PPSHolePunch_ON=1"},
    {"PerPageTabPosition", "TabContinue=0"},
    {"TabTextOrientation", "TabNormal=0 TabFlipped=1 Tabvertical=2"},
    {"TabTextPositionV", "TabCenterV=1 TabTop=0 TabBottom=2"},
    {"TabTextPositionH", "TabCenterH=1 TabRight=2 TabLeft=0"},
    {"TabTextFontStyle", "TabTextRegular=0 TabTextBold=1 TabTextItalic=2 TabTextBoldItalic=3"},
    {"TabPaperNumofTab",
     "TabNumber2=2 TabNumber3=3 TabNumber4=4 TabNumber5=5 TabNumber6=6 TabNumber7=7 TabNumber8=8 "
     "TabNumber9=9 TabNumber10=10 TabNumber11=11 TabNumber12=12 TabNumber13=13 TabNumber14=14 TabNumber15=15"},
    {"Overlay_op", "Ovl_None=0"},
    {"Ovl_Pages", "Ovl_AllPage=2 Ovl_FirstPage=3 Ovl_EvenPage=4 Ovl_OddPage=5"},
    {"Ovl_Placement", "Ovl_Back=0 Ovl_Front=1"},
    {"Watermark_op", "WM_None=0"},
    {"WM_Sharing", "WM_Public=1 WM_Private=0"},
    {"WM_Style", "WM_Style_R=1 WM_Style_I=2 WM_Style_B=3 WM_Style_BI=4"},
    {"WM_Color",
     "WM_Red=255 WM_Yellow=65535 WM_Blue=16711680 WM_Green=65280 WM_Magenta=16711935 "
     "WM_Cyan=16776960 WM_Black=0 WM_ColorSetting=4294967295"},
    {"WM_Box", "WM_NoBox=1 WM_Circle=2 WM_Square=3"},
    {"HF_Type", "Type_Stamp=0 Type_WM=1"},
    {"HF_PagetoPrint", "NumAllPages=0 1stPageOnly=1"},
    {"HF_Color", "NumberingColor_Black=0 NumberingColor_Red=1 NumberingColor_Blue=2"},
    {"HF_DatePagetoPrint", "DateAllPages=0 DateFCoverOnly=1"},
    {"HF_PrintPage", "PageAllPages=0 PageNotFCover=1 PageNotFBCover=2"},
    {"HFE_SelectDevSetting",
     "HFE_DevSetting01=1 HFE_DevSetting02=2 HFE_DevSetting03=3 HFE_DevSetting04=4 "
     "HFE_DevSetting05=5 HFE_DevSetting06=6 HFE_DevSetting07=7 HFE_DevSetting08=8 "
     "HFE_DevSetting09=9 HFE_DevSetting10=10 HFE_DevSetting11=11 HFE_DevSetting12=12 "
     "HFE_DevSetting13=13 HFE_DevSetting14=14 HFE_DevSetting15=15 HFE_DevSetting16=16 "
     "HFE_DevSetting17=17 HFE_DevSetting18=18 HFE_DevSetting19=19 HFE_DevSetting20=20"},
    {"HFE_PagetoPrint", "HFE_AllPages=0 HFE_1stPageOnly=1"},
    {"HFE_TextColor",
     "HFE_Black=1 HFE_Red=2 HFE_Green=3 HFE_Blue=4 HFE_Yellow=5 HFE_Magenta=6 HFE_Cyan=7"},
    {"CP_StampType", "CP_FixedStamp=0 CP_RecordStamp=1"},
    {"CP_FixedStamp_op",
     "FixedDuplication=1 FixedCopy=2 FixedInvalidity=3 FixedSecret=4 FixedConfidential=5 "
     "FixedDraft=6 FixedTopSecret=7 FixedAttention=8"},
    {"CP_RegistStamp_op",
     "RecordStamp_101=1 RecordStamp_102=2 RecordStamp_103=3 RecordStamp_104=4 "
     "RecordStamp_105=5 RecordStamp_106=6 RecordStamp_107=7 RecordStamp_108=8"},
    {"CP_Date", "DateYYMMDD=0 DateMDDYYYY=1 DateMMDDYY=2 DateDDMYYYY=3 DateDDMMYY=4"},
    {"CP_Time", "TimeNone=0 TimeHMMI=1 TimeHHMM=2"},
    {"CP_Color", "ProtectBlack=1 ProtectMagenta=6 ProtectCyan=7"},
    {"CP_Pattern", "PatternFloat=0 PatternWhiteOut=1"},
    {"CP_PatternSize", "PatternSizeS=0 PatternSizeN=1 PatternSizeL=3"},
    {"CP_PatternOverWrite", "PatternOW_ON=0 PatternOW_OFF=1"},
    {"CP_Angle", "AngleP45=0 Angle0=1 AngleM45=2"},
    {"CPE_DistributionNumber", "CPE_DistributionNumOFF=0 CPE_DistributionNumON=1"},
    {"CPE_CompositeMethod", "CPE_CopyProtect=1 CPE_Stamp=0"},
    {"CPE_SS_Color", "CPE_SS_Black=1 CPE_SS_Magenta=6 CPE_SS_Cyan=7"},
    {"CPE_SS_Color/Edit", "CPE_SS_Black=1 CPE_SS_Magenta=6 CPE_SS_Cyan=7"},
    {"CPE_SS_Placement", "CPE_SS_Front=0 CPE_SS_Back=1"},
    {"CPE_CP_Color", "CPE_CP_Black=1 CPE_CP_Magenta=6 CPE_CP_Cyan=7"},
    {"CPE_CP_Color/Edit", "CPE_CP_Black=1 CPE_CP_Magenta=6 CPE_CP_Cyan=7"},
    {"CPE_CP_Effect", "CPE_CP_EmbossText=0 CPE_CP_EmbossBackground=1"},
    {"CPE_CP_Placement", "CPE_CP_Front=0 CPE_CP_Back=1"},
    {"CPE_CP_Pattern",
     "CPE_CP_Pattern1=1 CPE_CP_Pattern2=2 CPE_CP_Pattern3=3 CPE_CP_Pattern4=4 CPE_CP_Pattern5=5 "
     "CPE_CP_Pattern6=6 CPE_CP_Pattern7=7 CPE_CP_Pattern8=8"},
    {"CPE_TextSize", "CPE_TextSize_Small=0 CPE_TextSize_Normal=1 CPE_TextSize_Large=3"},
    {"CPE_TextAngle", "CPE_TextAngle_P45=0 CPE_TextAngle_0=1 CPE_TextAngle_M45=2"},
    {"DPE_DateTimePagetoPrint", "DPE_DateTimeAllPages=1 DPE_DateTime1stPageOnly=2"},
    {"DPE_DateTimeColor",
     "DPE_DateTimeBlack=1 DPE_DateTimeRed=2 DPE_DateTimeGreen=3 DPE_DateTimeBlue=4 "
     "DPE_DateTimeYellow=5 DPE_DateTimeMagenta=6 DPE_DateTimeCyan=7"},
    {"DPE_PageNumColor",
     "DPE_PageNumBlack=1 DPE_PageNumRed=2 DPE_PageNumGreen=3 DPE_PageNumBlue=4 "
     "DPE_PageNumYellow=5 DPE_PageNumMagenta=6 DPE_PageNumCyan=7"},
    // Lists of the stamp and numbering dialogs that no feature names.
    {"DPE_DateTimePosition",
     "DPE_DateTimeTopLeft=1 DPE_DateTimeTop=2 DPE_DateTimeTopRight=3 DPE_DateTimeLeft=4 "
     "DPE_DateTimeCenter=5 DPE_DateTimeRight=6 DPE_DateTimeBottomLeft=7 DPE_DateTimeBottom=8 "
     "DPE_DateTimeBottomRight=9"},
    {"DPE_PageNumPrintCover", "DPE_PageNumPrintFBCover=1 DPE_PageNumPrintBCover=2"},
    {"DPE_PageNumPosition",
     "DPE_PageNumTopLeft=1 DPE_PageNumTop=2 DPE_PageNumTopRight=3 DPE_PageNumLeft=4 "
     "DPE_PageNumCenter=5 DPE_PageNumRight=6 DPE_PageNumBottomLeft=7 DPE_PageNumBottom=8 "
     "DPE_PageNumBottomRight=9"},
    {"NME_Type", "NME_Type_Stamp=0 NME_Type_WM=1"},
    {"NME_PagetoPrint", "NME_PTP_AllPages=0 NME_PTP_1stPageOnly=1"},
    {"SelectColor_RB", "FullColor=0 Grayscale=1"},
    {"SelectColor", "FullColor=0 Grayscale=1 2Color=2"},
    {"TwoColors", "BlackRed=0 BlackGreen=1 BlackBlue=2 BlackCyan=3 BlackMagenta=4 BlackYellow=5"},
    {"ColorSetting",
     "Color_Auto=0 Color_Doc=1 Color_Photo=2 Color_Presen=3 Color_DTP=4 Color_Web=5 "
     "Color_CAD=6 Color_ICM=7 Color_Custom=8"},
    {"PrintWithBlack_op", "PrnBk_TextAndGraphics=0 PrnBk_All=1"},
    {"Pattern", "Pattern_Fine=0 Pattern_Coarse=1"},
    {"ImageCompression", "Comp_DeltaRow=3 Comp_JPEG=4"},
    {"ColAdj_Object", "ColAdj_AllObject=0 ColAdj_EachObject=1"},
    {"ColAdj_EachObject_op", "CM_ObjectText=0 CM_ObjectPhoto=1 CM_ObjectFigure=2"},
    {"ColAdj_ColorMatchType", "CM_TypeAuto=0 CM_TypeVivid=1 CM_TypePhoto=2 CM_TypeColor=3"},
    {"ColAdj_PureBlack", "OT_Auto=0 OT_PureBlack_OFF=1 OT_PureBlack_ON=2"},
    {"ColAdj_Screen", "OT_ScreenAuto=0 OT_ScreenGrad=1 OT_ScreenReso=2 OT_ScreenHiReso=3"},
    {"ColAdj_Smoothing",
     "OT_SmoothAuto=0 OT_Smooth_OFF=1 OT_SmoothDark=2 OT_SmoothMedium=3 OT_SmoothLight=4"},
    {"ColAdj_MatchBalance", "Each_MB_Auto=1 Each_MB_Text=2 Each_MB_Photo=3"},
    {"ColAdj_ScreenSmooth", "Each_SS_Auto=1 Each_SS_Text=2 Each_SS_Photo=3"},
    {"ColAdj_RGBProf",
     "ColAdj_DeviceRGB=0 ColAdj_sRGB=1 ColAdj_AppleRGB=129 ColAdj_AdobeRGB1998=128 "
     "ColAdj_ColorMatchRGB=131 ColAdj_BlueAdjust=141 ColAdj_RGBProf_DL01=256 "
     "ColAdj_RGBProf_DL02=257 ColAdj_RGBProf_DL03=258 ColAdj_RGBProf_DL04=259 "
     "ColAdj_RGBProf_DL05=260 ColAdj_RGBProf_DL06=261 ColAdj_RGBProf_DL07=262 "
     "ColAdj_RGBProf_DL08=263 ColAdj_RGBProf_DL09=264 ColAdj_RGBProf_DL10=265"},
    {"ColAdj_DestinationProf",
     "ColAdj_DestAuto=0 ColAdj_DestProf_DL01=128 ColAdj_DestProf_DL02=129 "
     "ColAdj_DestProf_DL03=130 ColAdj_DestProf_DL04=131 ColAdj_DestProf_DL05=132 "
     "ColAdj_DestProf_DL06=133 ColAdj_DestProf_DL07=134 ColAdj_DestProf_DL08=135 "
     "ColAdj_DestProf_DL09=136 ColAdj_DestProf_DL10=137"},
    {"ColAdj_SimulationProf",
     "ColAdj_Simu_None=0 ColAdj_Simu_SWOP=1 ColAdj_Simu_Euroscale=2 "
     "ColAdj_Simu_CommercialPress=3 ColAdj_Simu_TOYO=4 ColAdj_Simu_DIC=5 "
     "ColAdj_SimuProf_DL01=128 ColAdj_SimuProf_DL02=129 ColAdj_SimuProf_DL03=130 "
     "ColAdj_SimuProf_DL04=131 ColAdj_SimuProf_DL05=132 ColAdj_SimuProf_DL06=133 "
     "ColAdj_SimuProf_DL07=134 ColAdj_SimuProf_DL08=135 ColAdj_SimuProf_DL09=136 "
     "ColAdj_SimuProf_DL10=137"},
    {"ColAdj_Simu_CMYKGray", "ColAdj_Simu_4Color=0 ColAdj_Simu_BandG=1 ColAdj_Simu_BlackOnly=2"},
    {"FontDownload", "FontDownloadAuto=0 OutlineDownload=1 BitmapDownload=2 NativeTTDownload=3"},
    // The device tools of the Configure sheet: 0 is the device's web page.
    {"Vistrel", "Vistrel_WebPage=0"},
    {"ICM_Method", "ICM_Host=2 ICM_Printer=3 ICM_PrinterCalib=4"},
    {"ICM_Intent", "ICM_Pictures=2 ICM_Graphics=1 ICM_Proof=3 ICM_Match=4"},
    {"Img_RGBProf", "Img_DeviceRGB=0 Img_sRGB=1"},
    {"Img_RGBColorMatch", "Img_Vivid=0 Img_Photographic=1 Img_Proof=2 Img_Match=3"},
    {"Img_RGBGray", "Img_4Color=0 Img_BandG=1 Img_BlackOnly=2"},
    {"Img_Halftone", "Img_UltraDetail=0 Img_Detail=1 Img_Smooth=2"},
    {"Text_RGBProf", "Text_DeviceRGB=0 Text_sRGB=1"},
    {"Text_RGBColorMatch", "Text_Vivid=0 Text_Photographic=1 Text_Proof=2 Text_Match=3"},
    {"Text_RGBGray", "Text_4Color=0 Text_BandG=1 Text_BlackOnly=2"},
    {"Text_Halftone", "Text_UltraDetail=0 Text_Detail=1 Text_Smooth=2"},
    {"Graph_RGBProf", "Graph_DeviceRGB=0 Graph_sRGB=1"},
    {"Graph_RGBColorMatch", "Graph_Vivid=0 Graph_Photographic=1 Graph_Proof=2 Graph_Match=3"},
    {"Graph_RGBGray", "Graph_4Color=0 Graph_BandG=1 Graph_BlackOnly=2"},
    {"Graph_Halftone",
     "Graph_HalftoneText=3 Graph_HalftoneImage=4 Graph_UltraDetail=0 Graph_Detail=1 "
     "Graph_Smooth=2"},
    {"SimulationProf",
     "Simu_None=0 Simu_SWOP=1 Simu_Euroscale=2 Simu_CommercialPress=3 Simu_TOYO=4 "
     "Simu_DIC=5"},
    {"Simu_CMYKGray", "Simu_4Color=0 Simu_BandG=1 Simu_BlackOnly=2"},
    {"RGBProf", "DeviceRGB=0 sRGB=1"},
    {"DestinationProf", "Dest_Auto=0"},
    {"Img_Destination", "Img_DestAuto=0"},
    {"Text_Destination", "Text_DestAuto=0"},
    {"Graph_Destination", "Graph_DestAuto=0"},
    {"Graphics", "Graph_MatchText=0 Graph_MatchImage=1"},
    {"UserAuthentication_RB", "PublicUser=0 RecipientUser=1"},
    {"DisplayConstMsg", "Off=0 On=1"},
    {"UseServerForm", "Off=0 On=1"},
    {"Paper_Unit", "Paper_MM=0 Paper_Inch=1"},
    {"FcsCoverSize",
     "FcsMatchOutputSize=0 FcsA4Portrait=1 FcsA5Portrait=2 FcsB4Portrait=3 FcsB5Portrait=4 "
     "FcsLetterPortrait=5 Fcs11x17Portrait=6 Fcs8KPortrait=7 Fcs16KPortrait=8"},
    {"FcsBStyle", "FcsBStyle00=0 FcsBStyle01=1 FcsBStyle02=2 FcsBStyle03=3"},
    {"FcsBSelectForm",
     "FcsBDateYMDH=0 FcsBDateYMDS=1 FcsBDateYMDP=2 FcsBDateMDYH=3 FcsBDateMDYS=4 "
     "FcsBDateMDYP=5 FcsBDateDMYH=6 FcsBDateDMYS=7 FcsBDateDMYP=8"},
    {"FcsRStandard", "FcsRAll=0 FcsRConcern=1 FcsRAllCustomers=2 FcsRAllMembers=3"},
    {"FtpRecipentList",
     "FtpListName=1 FtpListFAXNumber=2 FtpListCompany=3 FtpListDepartment=4 FtpListECM=5 "
     "FtpListIntTransMode=6 FtpListV34Mode=7"},
    {"FtpECM", "FtpECMON=1 FtpECMOFF=2"},
    {"FtpIntTransMode", "FtpIntTransModeON=1 FtpIntTransModeOFF=2"},
    {"FtpV34", "FtpV34ModeON=1 FtpV34ModeOFF=2"},
    // The booklet binding sides the booklet dialog offers, by orientation.
    {"BookletBinding_Port", "BookletLeft=1 BookletRight=2"},
    {"BookletBinding_Land", "BookletTop=3 BookletBottom=4"},
    // The edge types of the edge-type list; the job names them the same way.
    {"EdgeType_op", "EdgeB=0 EdgeC=1 EdgeD=2"},
};
const uint32_t kOptionTableCount = sizeof kOptionTables / sizeof kOptionTables[0];

// The tables that the binding-edge control takes by binding side.
const OptionTableText kBindingEdgeTables[] = {
    {"BindingEdge_PRN_Portrait", "LongEdgeLeft=0 LongEdgeRight=1 ShortEdgeTop=6 ShortEdgeBottom=7"},
    {"BindingEdge_PRN_Landscape", "LongEdgeTop=2 LongEdgeBottom=3 ShortEdgeLeft=4 ShortEdgeRight=5"},
    {"BindingEdge_MFP", "AutoBinding=14 LeftBinding=15 RightBinding=16 TopBinding=17"},
};

// Cover options of a model whose device prints the covers.
const OptionTableText kDeviceCoverTables[] = {
    {"FrontCover_op", "Blank_FCover_PJL=4 Print_FCover_PJL=5"},
    {"BackCover_op", "Blank_BCover_PJL=4 Print_BCover_PJL=5"},
};

// The N-up options as a plug-in host on Windows NT 4.0 is offered them:
// the same rows, a table of their own (start-up copies the first table's
// rows into it).
const OptionTableText kNupVariantTable = {"Nup_op/NT4", "2up=1 4up=2 6up=3 9up=4 16up=5 2x2=7 3x3=8 4x4=9"};

// The page orders offered by N-up layout kind: two pages side by side, two
// pages one above the other, and four or more pages in a grid.
const OptionTableText kNupOrderTables[3] = {
    {"NupStyle/LeftRight", "LeftToRight=0 RightToLeft=1"},
    {"NupStyle/TopBottom", "TopToBottom=2 BottomToTop=3"},
    {"NupStyle/Corners", "UpperLeft_Rows=4 UpperLeft_Colum=5 UpperRight_Rows=6 UpperRight_Colum=7"},
};

// The stamps of the copy-protect dialog: the fixed stamps, then the
// stamps registered on the device (their rows carry the registered mark).
const OptionTableText kStampTable = {
    "CPE_StringTYPE3_op",
    "CPE_InvalidCopy=1 CPE_COPY=2 CPE_Invalid=3 CPE_InternalUse=4 CPE_Confidential=5 CPE_DRAFT=6 "
    "CPE_TopSecret=7 CPE_IllegalCopy=8 CPE_MachineSetting1=1 CPE_MachineSetting2=2 CPE_MachineSetting3=3 "
    "CPE_MachineSetting4=4 CPE_MachineSetting5=5 CPE_MachineSetting6=6 CPE_MachineSetting7=7 "
    "CPE_MachineSetting8=8"};

// The date and time formats of the date/time format dialog, in list order.
const OptionTableText kDateTimeFormatTables[2] = {
    {"DateFormat",
     "DateFormat_YYMMDD=0 DateFormat_DDMYYYY=3 DateFormat_MDDYYYY=1 DateFormat_DDMMYY=4 DateFormat_MMDDYY=2"},
    {"TimeFormat", "TimeFormat_HMMI=1 TimeFormat_HHMM=2"},
};

// The control rows, grouped by the pages they live on: "feature=control"
// or "feature/option=control" for one radio button.
const ControlGroupText kControlGroups[] = {
    {"100",
     "OutputMethod=1138 UserSetting=1285 Orientation/Portrait=1020 "
     "Orientation/Landscape=1023 PaperSize=1000 OutPaperSize=1040 Zoom/ZoomAuto=1227 "
     "Zoom/ZoomManual=1228 ZoomValue=1033 Copies=1011 Collate=1014 JobOffset=1018 "
     "InTray=1006 PaperSettingAuto=1898 PaperSourceTraySetting=1287 PaperOption1=1193 "
     "PaperOption2=1194 AuthenticationSetting=2170"},
    {"100 130 164",
     "MediaType=1003"},
    {"130 164",
     "MediaType_Tray1=1003 MediaType_Tray2=1003 MediaType_Tray3=1003 "
     "MediaType_Tray4=1003 MediaType_LCT=1003 MediaType_Manual=1003 MediaWeight=1086 "
     "MediaColor=1091 MediaPrePunched=1094"},
    {"151",
     "UserPaper_Width=1336 UserPaper_Length=1337 OutUserPaper_Width=1336 "
     "OutUserPaper_Length=1337 UserPaper_Unit/UserPaper_MM=1240 "
     "UserPaper_Unit/UserPaper_Inch=1241"},
    {"130",
     "DevStatusCopy=1899"},
    {"132",
     "SecPassword=2027 SecurePrintId=1424 BoxFileName=1421 BoxNum=1419"},
    {"2171",
     "AuthenticationSVSetting=2174 Verify=2177"},
    {"2178",
     "ServerSetting=2180 TreeDomainName=2182 ExpenseCode=2184 ExpenseCodePassword=2186"},
    {"101",
     "Nup=1779 SetNupStyle=1124 Combination=1296 Combination_op=1031 Rotate180=1289 "
     "SaveBlankPaper=1290 Chapter=1294 DoubleSides=1286 AdhesiveBind=1230 "
     "DriverBooklet=1128 BindingEdge=1046 BindingShift=1288 SetBindingShift=1052 "
     "ImageShift=1291 SetImageShift=1212 PrintPositionSetting=1204"},
    {"101 116",
     "Nup_op=1025"},
    {"116",
     "NupStyle=1405 BorderLine=1837 BorderLine_op=1578 PosterMarginLine=1580 "
     "BookletBorder=1406"},
    {"134",
     "BookletBinding=1590"},
    {"117",
     "BindShift_Mode/BindShift_Parallel=1242 BindShift_Mode/BindShift_Auto=1243 "
     "BindShift_Front=1362 BindShift_Back=1365 BindShift_Same=1423 "
     "BindShift_Unit/BindShift_MM=1240 BindShift_Unit/BindShift_Inch=1241"},
    {"136",
     "ImgShiftMFP_Unit/ImgShiftMFP_MM=1240 ImgShiftMFP_Unit/ImgShiftMFP_Inch=1241 "
     "ImgShiftMFP_Setup/ImgShiftMFP_Driver=1244 "
     "ImgShiftMFP_Setup/ImgShiftMFP_Printer=1245 "
     "ImgShiftMFP_FrontH_op/ImgShiftMFP_FrontL=1246 "
     "ImgShiftMFP_FrontH_op/ImgShiftMFP_FrontR=1247 ImgShiftMFP_FrontH=1258 "
     "ImgShiftMFP_FrontV_op/ImgShiftMFP_FrontT=1248 "
     "ImgShiftMFP_FrontV_op/ImgShiftMFP_FrontB=1249 ImgShiftMFP_FrontV=1269 "
     "ImgShiftMFP_FrontI=1366 ImgShiftMFP_FrontO=1368 "
     "ImgShiftMFP_BackH_op/ImgShiftMFP_BackL=1250 "
     "ImgShiftMFP_BackH_op/ImgShiftMFP_BackR=1251 ImgShiftMFP_BackH=1265 "
     "ImgShiftMFP_BackV_op/ImgShiftMFP_BackT=1252 "
     "ImgShiftMFP_BackV_op/ImgShiftMFP_BackB=1253 ImgShiftMFP_BackV=1363 "
     "ImgShiftMFP_BackI=1369 ImgShiftMFP_BackO=1371 ImgShiftMFP_Auto=1607"},
    {"163",
     "PrintPosition/PrnPos_TopEdge=1892 PrintPosition/PrnPos_Center=1893 "
     "PrintPosition/PrnPos_BackEdge=1894"},
    {"110",
     "Staple=1026 Staple_op=1047 HolePunch=1029 HolePunch_op=1050 CenterStaple=1780 "
     "CenterErase=1781 OutputTray=1179 OutputOrder=1144 Folding=1037 Folding_op=1053 "
     "Trim=1044 DivideOutput=1182 DivideFinish=1184 PileMode=1183 Tandem=1055 "
     "PerfectBinding=2304 SetPerfectBinding=2305 TABImageShift=2306 "
     "SetTABImageShift=2307 PaperArrangement=2118"},
    {"113",
     "FrontCover=1148 FrontCover_op=1305 FCoverTray=1311 BackCover=1150 "
     "BackCover_op=1314 BCoverTray=1316 OHP_Interleave=1214 OHP_Interleave_op=1320 "
     "OHPIntTray=1322 PerPageSetting=1159 PerPageSetting_op=1222 PerPageEdit=1215 "
     "PIFrontCover=1216 PIFrontCover_op=1325 PIBackCover=1157 PIBackCover_op=1328"},
    {"137",
     "PerPageListName=1092 PerPageListNameEdit=1095 PerPageListAdd=1102 "
     "PerPageListDelete=1098 PerPageTabPaperSetting=1109 PerPageNumber=1614 "
     "PerPagePunchSetting=1107 PerPageStapleSetting=1100 PerPageSettingChange=1610 "
     "PerPageTabPosition=1676 PerPageCaption=1146 PerPageCaptionDetail=1620 "
     "PerPageSettingList=1539 PerPageListPrintType=1610 PerPageListTabPaper=1610 "
     "PerPageListPaperSrc=1610 PerPageListStaple=1610 PerPageListStapleEnd=1610 "
     "PerPageListHolePunch=1610"},
    {"138",
     "PerPageEditListName=1626"},
    {"139",
     "PerPagePunch=1050"},
    {"153",
     "PerPageStaple=1047"},
    {"140",
     "TabPaperPaperSize=1000 TabPaperNumofTab=1002 TabPaperSpaceAbove=1645 "
     "TabPaperSpaceBelow=1650 TabPaperGap=1654 TabPaperTextPosition=1656"},
    {"141",
     "TabTextOrientation=1664 TabTextPositionV=1665 TabTextPositionH=1004 "
     "TabTextFontName=1669 TabTextFontStyle=1671 TabTextFontSize=1672"},
    {"104",
     "Watermark=1208 Watermark_op=1280 WM_AddEdit=1255 HeaderFooter=1202 "
     "HeaderFooterDetail=1162 Numbering=2338 NumberingDetail=2339 CopyProtect=1164 "
     "CopyProtectDetail=1166 Overlay=1205 Overlay_op=1326 Ovl_Create=1276 "
     "Ovl_Browse=1277 Ovl_Info=1279 Ovl_Del=1278 Ovl_Pages=1272 Ovl_Placement=1275 "
     "DateTime=2113 PageNumber=2114"},
    {"111",
     "WM_Transparent=1056 WM_FirstPage=1054 WM_Repeat=1234 WM_Name=1677 WM_String=1678 "
     "WM_Add=1602 WM_Delete=1684 WM_Font=1350 WM_Style=1352 WM_Color=1351 WM_Size=1689 "
     "WM_Box=1692 WM_Pos_X=1443 WM_Pos_Y=1447 WM_Pos_Center=1342 WM_Angle=1344 "
     "WM_Sharing=1581"},
    {"142",
     "HF_Numbering=1579 HF_Type=1706 HF_PagetoPrint=1708 HF_StartNumber=1714 "
     "HF_Color=1039 HF_DateTime=1583 HF_DatePagetoPrint=1045 HF_PageNumber=1585 "
     "HF_PrintPage=1051 HF_StartPage=1370 HF_PageStartNumber=1372"},
    {"144",
     "CP_StampText=1720 CP_StampType/CP_FixedStamp=1721 "
     "CP_StampType/CP_RecordStamp=1722 CP_FixedStamp_op=1727 CP_RegistStamp_op=1709 "
     "CP_DateTime=1723 CP_SerialNumber=1726 CP_Color=1728 CP_Pattern=1731 "
     "CP_PatternSize=1736 CP_PatternOverWrite=1738 CP_Angle=1745"},
    {"127",
     "OvlForm_Add=1564 OvlForm_AddAll=1565 OvlForm_Remove=1566 OvlForm_New=1569 "
     "OvlForm_FileName=1572 OvlForm_FormName=1574 OvlForm_Location=1619"},
    {"105",
     "SelectColor=1833 TwoColors=1835 SelectColor_RB/FullColor=1060 "
     "SelectColor_RB/Grayscale=1061 ColorAdjustment=1295 ColorSetting=1028 "
     "Color_Detail=1007 Resolution=1013 Pattern=1307 ImageCompression=1300 "
     "GlossyMode=1298 Point4Character=2256 DiminBarcode=2258 ColorSeparation=1310 "
     "FontSetting=1301"},
    {"196",
     "Dnst_TonerSave=1009 Dnst_DraftPrint=2350 Smoothing=2344 Smoothing_op=2345 "
     "Thinning=2352 Thinning_op=2353 PrintWithBlack=2355 PrintWithBlack_op=2356"},
    {"146 147",
     "ColAdj_Brightness=1453 ColAdj_Contrast=1459 ColAdj_Saturation=1478 "
     "ColAdj_ColorMatchType=1744"},
    {"146",
     "ColAdj_Object/ColAdj_AllObject=1740 ColAdj_Object/ColAdj_EachObject=1741 "
     "ColAdj_EachObject_op=1739"},
    {"148",
     "ColAdj_Cyan=1756 ColAdj_Magenta=1761 ColAdj_Yellow=1771 ColAdj_Black=1487"},
    {"146 149",
     "ColAdj_PureBlack=1777 ColAdj_Screen=1748 ColAdj_Smoothing=1752"},
    {"146 162",
     "ColAdj_MatchBalance=1886 ColAdj_ScreenSmooth=1888"},
    {"125",
     "RGBProf=1634"},
    {"122 123 124 128",
     "Img_RGBProf=1504 Text_RGBProf=1509"},
    {"122 123 124 125 128",
     "Img_RGBColorMatch=1354 Img_Halftone=1332 Text_RGBColorMatch=1353 "
     "Text_RGBGray=1334 Text_Halftone=1330"},
    {"122 123 128",
     "Img_RGBGray=1335"},
    {"128",
     "Img_Destination=1599 Text_Destination=1592 Graph_RGBProf=1513 "
     "Graph_RGBColorMatch=1516 Graph_RGBGray=1519 Graph_Destination=1584 "
     "Graph_Halftone=1522"},
    {"122 123 124 125",
     "Graphics/Graph_MatchImage=1477 Graphics/Graph_MatchText=1475"},
    {"2506 2505",
     "Img_Edge=2509 Text_Edge=2510 Graph_Edge=2511"},
    {"129",
     "ICM_Method/ICM_Host=1355 ICM_Method/ICM_Printer=1356 "
     "ICM_Method/ICM_PrinterCalib=1357 ICM_Intent/ICM_Pictures=1358 "
     "ICM_Intent/ICM_Graphics=1359 ICM_Intent/ICM_Proof=1360 ICM_Intent/ICM_Match=1361"},
    {"121",
     "FontDownload=1491 FontSubstitute=1492 TrueTypeFont=1499 PrinterFont=1283"},
    {"161",
     "UserAuthentication=1866 UserAuthenticationSetting=1867 AccountTrack=1229 "
     "AccountTrackSetting=1220 DepartmentPassword=1875"},
    {"187",
     "EmailNotify=1218 EmailAddress=1880"},
    {"158",
     "UserAuthentication_RB/PublicUser=1871 UserAuthentication_RB/RecipientUser=1872 "
     "RecipientUserName=1874 RecipientPassword=2028"},
    {"160",
     "DepartmentName=1870 DepartmentPassword=2029"},
    {"156",
     "OptionSetting=1081 MediaTypeList_Tray=1844 MediaTypeInfoSetting=1847 "
     "RefreshOption=1062 AcquisitionSetting=1858 EncryptionKey=2187 "
     "EncryptionKey_op=2188 Vistrel=1841 StartUp=1842 VerifyAuthentic=2189 "
     "PopupAuthenticDlg=2190"},
    {"155 165 166",
     "MediaType_Size=1860 MediaType_Orientation=1862 MediaType_Paper=1003 "
     "MediaType_Weight=1086 MediaType_Color=1091 MediaType_Hole=1094"},
    {"154",
     "AutoAcquisition=1851 DestCustomize/DestPrinterPort=1852 "
     "DestCustomize/DestPrinterName=1855 DestPrinterName_op=1857"},
    {"157",
     "DisplayConstMsg=1106 UseServerForm=1238 FirstSheetAll=1864 HardSecurityMode=1863 "
     "EMFSpool=2266"},
    {"115",
     "CustomPaperList=1547 Paper_Add=1549 Paper_Del=1550 Paper_Name=1553 "
     "Paper_Width=1555 Paper_Length=1559 Paper_Unit/Paper_MM=1240 "
     "Paper_Unit/Paper_Inch=1241"},
    {"168",
     "EditEasy_Sharing=1904 EditEasy_Import=1911"},
    {"167",
     "SaveEasy_Sharing=1904"},
    {"2145",
     "CPE_CompositeMethod/CPE_CopyProtect=2147 CPE_CompositeMethod/CPE_Stamp=2148"},
    {"2103 2145",
     "CPE_SS_Color=2105"},
    {"2055",
     "DPE_DateTimeColor=2064 DPE_PageNumStartPage=2240 DPE_PageNumStartNum=2241 "
     "DPE_DateTime=2237 DPE_DateTimePagetoPrint=2238 DPE_PageNumber=2239 "
     "DPE_PageNumColor=2080"},
    {"2126",
     "CPE_DistributionNumber=2135"},
    {"189",
     "ColAdj_RGBProf=2268 ColAdj_DestinationProf=2270 ColAdj_SimulationProf=2273 "
     "ColAdj_MatchPaperColor=2274 ColAdj_Simu_CMYKGray=2276"},
    {"2308",
     "PBCoverMode=2311 PBCoverTray=2313 PBCoverDuplex=2314 PBCoverTriming=2315 "
     "PBSpinWidth=2319"},
};
const uint32_t kControlGroupCount = sizeof kControlGroups / sizeof kControlGroups[0];

}  // namespace featuredata
