#include "dproc/model/dialog_text_tables.h"

#include <cstring>
#include <vector>

namespace {

// A table with the dialog's own record: its caption keyword and its page
// or template id.  The dialogs add their controls' records.
#define CAPTION_TABLE(name, id, keyword) DispStringItem name[] = {{{id}, {}, keyword}, {{0}, {}, ""}}

CAPTION_TABLE(g_customSize, 151, "Dlg_UserPaper");

#undef CAPTION_TABLE

// The Configure sheet (and its fuller template 156); the option names are
// texts of the code.
DispStringItem g_configure[] = {
    {{177}, {}, "Prop_Configure"},
    {{1329}, {}, "DeviceOption"},
    {{1079}, {}, "OptionSetting"},
    {{1062}, {}, "RefreshOption"},
    {{1858}, {}, "AcquisitionSetting"},
    {{2187}, {}, "EncryptionKey"},
    {{1845}, {}, "MediaTypeInfo"},
    {{1847}, {}, "MediaTypeInfoSetting"},
    {{1840}, {}, "Vistrel"},
    {{1842}, {}, "StartUp"},
    {{0}, {}, ""},
};
// The Setting sheet: the printer's switches and the custom paper list.
DispStringItem g_settings[] = {
    {{184}, {}, "Prop_Settings"},
    {{2266}, {}, "EMFSpool"},
    {{1106}, {}, "DisplayConstMsg"},
    {{1238}, {}, "UseServerForm"},
    {{1864}, {}, "FirstSheetAll"},
    {{1863}, {}, "HardSecurityMode"},
    {{2189}, {}, "VerifyAuthentic"},
    {{2190}, {}, "PopupAuthenticDlg"},
    {{1232}, {}, "SetCustomPaper"},
    {{0}, {}, ""},
};
// The Acquisition Setting dialog.
DispStringItem g_acquisition[] = {
    {{154}, {}, "Dlg_AcquisitionSetting"},
    {{1851}, {}, "AutoAcquisition"},
    {{1853}, {}, "DestCustomize"},
    {{1852}, {}, "DestPrinterPort"},
    {{1855}, {}, "DestPrinterName"},
    {{0}, {}, ""},
};
// The Consumables dialog: the row labels, the state texts (texts of the
// code) and its buttons.
DispStringItem g_consumables[] = {
    {{152}, {}, "Dlg_Consumables"},
    {{1784}, {}, "Consumable1"},
    {{1788}, {}, "Consumable2"},
    {{1792}, {}, "Consumable3"},
    {{1796}, {}, "Consumable4"},
    {{1800}, {}, "Consumable5"},
    {{1804}, {}, "Consumable6"},
    {{1808}, {}, "Consumable7"},
    {{1812}, {}, "Consumable8"},
    {{1816}, {}, "Consumable9"},
    {{1820}, {}, "Consumable10"},
    {{1824}, {}, "Consumable11"},
    {{1828}, {}, "Consumable12"},
    {{kTextOnlyRecord}, {}, "ConsumReady"},
    {{kTextOnlyRecord}, {}, "ConsumNearFull"},
    {{kTextOnlyRecord}, {}, "ConsumFull"},
    {{kTextOnlyRecord}, {}, "ConsumNearEmpty"},
    {{kTextOnlyRecord}, {}, "ConsumEmpty"},
    {{1783}, {}, "Tarlo"},
    {{1782}, {}, "RefreshConsum"},
    {{2}, {}, "CloseConsumDlg"},
    {{0}, {}, ""},
};
// The Version sheet: the row names of its version list and its notices are
// texts of the code.
DispStringItem g_version[] = {
    {{106}, {}, "Prop_Version"},
    {{kTextOnlyRecord}, {}, "Version"},
    {{kTextOnlyRecord}, {}, "Version_Core"},
    {{kTextOnlyRecord}, {}, "Version_Sub"},
    {{kTextOnlyRecord}, {}, "Version_QXD"},
    {{kTextOnlyRecord}, {}, "Copyright1"},
    {{kTextOnlyRecord}, {}, "Copyright2"},
    {{kTextOnlyRecord}, {}, "Copyright3"},
    {{1176}, {}, "DriverInfo"},
    {{0}, {}, ""},
};
// The Quality sheets: the caption of both pages and the labels of the
// controls (those of colour models included; a template without the
// control ignores its row).
DispStringItem g_quality[] = {
    {{105, 196}, {}, "Prop_Quality"},   {{1292}, {}, "SelectColor_RB"},  {{1060}, {}, "FullColor"},
    {{1061}, {}, "Grayscale"},          {{1832}, {}, "SelectColor"},     {{1834}, {}, "TwoColors"},
    {{1295}, {}, "ColorAdjustment"},    {{1019}, {}, "ColorSetting"},    {{1007}, {}, "Color_Detail"},
    {{1165}, {}, "Resolution"},         {{1304}, {}, "Pattern"},         {{1299}, {}, "ImageCompression"},
    {{1298}, {}, "GlossyMode"},         {{1009}, {}, "Dnst_TonerSave"},  {{2350}, {}, "Dnst_DraftPrint"},
    {{2344}, {}, "Smoothing"},          {{2352}, {}, "Thinning"},        {{2355}, {}, "PrintWithBlack"},
    {{2256}, {}, "Point4Character"},    {{2258}, {}, "DiminBarcode"},    {{1310}, {}, "ColorSeparation"},
    {{1301}, {}, "FontSetting"},        {{0}, {}, ""},
};

// The Font Setting dialog; its last record only gives the text of a row
// without printer font.
DispStringItem g_fontSetting[] = {
    {{121}, {}, "Dlg_FontSetting"},     {{1490}, {}, "FontDownload"},    {{1492}, {}, "FontSubstitute"},
    {{1493}, {}, "FontSubTable"},       {{1494}, {}, "TrueTypeFontList"}, {{1495}, {}, "PrinterFontList"},
    {{1497}, {}, "EditFontSubTable"},   {{1498}, {}, "TrueTypeFont"},    {{1500}, {}, "PrinterFont"},
    {{0}, {}, "PrinterFontNotUse"},     {{0}, {}, ""},
};

// The Color Adjustment dialog of monochrome models.
DispStringItem g_colorAdjust[] = {
    {{197}, {}, "Dlg_ColorAdjust_T1"},     {{2357}, {}, "Dnst_Density"},
    {{1452}, {}, "ColAdj_Brightness"},     {{1458}, {}, "ColAdj_Contrast"},
    {{0}, {}, ""},
};

// The colour detail pages of a colour model's Quality sheet, one table for
// the five pages (each applies the records of its own controls).
DispStringItem g_colorDetail[] = {
    {{147}, {}, "ColAdj_ColMatching"},       {{1742}, {}, "ColAdj_ColorMatchType"},
    {{1452}, {}, "ColAdj_Brightness"},       {{1458}, {}, "ColAdj_Contrast"},
    {{1470}, {}, "ColAdj_Saturation"},       {{148}, {}, "ColAdj_ColBalance"},
    {{1754}, {}, "ColAdj_Cyan"},             {{1759}, {}, "ColAdj_Magenta"},
    {{1766}, {}, "ColAdj_Yellow"},           {{1481}, {}, "ColAdj_Black"},
    {{149}, {}, "ColAdj_ColOther"},          {{1776}, {}, "ColAdj_PureBlack"},
    {{1746}, {}, "ColAdj_Screen"},           {{1750}, {}, "ColAdj_Smoothing"},
    {{162}, {}, "Dummy"},                    {{1883}, {}, "ColAdj_MatchBalance"},
    {{1885}, {}, "ColAdj_ScreenSmooth"},     {{189}, {}, "ColAdj_IccProf"},
    {{2267}, {}, "ColAdj_RGBProf"},          {{2269}, {}, "ColAdj_DestinationProf"},
    {{2272}, {}, "ColAdj_SimulationProf"},   {{2274}, {}, "ColAdj_MatchPaperColor"},
    {{2275}, {}, "ColAdj_Simu_CMYKGray"},    {{0}, {}, ""},
};

// The Finish sheet: its caption, check boxes, labels and buttons.
DispStringItem g_finisher[] = {
    {{110}, {}, "Prop_Finisher"},
    {{1026}, {}, "Staple"},
    {{1029}, {}, "HolePunch"},
    {{1780}, {}, "CenterStaple"},
    {{1781}, {}, "CenterErase"},
    {{1037}, {}, "Folding"},
    {{1044}, {}, "Trim"},
    {{1182}, {}, "DivideOutput"},
    {{1021}, {}, "DivideFinish"},
    {{1186}, {}, "DivideFinishRange"},
    {{1177}, {}, "OutputTray"},
    {{1142}, {}, "OutputOrder"},
    {{1183}, {}, "PileMode"},
    {{1055}, {}, "Tandem"},
    {{2304}, {}, "PerfectBinding"},
    {{2305}, {}, "SetPerfectBinding"},
    {{2306}, {}, "TABImageShift"},
    {{2307}, {}, "SetTABImageShift"},
    {{2117}, {}, "PaperArrangement"},
    {{0}, {}, ""},
};
// The Cover Page sheet: its caption, check boxes, labels and button, and
// the names of the ten per-page lists (for a list that has none of its own).
DispStringItem g_coverPage[] = {
    {{113}, {}, "Prop_CoverPage"},
    {{1148}, {}, "FrontCover"},
    {{1308}, {}, "FCoverTray"},
    {{1150}, {}, "BackCover"},
    {{1315}, {}, "BCoverTray"},
    {{1214}, {}, "OHP_Interleave"},
    {{1321}, {}, "OHPIntTray"},
    {{1159}, {}, "PerPageSetting"},
    {{1215}, {}, "PerPageEdit"},
    {{1216}, {}, "PIFrontCover"},
    {{1157}, {}, "PIBackCover"},
    {{kTextOnlyRecord}, {}, "PerPageList1"},
    {{kTextOnlyRecord}, {}, "PerPageList2"},
    {{kTextOnlyRecord}, {}, "PerPageList3"},
    {{kTextOnlyRecord}, {}, "PerPageList4"},
    {{kTextOnlyRecord}, {}, "PerPageList5"},
    {{kTextOnlyRecord}, {}, "PerPageList6"},
    {{kTextOnlyRecord}, {}, "PerPageList7"},
    {{kTextOnlyRecord}, {}, "PerPageList8"},
    {{kTextOnlyRecord}, {}, "PerPageList9"},
    {{kTextOnlyRecord}, {}, "PerPageList10"},
    {{0}, {}, ""},
};
// The Per Page Setting dialog, with the titles of its list's columns, the
// names of its document rows and the labels of its picture.
DispStringItem g_perPageSetting[] = {
    {{137}, {}, "Dlg_PerPageSetting"},
    {{1139}, {}, "PerPageSettingListFrame"},
    {{1087}, {}, "PerPageListName"},
    {{1095}, {}, "PerPageListNameEdit"},
    {{1102}, {}, "PerPageListAdd"},
    {{1098}, {}, "PerPageListDelete"},
    {{1109}, {}, "PerPageTabPaperSetting"},
    {{1107}, {}, "PerPagePunchSetting"},
    {{1100}, {}, "PerPageStapleSetting"},
    {{1284}, {}, "PerPageEditFrame"},
    {{1613}, {}, "PerPageNumber"},
    {{2234}, {}, "PerPageNumberExample"},
    {{1616}, {}, "PerPageSettingChange"},
    {{1674}, {}, "PerPageTabPosition"},
    {{1618}, {}, "PerPageCaption"},
    {{1620}, {}, "PerPageCaptionDetail"},
    {{kTextOnlyRecord}, {}, "PerPageListNum"},
    {{kTextOnlyRecord}, {}, "PerPageListPrintType"},
    {{kTextOnlyRecord}, {}, "PerPageListTabPaper"},
    {{kTextOnlyRecord}, {}, "PerPageListPaperSrc"},
    {{kTextOnlyRecord}, {}, "PerPageListStaple"},
    {{kTextOnlyRecord}, {}, "PerPageListHolePunch"},
    {{kTextOnlyRecord}, {}, "PerPageListStapleEnd"},
    {{kTextOnlyRecord}, {}, "PerPageListCaption"},
    {{kTextOnlyRecord}, {}, "PerPageListCapPos"},
    {{kTextOnlyRecord}, {}, "PPList_PrintTypeStart"},
    {{kTextOnlyRecord}, {}, "PPList_PrintTypeEnd"},
    {{kTextOnlyRecord}, {}, "PPView_PrintType"},
    {{kTextOnlyRecord}, {}, "PPView_PageNumber"},
    {{kTextOnlyRecord}, {}, "PPView_TabPosition"},
    {{0}, {}, ""},
};
// The Index Paper Setting dialog and the labels of its picture.
DispStringItem g_tabPaperSettings[] = {
    {{140}, {}, "Dlg_TabPaperSettings"},
    {{1635}, {}, "TabPaperFrame"},
    {{1637}, {}, "TabPaperPaperSize"},
    {{1638}, {}, "TabPaperNumofTab"},
    {{1639}, {}, "TabPaperPositionFrame"},
    {{1642}, {}, "TabPaperSpaceAbove"},
    {{1648}, {}, "TabPaperSpaceBelow"},
    {{1653}, {}, "TabPaperGap"},
    {{1657}, {}, "TabPaperTextPosition"},
    {{kTextOnlyRecord}, {}, "TabPaperListName"},
    {{kTextOnlyRecord}, {}, "TabPaperViewTopSpace"},
    {{kTextOnlyRecord}, {}, "TabPaperViewBtmSpace"},
    {{kTextOnlyRecord}, {}, "TabPaperViewGap"},
    {{kTextOnlyRecord}, {}, "TabPaperViewTextPos"},
    {{0}, {}, ""},
};
// The List Name Edit and Punch Setting dialogs of the per-page settings.
DispStringItem g_perPageListName[] = {
    {{138}, {}, "Dlg_PerPageEditListName"},
    {{1623}, {}, "PerPageEditListName"},
    {{0}, {}, ""},
};
DispStringItem g_perPagePunch[] = {
    {{139}, {}, "Dlg_PerPagePunch"},
    {{1628}, {}, "PerPagePunch"},
    {{0}, {}, ""},
};
// The Caption Detail dialog.
DispStringItem g_tabTextDetails[] = {
    {{141}, {}, "Dlg_TabTextDetails"},
    {{1662}, {}, "TabTextFrame"},
    {{1663}, {}, "TabTextOrientation"},
    {{1666}, {}, "TabTextPositionV"},
    {{1641}, {}, "TabTextPositionH"},
    {{1667}, {}, "TabTextFontFrame"},
    {{1668}, {}, "TabTextFontName"},
    {{1670}, {}, "TabTextFontStyle"},
    {{1644}, {}, "TabTextFontSize"},
    {{kTextOnlyRecord}, {}, "PPView_TabPositionNUM"},
    {{0}, {}, ""},
};
// The Staple Setting dialog of the per-page settings.
DispStringItem g_perPageStaple[] = {
    {{153}, {}, "Dlg_PerPageStaple"},
    {{1838}, {}, "PerPageStaple"},
    {{0}, {}, ""},
};
// The Perfect Binding Setting dialog.
DispStringItem g_perfectBinding[] = {
    {{2308}, {}, "Dlg_PerfectBinding"},
    {{2309}, {}, "PBModeSet"},
    {{2310}, {}, "PBCoverMode"},
    {{2312}, {}, "PBCoverTray"},
    {{2314}, {}, "PBCoverDuplex"},
    {{2315}, {}, "PBCoverTriming"},
    {{2317}, {}, "PBBackcoverset"},
    {{2318}, {}, "PBSpinWidth"},
    {{2321}, {}, "PBSpinWidthRange"},
    {{1409}, {}, "PerfectBinding_Unit"},
    {{1240}, {}, "PerfectBinding_MM"},
    {{1241}, {}, "PerfectBinding_Inch"},
    {{0}, {}, ""},
};
// The TAB image shift dialog.
DispStringItem g_tabImageShift[] = {
    {{2322}, {}, "Dlg_TABImageShift"},
    {{2323}, {}, "TABImageShiftSet"},
    {{2324}, {}, "TABImageShiftValue"},
    {{2327}, {}, "TABImageShiftRange"},
    {{1409}, {}, "TABImageShift_Unit"},
    {{1240}, {}, "TABImageShift_MM"},
    {{1241}, {}, "TABImageShift_Inch"},
    {{0}, {}, ""},
};
// The Basic sheet: its caption and the labels of its groups and lists.
DispStringItem g_basic[] = {
    {{100}, {}, "Prop_Basic"},
    {{1063}, {}, "Orientation"},
    {{1001}, {}, "PaperSize"},
    {{1036}, {}, "OutPaperSize"},
    {{1178}, {}, "Zoom"},
    {{0}, {}, ""},
};
// The Paper Setting dialog: what each input tray holds.
DispStringItem g_trayMedia[] = {
    {{130}, {}, "Dlg_MediaType"},
    {{1845}, {}, "MediaType_DevStatus"},
    {{1899}, {}, "DevStatusCopy"},
    {{1846}, {}, "MediaType_TrayInfo"},
    {{1005}, {}, "MediaType_Paper"},
    {{1084}, {}, "MediaType_Weight"},
    {{1089}, {}, "MediaType_Color"},
    {{1097}, {}, "MediaType_Hole"},
    {{0}, {}, ""},
};
// The automatic tray's paper dialog.
DispStringItem g_autoTrayMedia[] = {
    {{164}, {}, "Dlg_MediaTypeAuto"},
    {{1845}, {}, "MediaType_TrayInfo"},
    {{1005}, {}, "MediaType_Paper"},
    {{1084}, {}, "MediaType_Weight"},
    {{1089}, {}, "MediaType_Color"},
    {{1097}, {}, "MediaType_Hole"},
    {{0}, {}, ""},
};
// The user paper list dialog.
DispStringItem g_customPaper[] = {
    {{115}, {}, "Dlg_CustomPaper"},
    {{1546}, {}, "CustomPaperList"},
    {{1549}, {}, "Paper_Add"},
    {{1550}, {}, "Paper_Del"},
    {{1551}, {}, "Paper_Setting"},
    {{1552}, {}, "Paper_Name"},
    {{1554}, {}, "Paper_Width"},
    {{1558}, {}, "Paper_Length"},
    {{1409}, {}, "Paper_Unit"},
    {{1240}, {}, "Paper_MM"},
    {{1241}, {}, "Paper_Inch"},
    {{0}, {}, ""},
};
// The watermark/overlay sheet and its watermark dialog.
DispStringItem g_watermarksForms[] = {
    {{104}, {}, "Prop_WatermarksForms"},
    {{1208}, {}, "Watermark"},
    {{1255}, {}, "WM_AddEdit"},
    {{1205}, {}, "Overlay"},
    {{1276}, {}, "Ovl_Create"},
    {{1279}, {}, "Ovl_Info"},
    {{1164}, {}, "CopyProtect"},
    {{1166}, {}, "CopyProtectDetail"},
    {{2113}, {}, "DateTime"},
    {{2114}, {}, "PageNumber"},
    {{2115}, {}, "DateTimePageDetail"},
    {{1202}, {}, "HeaderFooter"},
    {{2116}, {}, "HeaderFooter_op"},
    {{1162}, {}, "HeaderFooterDetail"},
    {{2338}, {}, "Numbering"},
    {{2339}, {}, "NumberingDetail"},
    {{0}, {}, ""},
};
DispStringItem g_watermarkEdit[] = {
    {{111}, {}, "Dlg_Watermark"},
    {{1450}, {}, "WM_Current"},
    {{1682}, {}, "WM_Name"},
    {{1683}, {}, "WM_String"},
    {{1602}, {}, "WM_Add"},
    {{1684}, {}, "WM_Delete"},
    {{1441}, {}, "WM_Position"},
    {{1442}, {}, "WM_Pos_X"},
    {{1446}, {}, "WM_Pos_Y"},
    {{1342}, {}, "WM_Pos_Center"},
    {{1383}, {}, "WM_Angle"},
    {{1384}, {}, "WM_AngleDegree"},
    {{1685}, {}, "WM_Font"},
    {{1686}, {}, "WM_Style"},
    {{1687}, {}, "WM_Color"},
    {{1688}, {}, "WM_Size"},
    {{1690}, {}, "WM_SizePointRange"},
    {{1691}, {}, "WM_Box"},
    {{1385}, {}, "WM_TextDensity"},
    {{1694}, {}, "WM_DensityLight"},
    {{1695}, {}, "WM_DensityThick"},
    {{1581}, {}, "WM_Sharing"},
    {{1679}, {}, "WM_Up"},
    {{1680}, {}, "WM_Down"},
    {{1056}, {}, "WM_Transparent"},
    {{1054}, {}, "WM_FirstPage"},
    {{1234}, {}, "WM_Repeat"},
    {{0}, {}, ""},
};
DispStringItem g_headerFooter[] = {
    {{142}, {}, "Dlg_HeaderFooter"},
    {{1579}, {}, "HF_Numbering"},
    {{1705}, {}, "HF_Type"},
    {{1710}, {}, "HF_PagetoPrint"},
    {{1712}, {}, "HF_StartNumber"},
    {{1716}, {}, "HF_PageStartNumRange"},
    {{1717}, {}, "HF_Color"},
    {{1583}, {}, "HF_DateTime"},
    {{1041}, {}, "HF_DatePagetoPrint"},
    {{1585}, {}, "HF_PageNumber"},
    {{1048}, {}, "HF_PrintPage"},
    {{1604}, {}, "HF_StartPage"},
    {{1390}, {}, "HF_StartPageRange"},
    {{1606}, {}, "HF_PageStartNumber"},
    {{1392}, {}, "HF_PageStartNumRange"},
    {{0}, {}, ""},
};
// The date/time and page number stamps (both templates).
DispStringItem g_dateTimePage[] = {
    {{2055}, {}, "Dlg_DateTimePageEdit"},
    {{2237}, {}, "DPE_DateTime"},
    {{2058}, {}, "DPE_DateFormat"},
    {{2060}, {}, "DPE_DateEdit"},
    {{1041}, {}, "DPE_DateTimePagetoPrint"},
    {{2063}, {}, "DPE_DateTimeColor"},
    {{2065}, {}, "DPE_DateTimePosition"},
    {{2239}, {}, "DPE_PageNumber"},
    {{1604}, {}, "DPE_PageNumStartPage"},
    {{1390, 1392}, {}, "DPE_PageNumRange"},
    {{1606}, {}, "DPE_PageNumStartNum"},
    {{2077}, {}, "DPE_PageNumPrintCover"},
    {{2079}, {}, "DPE_PageNumColor"},
    {{2081}, {}, "DPE_PageNumPosition"},
    {{0}, {}, ""},
};
// The numbering stamp; the range label's text is a format of the two ends.
DispStringItem g_numbering[] = {
    {{193}, {}, "Dlg_NumberingEdit"},
    {{1705}, {}, "NME_Type"},
    {{1710}, {}, "NME_PagetoPrint"},
    {{1717}, {}, "NME_Color"},
    {{2341}, {}, "NME_Density"},
    {{1712}, {}, "NME_StartNumber"},
    {{1716}, {}, "NME_StartNumberRange"},
    {{0}, {}, ""},
};
// The copy-protect dialogs: the edit dialog with its two pages and the
// simple dialog share one section.
DispStringItem g_copyProtectEdit[] = {
    {{2124}, {}, "Dlg_CopyProtectEdit"},
    {{kTextOnlyRecord}, {}, "CPE_PrintItem"},
    {{kTextOnlyRecord}, {}, "CPE_CompositeMethod"},
    {{2127}, {}, "CPE_Type"},
    {{2128, 2367}, {}, "CPE_String"},
    {{2130}, {}, "CPE_DateTime"},
    {{2131}, {}, "CPE_DateTimeFormat"},
    {{2133}, {}, "CPE_DateTimeEdit"},
    {{2134}, {}, "CPE_SerialNumber"},
    {{2135}, {}, "CPE_DistributionNumber"},
    {{2136}, {}, "CPE_StartNumber"},
    {{2138}, {}, "CPE_DistributionNumEdit"},
    {{2139}, {}, "CPE_JobNumber"},
    {{2140}, {}, "CPE_TextSetting"},
    {{2141}, {}, "CPE_TextSize"},
    {{2143}, {}, "CPE_TextAngle"},
    {{2147}, {}, "CPE_CopyProtect"},
    {{2148}, {}, "CPE_Stamp"},
    {{2149}, {}, "CPE_CopyProtectSetting"},
    {{2150}, {}, "CPE_CP_Effect"},
    {{2152}, {}, "CPE_CP_Placement"},
    {{2154}, {}, "CPE_CP_Pattern"},
    {{2156}, {}, "CPE_CP_Color"},
    {{2158}, {}, "CPE_CP_ColorSetting"},
    {{2159}, {}, "CPE_StampSetting"},
    {{2160}, {}, "CPE_SS_Placement"},
    {{2162}, {}, "CPE_SS_Color"},
    {{2164}, {}, "CPE_SS_ColorSetting"},
    {{1032}, {}, "CPE_Printitem_Default"},
    {{0}, {}, ""},
};
DispStringItem g_distributionNumber[] = {
    {{183}, {}, "Dlg_DistributionNumEdit"},
    {{2165}, {}, "StartNumber"},
    {{2166}, {}, "StartNumberRange"},
    {{2167}, {}, "StartNumber8DigitFix"},
    {{2168}, {}, "StartNumberRequireDigit"},
    {{2088}, {}, "StartNumberPreview"},
    {{0}, {}, ""},
};
DispStringItem g_patternColour[] = {
    {{2090}, {}, "Dlg_CPE_CP_ColorSetting"},
    {{2091}, {}, "CPE_CP_Color"},
    {{2093}, {}, "CPE_CP_Density"},
    {{2097}, {}, "CPE_CP_Density_Light"},
    {{2098}, {}, "CPE_CP_Density_Dark"},
    {{2099}, {}, "CPE_CP_Contrast"},
    {{2120}, {}, "CPE_CP_Contrast_Min"},
    {{2121}, {}, "CPE_CP_Contrast_Max"},
    {{0}, {}, ""},
};
DispStringItem g_stampColour[] = {
    {{2103}, {}, "Dlg_CPE_SS_ColorSetting"},
    {{2104}, {}, "CPE_SS_Color"},
    {{2106}, {}, "CPE_SS_Density"},
    {{2111}, {}, "CPE_SS_Density_Light"},
    {{2112}, {}, "CPE_SS_Density_Dark"},
    {{0}, {}, ""},
};
// The date/time format dialog.
DispStringItem g_dateTimeFormat[] = {
    {{2083}, {}, "Dlg_DateTimeFormat"},
    {{2084}, {}, "DateFormat"},
    {{2086}, {}, "TimeFormat"},
    {{2088}, {}, "DateTimePreview"},
    {{0}, {}, ""},
};
// The Layout sheet and the dialogs it opens.
DispStringItem g_layout[] = {
    {{101}, {}, "Prop_Layout"},
    {{1779}, {}, "Nup"},
    {{1124}, {}, "SetNupStyle"},
    {{1296}, {}, "Combination"},
    {{1289}, {}, "Rotate180"},
    {{1290}, {}, "SaveBlankPaper"},
    {{1294}, {}, "Chapter"},
    {{1035}, {}, "ChapterExample"},
    {{1065}, {}, "DoubleSides"},
    {{1230}, {}, "AdhesiveBind"},
    {{1128}, {}, "SetBookletStyle"},
    {{1049}, {}, "BindingEdge"},
    {{1288}, {}, "BindingShift"},
    {{1052}, {}, "SetBindShift"},
    {{1291}, {}, "ImageShift"},
    {{1212}, {}, "SetImgShift"},
    {{1204}, {}, "SetPrintPosition"},
    {{0}, {}, ""},
};
DispStringItem g_nupStyle[] = {
    {{116}, {}, "Dlg_SetNupStyle"},
    {{1022}, {}, "Nup"},
    {{1580}, {}, "PosterMarginLine"},
    {{1404}, {}, "NupStyle"},
    {{1837}, {}, "BorderLine"},
    {{0}, {}, ""},
};
DispStringItem g_bookletStyle[] = {
    {{134}, {}, "Dlg_SetBookletStyle"},
    {{1586}, {}, "BookletBinding"},
    {{1406}, {}, "BookletBorder"},
    {{0}, {}, ""},
};
DispStringItem g_userSetting[] = {
    {{132}, {}, "Dlg_UserSetting"},
    {{1576}, {}, "SecurePrintSetting"},
    {{1394}, {}, "SecurePrintId"},
    {{1395}, {}, "SecurePrintRange"},
    {{1340}, {}, "SecPassword"},
    {{1422}, {}, "SecPasswordRange"},
    {{1415}, {}, "BoxSave"},
    {{1396}, {}, "BoxFileName"},
    {{2119}, {}, "BoxFileRange"},
    {{1341}, {}, "BoxNum"},
    {{1397}, {}, "BoxNumRange"},
    {{0}, {}, ""},
};
DispStringItem g_userAuth[] = {
    {{2171}, {}, "Dlg_AuthenticationSetting"},
    {{2172}, {}, "UserAuthentication_M"},
    {{1871}, {}, "PublicUser"},
    {{1872}, {}, "RecipientUser"},
    {{1873}, {}, "RecipientUserName"},
    {{2173}, {}, "RecipientPassword"},
    {{2174}, {}, "AuthenticationSVSetting"},
    {{2175}, {}, "AccountTrack_M"},
    {{1876}, {}, "DepartmentName"},
    {{2176}, {}, "DepartmentPassword"},
    {{2177}, {}, "Verify"},
    {{0}, {}, ""},
};
// The Initialize sheet and its three dialogs.
DispStringItem g_initialize[] = {
    {{161}, {}, "Prop_Initialize"},
    {{1866}, {}, "UserAuthentication"},
    {{1867}, {}, "UserAuthenticationSetting"},
    {{1229}, {}, "AccountTrack"},
    {{1220}, {}, "AccountTrackSetting"},
    {{1868}, {}, "DepartmentPassword"},
    {{1869}, {}, "DepartmentPasswordRange"},
    {{1218}, {}, "EmailNotify"},
    {{1233}, {}, "EmailNotificationSetting"},
    {{1865}, {}, "DriverVersion"},
    {{0}, {}, ""},
};
DispStringItem g_attestation[] = {
    {{158}, {}, "Dlg_UserAuthenticationSetting"},
    {{1871}, {}, "PublicUser"},
    {{1872}, {}, "RecipientUser"},
    {{1873}, {}, "RecipientUserName"},
    {{1340}, {}, "RecipientPassword"},
    {{0}, {}, ""},
};
DispStringItem g_department[] = {
    {{160}, {}, "Dlg_AccountTrackSetting"},
    {{1876}, {}, "DepartmentName"},
    {{1340}, {}, "DepartmentPassword"},
    {{0}, {}, ""},
};
DispStringItem g_emailAddress[] = {
    {{159}, {}, "Dlg_EmailAddressSetting"},
    {{1879}, {}, "EmailAddress"},
    {{0}, {}, ""},
};
// The relay-server dialog is built in memory: its texts are set by key.
DispStringItem g_interimAuth[] = {
    {{0}, {}, "Dlg_InterimAuthenticSetting"},
    {{999}, {}, "InterimPublicUser"},
    {{1}, {}, "InterimAuthentic_OK"},
    {{2}, {}, "InterimAuthentic_Cancel"},
    {{0}, {}, ""},
};
DispStringItem g_authServer[] = {
    {{2178}, {}, "Dlg_AuthenticationSVSetting"},
    {{2179}, {}, "ServerSetting"},
    {{2181}, {}, "TreeDomainName"},
    {{2183}, {}, "ExpenseCode"},
    {{2185}, {}, "ExpenseCodePassword"},
    {{0}, {}, ""},
};
DispStringItem g_bindShift[] = {
    {{117}, {}, "Dlg_SetBindShift"},
    {{1410}, {}, "BindShift_Mode"},
    {{1242}, {}, "BindShift_Parallel"},
    {{1243}, {}, "BindShift_Auto"},
    {{1343}, {}, "BindShift_Front"},
    {{1345}, {}, "BindShift_Back"},
    {{1423}, {}, "BindShift_Same"},
    {{1409}, {}, "BindShift_Unit"},
    {{1240}, {}, "BindShift_MM"},
    {{1241}, {}, "BindShift_Inch"},
    {{0}, {}, ""},
};
DispStringItem g_imgShift[] = {
    {{136}, {}, "Dlg_SetImgShiftMFP"},
    {{1412}, {}, "ImgShiftMFP_Setup"},
    {{1244}, {}, "ImgShiftMFP_Driver"},
    {{1245}, {}, "ImgShiftMFP_Printer"},
    {{1262}, {}, "ImgShiftMFP_Front"},
    {{1263}, {}, "ImgShiftMFP_Back"},
    {{1246}, {}, "ImgShiftMFP_FrontL"},
    {{1247}, {}, "ImgShiftMFP_FrontR"},
    {{1248}, {}, "ImgShiftMFP_FrontT"},
    {{1249}, {}, "ImgShiftMFP_FrontB"},
    {{1250}, {}, "ImgShiftMFP_BackL"},
    {{1251}, {}, "ImgShiftMFP_BackR"},
    {{1252}, {}, "ImgShiftMFP_BackT"},
    {{1253}, {}, "ImgShiftMFP_BackB"},
    {{1600, 1603}, {}, "ImgShiftMFP_Interval"},
    {{1595, 1605}, {}, "ImgShiftMFP_Offset"},
    {{1607}, {}, "ImgShiftMFP_Auto"},
    {{1409}, {}, "ImgShiftMFP_Unit"},
    {{1240}, {}, "ImgShiftMFP_MM"},
    {{1241}, {}, "ImgShiftMFP_Inch"},
    {{0}, {}, ""},
};
DispStringItem g_printPosition[] = {
    {{163}, {}, "Dlg_PrintPosition"},
    {{1892}, {}, "PrnPos_TopEdge"},
    {{1893}, {}, "PrnPos_Center"},
    {{1894}, {}, "PrnPos_BackEdge"},
    {{1895}, {}, "PrnPos_Direction_ST"},
    {{0}, {}, ""},
};

// The overlay form dialogs: Overlay Information (with the labels of the
// chosen form file's properties) and the management of the device's forms
// (with its list columns).
DispStringItem g_overlayInfo[] = {
    {{119}, {}, "Dlg_OverlayInfo"},
    {{2122}, {}, "OvlInfo_SelectForm"},
    {{1277}, {}, "OvlInfo_Import"},
    {{1143}, {}, "OvlInfo_Manage"},
    {{1278}, {}, "OvlInfo_Delete"},
    {{1435}, {}, "OvlInfo_Properties"},
    {{1210}, {}, "OvlInfo_DLManager"},
    {{2123}, {}, "OvlInfo_PrintSetting"},
    {{1271}, {}, "OvlInfo_Pages"},
    {{1274}, {}, "OvlInfo_Placement"},
    {{kTextOnlyRecord}, {}, "OvlInfo_FormName"},
    {{kTextOnlyRecord}, {}, "OvlInfo_FileName"},
    {{kTextOnlyRecord}, {}, "OvlInfo_Folder"},
    {{kTextOnlyRecord}, {}, "OvlInfo_Paper"},
    {{kTextOnlyRecord}, {}, "OvlInfo_Orientation"},
    {{kTextOnlyRecord}, {}, "OvlInfo_Color"},
    {{kTextOnlyRecord}, {}, "OvlInfo_Resolution"},
    {{0}, {}, ""},
};
DispStringItem g_manageOvlForm[] = {
    {{127}, {}, "Dlg_ManageOvlForm"},
    {{1562}, {}, "OvlForm_Available"},
    {{1564}, {}, "OvlForm_Add"},
    {{1565}, {}, "OvlForm_AddAll"},
    {{1566}, {}, "OvlForm_Remove"},
    {{1567}, {}, "OvlForm_DriverList"},
    {{1569}, {}, "OvlForm_New"},
    {{1570}, {}, "OvlForm_Edit"},
    {{1571}, {}, "OvlForm_FileName"},
    {{1573}, {}, "OvlForm_FormName"},
    {{1617}, {}, "OvlForm_Location"},
    {{kTextOnlyRecord}, {}, "OvlForm_FileNameList"},
    {{kTextOnlyRecord}, {}, "OvlForm_FormNameList"},
    {{kTextOnlyRecord}, {}, "OvlForm_LocationList"},
    {{0}, {}, ""},
};
// The form file dialog: its titles and the form name below it.
DispStringItem g_createOvlForm[] = {
    {{kTextOnlyRecord}, {}, "Dlg_CreateOvlForm"},
    {{1282}, {}, "OvlForm_FormNameLabel"},
    {{0}, {}, ""},
};
DispStringItem g_importOvlForm[] = {
    {{kTextOnlyRecord}, {}, "Dlg_ImportOvlForm"},
    {{0}, {}, ""},
};

// The FAX sheet, the fax destination dialog and the fax mode details.
DispStringItem g_fax[] = {
    {{171}, {}, "Prop_Fax"},
    {{1930}, {}, "FaxResolution"},
    {{1932}, {}, "FaxPrtRecFile"},
    {{1933}, {}, "FaxTimerSend"},
    {{1934}, {}, "FaxSendTime"},
    {{1939}, {}, "FaxCurrentTime"},
    {{1941}, {}, "FaxRefCurTime"},
    {{1942}, {}, "FaxSubAddress"},
    {{1944}, {}, "FaxSendID"},
    {{1946}, {}, "FaxCoverSheet"},
    {{1948}, {}, "FaxSettings"},
    {{1949}, {}, "FaxEditPhoneBook"},
    {{0}, {}, ""},
};
DispStringItem g_faxSendTo[] = {
    {{180}, {}, "Pop_FaxTransmission"},
    {{2037}, {}, "FtpRecEntry"},
    {{2039}, {}, "FtpName"},
    {{2040}, {}, "FtpFAXNumber"},
    {{2044}, {}, "FtpECM"},
    {{2045}, {}, "FtpIntTransMode"},
    {{2046}, {}, "FtpV34Mode"},
    {{2041}, {}, "FtpAddRecipients"},
    {{2042}, {}, "FtpAddFromPhoneBook"},
    {{2043}, {}, "FtpRegistToPhoneBook"},
    {{2038}, {}, "FtpRecipientList"},
    {{kTextOnlyRecord}, {}, "FtpListCurRec"},  // label 2048 formats it with the count
    {{2049}, {}, "FtpListDelFromList"},
    {{2050}, {}, "FtpFaxModeSetDetails"},
    {{2052}, {}, "FtpFAXCoverSheet"},
    {{2051}, {}, "FtpSettings"},
    {{0}, {}, ""},
};
// The FAX Cover Sheet Setting dialog (the page template ids carry the tab
// texts) and its four pages.
DispStringItem g_fcsDialog[] = {
    {{172}, {}, "Dlg_FAXCoverSheetSet"},
    {{1951}, {}, "FcsCoverSheetSet"},
    {{1953}, {}, "FcsSave"},
    {{1954}, {}, "FcsEdit"},
    {{1955}, {}, "FcsPreview"},
    {{1961}, {}, "FcsCheck"},
    {{1959}, {}, "FcsCoverSize"},
    {{173}, {}, "FcsBasic"},
    {{174}, {}, "FcsRecipient"},
    {{175}, {}, "FcsSender"},
    {{176}, {}, "FcsImage"},
    {{kTextOnlyRecord}, {}, "FcsUntitled"},
    {{0}, {}, ""},
};
DispStringItem g_fcsBasic[] = {
    {{1962}, {}, "FcsBStyle"},
    {{1964}, {}, "FcsBSubject"},
    {{1583}, {}, "FcsBDate"},
    {{1967}, {}, "FcsBSelectForm"},
    {{1969}, {}, "FcsBInputArbitrarily"},
    {{1970}, {}, "FcsBPages"},
    {{1974}, {}, "FcsBIncludingCover"},
    {{1975}, {}, "FcsBComment"},
    {{0}, {}, ""},
};
DispStringItem g_fcsRecipient[] = {
    {{1978}, {}, "FcsRStandard"},
    {{1980}, {}, "FcsRDetails"},
    {{1981}, {}, "FcsRRecSetDetails"},
    {{1982}, {}, "FcsRLoadwithJointName"},
    {{1983}, {}, "FcsRChangeEachRec"},
    {{1984}, {}, "FcsRLoadSetInfo"},
    {{1985}, {}, "FcsRCompany"},
    {{1987}, {}, "FcsRDepartment"},
    {{1989}, {}, "FcsRName"},
    {{1991}, {}, "FcsRFAXNumber"},
    {{1993}, {}, "FcsRRead"},
    {{0}, {}, ""},
};
DispStringItem g_fcsSender[] = {
    {{1994}, {}, "FcsSSendInfoSet"},
    {{1985}, {}, "FcsSCompany"},
    {{1987}, {}, "FcsSDepartment"},
    {{1989}, {}, "FcsSName"},
    {{2001}, {}, "FcsSPhone"},
    {{1991}, {}, "FcsSFAXNumber"},
    {{2005}, {}, "FcsSE-mail"},
    {{0}, {}, ""},
};
DispStringItem g_fcsImage[] = {
    {{2007}, {}, "FcsIPasteImage"},
    {{2008}, {}, "FcsIFileName"},
    {{2010}, {}, "FcsIBrowse"},
    {{2011}, {}, "FcsIZoom"},
    {{2015}, {}, "FcsIPosition"},
    {{2016}, {}, "FcsIPositionX"},
    {{2019}, {}, "FcsIPositionXRange"},
    {{2020}, {}, "FcsIPositionY"},
    {{2023}, {}, "FcsIPositionYRange"},
    {{0}, {}, ""},
};
// The Save and Edit Cover Sheet Setting dialogs and the labels of their
// summaries.
DispStringItem g_saveCoverSet[] = {
    {{178}, {}, "Dlg_SaveCoverSheetSet"},
    {{2030}, {}, "ScsCoverSheetSetList"},
    {{2032}, {}, "ScsName"},
    {{0}, {}, ""},
};
DispStringItem g_importEasySet[] = {
    {{kTextOnlyRecord}, {}, "Dlg_ImportEasySet"},
    {{kTextOnlyRecord}, {}, "ImportEasyFile_Filter"},
    {{0}, {}, ""},
};
DispStringItem g_exportEasySet[] = {
    {{kTextOnlyRecord}, {}, "Dlg_ExportEasySet"},
    {{kTextOnlyRecord}, {}, "ExportEasyFile_Filter"},
    {{0}, {}, ""},
};
DispStringItem g_editEasySet[] = {
    {{168}, {}, "Dlg_EditEasySet"},
    {{kTextOnlyRecord}, {}, "EditEasy_ShowSetting"},
    {{kTextOnlyRecord}, {}, "EditEasy_HideSetting"},
    {{kTextOnlyRecord}, {}, "EditEasy_Control"},
    {{kTextOnlyRecord}, {}, "EditEasy_Value1"},
    {{kTextOnlyRecord}, {}, "EditEasy_Value2"},
    {{kTextOnlyRecord}, {}, "EditEasy_Num"},
    {{0}, {}, ""},
};
DispStringItem g_editCoverSet[] = {
    {{179}, {}, "Dlg_EditCoverSheetSet"},
    {{2030}, {}, "EcsCoverSheetSetList"},
    {{2032}, {}, "EcsName"},
    {{1908}, {}, "Ecs_Up"},
    {{1909}, {}, "Ecs_Down"},
    {{1910}, {}, "EcsDelete"},
    {{kTextOnlyRecord}, {}, "Ecs_Control"},
    {{kTextOnlyRecord}, {}, "Ecs_Value"},
    {{0}, {}, ""},
};
DispStringItem g_coverSetLabels[] = {
    {{kTextOnlyRecord}, {}, "CSS_FcsBStyle"},
    {{kTextOnlyRecord}, {}, "CSS_FcsBSubject"},
    {{kTextOnlyRecord}, {}, "CSS_FcsBDate"},
    {{kTextOnlyRecord}, {}, "CSS_FcsBSelectForm"},
    {{kTextOnlyRecord}, {}, "CSS_FcsBInputArbitrarily"},
    {{kTextOnlyRecord}, {}, "CSS_FcsBPages"},
    {{kTextOnlyRecord}, {}, "CSS_FcsBComment"},
    {{kTextOnlyRecord}, {}, "CSS_FcsSCompany"},
    {{kTextOnlyRecord}, {}, "CSS_FcsSDepartment"},
    {{kTextOnlyRecord}, {}, "CSS_FcsSName"},
    {{kTextOnlyRecord}, {}, "CSS_FcsSPhone"},
    {{kTextOnlyRecord}, {}, "CSS_FcsSFAXNumber"},
    {{kTextOnlyRecord}, {}, "CSS_FcsSE-mail"},
    {{kTextOnlyRecord}, {}, "CSS_FcsIPasteImage"},
    {{kTextOnlyRecord}, {}, "CSS_FcsIZoom"},
    {{kTextOnlyRecord}, {}, "CSS_FcsIPosition"},
    {{kTextOnlyRecord}, {}, "CSS_FcsIPositionX"},
    {{kTextOnlyRecord}, {}, "CSS_FcsIPositionY"},
    {{0}, {}, ""},
};
DispStringItem g_faxModeDetails[] = {
    {{181}, {}, "Dlg_FaxModeDetails"},
    {{1932}, {}, "FmdPrtRecFile"},
    {{1933}, {}, "FmdTimerSend"},
    {{1934}, {}, "FmdSendTime"},
    {{1939}, {}, "FmdCurrentTime"},
    {{1941}, {}, "FmdRefCurTime"},
    {{1942}, {}, "FmdSubAddress"},
    {{1944}, {}, "FmdSendID"},
    {{0}, {}, ""},
};

char16_t g_easySetDefaults[kEasySetNameUnits] = u"Default";
char16_t g_easySetUntitled[kEasySetNameUnits] = u"Untitled";

// The text of a common item, cut to a name, when the description gave one.
void TakeName(const char* keyword, char16_t (&name)[kEasySetNameUnits]) {
  for (const DispStringItem* r = CommonItemTable(); r->controlIds[0] != 0 || r->keyword[0] != '\0'; ++r) {
    if (!QxdFieldEquals(r->keyword, sizeof r->keyword, keyword) || r->text[0] == 0) continue;
    size_t n = 0;
    for (; n + 1 < kEasySetNameUnits && r->text[n] != 0; ++n) name[n] = r->text[n];
    std::memset(name + n, 0, (kEasySetNameUnits - n) * sizeof name[0]);
    return;
  }
}

DialogTextSection S(const char* section, DispStringItem* table = nullptr, DispStringItem* second = nullptr) {
  return {section, {table, second}, false};
}

const std::vector<DialogTextSection>& Catalogue() {
  static const std::vector<DialogTextSection> catalogue = {
      S("Property_0", CommonItemTable()),
      S("Dlg_SaveEasySet"),
      S("Dlg_EditEasySet", g_editEasySet),
      S("Dlg_EasySetOpt"),
      S("Dlg_ImportEasySet", g_importEasySet),
      S("Dlg_ExportEasySet", g_exportEasySet),
      S("Property_1", g_basic),
      S("Dlg_UserPaper", g_customSize),
      S("Dlg_MediaTypeAuto", g_autoTrayMedia),
      S("Dlg_MediaType", g_trayMedia),
      S("Dlg_UserSetting", g_userSetting),
      S("Dlg_AuthenticationSetting", g_userAuth),
      S("Dlg_AuthenticationSVSetting", g_authServer),
      S("Dlg_InterimAuthenticSetting", g_interimAuth),
      S("Property_2", g_layout),
      S("Dlg_SetNupStyle", g_nupStyle),
      S("Dlg_SetBookletStyle", g_bookletStyle),
      S("Dlg_SetBindShift", g_bindShift),
      S("Dlg_SetImgShiftMFP", g_imgShift),
      S("Dlg_PrintPosition", g_printPosition),
      S("Property_12", g_finisher),
      S("Dlg_PerfectBinding", g_perfectBinding),
      S("Dlg_TABImageShift", g_tabImageShift),
      S("Property_3", g_coverPage),
      S("Dlg_PerPageSetting", g_perPageSetting),
      S("Dlg_PerPageEditListName", g_perPageListName),
      S("Dlg_PerPagePunch", g_perPagePunch),
      S("Dlg_PerPageStaple", g_perPageStaple),
      S("Dlg_TabPaperSettings", g_tabPaperSettings),
      S("Dlg_TabTextDetails", g_tabTextDetails),
      S("Property_4", g_watermarksForms),
      S("Dlg_HeaderFooter", g_headerFooter),  // two variants of the dialog
      S("Dlg_HeaderFooterEdit"),
      S("Dlg_NumberingEdit", g_numbering),
      S("Dlg_CopyProtect"),
      S("Dlg_CopyProtectEdit", g_copyProtectEdit),  // two variants of the dialog
      S("Dlg_CreateOvlForm", g_createOvlForm),
      S("Dlg_ImportOvlForm", g_importOvlForm),
      S("Dlg_ManageOvlForm", g_manageOvlForm),
      S("Dlg_OverlayInfo", g_overlayInfo),
      S("Dlg_Watermark", g_watermarkEdit),
      S("Dlg_DateTimeFormat", g_dateTimeFormat),
      S("Dlg_DateTimePageEdit", g_dateTimePage),
      S("Dlg_CPE_CP_ColorSetting", g_patternColour),
      S("Dlg_CPE_SS_ColorSetting", g_stampColour),
      S("Dlg_DistributionNumEdit", g_distributionNumber),
      S("Property_6", g_quality),
      {"Dlg_ColorAdjust", {g_colorDetail, nullptr}, true},
      {"Dlg_ColorAdjust_T1", {g_colorAdjust, nullptr}, true},
      S("Dlg_ICM"),
      S("Dlg_ColorSetting"),
      S("Dlg_ManageProfile"),
      S("Dlg_FontSetting", g_fontSetting),
      S("Property_7", g_version),
      S("Property_13", g_initialize),
      S("Dlg_UserAuthenticationSetting", g_attestation),
      S("Dlg_AccountTrackSetting", g_department),
      S("Dlg_EmailAddressSetting", g_emailAddress),
      S("Property_10", g_configure),
      S("Dlg_PaperSourceTraySetting"),
      S("Dlg_AcquisitionSetting", g_acquisition),
      S("Dlg_Consumables", g_consumables),
      S("Property_11", g_settings),
      S("Dlg_CustomPaper", g_customPaper),
      S("Property_FAX", g_fax),
      S("Dlg_FAXCoverSheetSet", g_fcsDialog),
      S("FcsBasic", g_fcsBasic),
      S("FcsRecipient", g_fcsRecipient),
      S("FcsSender", g_fcsSender),
      S("FcsImage", g_fcsImage),
      S("CoverSheetSetList", g_coverSetLabels),
      S("Dlg_SaveCoverSheetSet", g_saveCoverSet),
      S("Dlg_EditCoverSheetSet", g_editCoverSet),
      S("Pop_FaxTransmission", g_faxSendTo),
      S("Dlg_FaxModeDetails", g_faxModeDetails),
  };
  return catalogue;
}

}  // namespace

size_t DialogTextSectionCount() { return Catalogue().size(); }

const DialogTextSection& DialogTextSectionAt(size_t i) { return Catalogue()[i < Catalogue().size() ? i : 0]; }

DispStringItem* DialogTextTable(const char* section) {
  for (const DialogTextSection& s : Catalogue()) {
    if (QxdNameEquals(s.section, section)) return s.tables[0];
  }
  return nullptr;
}

const char16_t* DialogTextOf(const char* section, const char* keyword) {
  for (const DispStringItem* r = DialogTextTable(section);
       r != nullptr && (r->controlIds[0] != 0 || r->keyword[0] != '\0'); ++r) {
    if (std::strncmp(r->keyword, keyword, sizeof r->keyword) == 0) return r->text;
  }
  return u"";
}

void LoadDialogTextSections(QxdContext* ctx, const ModelInfo* model) {
  const bool colorAdjust = model != nullptr && model->features[kMfColorAdjust] != 0;
  std::vector<DispTableBinding> bindings;
  for (const DialogTextSection& s : Catalogue()) {
    if (s.colorAdjust && !colorAdjust) continue;
    for (DispStringItem* table : s.tables) {
      if (table != nullptr) bindings.push_back({s.section, table});
    }
  }
  LoadDisplayTextSections(ctx, bindings.data(), bindings.size());
  TakeName("EasySetDefaults", g_easySetDefaults);
  TakeName("EasySetUntitled", g_easySetUntitled);
}

const char16_t* EasySetDefaultsName() { return g_easySetDefaults; }

const char16_t* EasySetUntitledName() { return g_easySetUntitled; }
