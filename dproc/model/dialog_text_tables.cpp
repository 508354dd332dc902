#include "dproc/model/dialog_text_tables.h"

#include <cstring>
#include <vector>

namespace {

// A table with the dialog's own record: its caption keyword and its page
// or template id.  The dialogs add their controls' records.
#define CAPTION_TABLE(name, id, keyword) DispStringItem name[] = {{{id}, {}, keyword}, {{0}, {}, ""}}

CAPTION_TABLE(g_finisher, 109, "Prop_Finisher");
CAPTION_TABLE(g_coverPage, 112, "Prop_CoverPage");
CAPTION_TABLE(g_watermarksForms, 104, "Prop_WatermarksForms");
CAPTION_TABLE(g_quality, 105, "Prop_Quality");
CAPTION_TABLE(g_version, 106, "Prop_Version");
CAPTION_TABLE(g_initialize, 161, "Prop_Initialize");
CAPTION_TABLE(g_configure, 177, "Prop_Configure");
CAPTION_TABLE(g_settings, 184, "Prop_Settings");
CAPTION_TABLE(g_customSize, 151, "Dlg_UserPaper");

#undef CAPTION_TABLE

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
      S("Dlg_EditEasySet"),
      S("Dlg_EasySetOpt"),
      S("Dlg_ImportEasySet"),
      S("Dlg_ExportEasySet"),
      S("Property_1", g_basic),
      S("Dlg_UserPaper", g_customSize),
      S("Dlg_MediaTypeAuto", g_autoTrayMedia),
      S("Dlg_MediaType", g_trayMedia),
      S("Dlg_UserSetting", g_userSetting),
      S("Dlg_AuthenticationSetting", g_userAuth),
      S("Dlg_AuthenticationSVSetting", g_authServer),
      S("Dlg_InterimAuthenticSetting"),
      S("Property_2", g_layout),
      S("Dlg_SetNupStyle", g_nupStyle),
      S("Dlg_SetBookletStyle", g_bookletStyle),
      S("Dlg_SetBindShift", g_bindShift),
      S("Dlg_SetImgShiftMFP", g_imgShift),
      S("Dlg_PrintPosition", g_printPosition),
      S("Property_12", g_finisher),
      S("Dlg_PerfectBinding"),
      S("Dlg_TABImageShift"),
      S("Property_3", g_coverPage),
      S("Dlg_PerPageSetting"),
      S("Dlg_PerPageEditListName"),
      S("Dlg_PerPagePunch"),
      S("Dlg_PerPageStaple"),
      S("Dlg_TabPaperSettings"),
      S("Dlg_TabTextDetails"),
      S("Property_4", g_watermarksForms),
      S("Dlg_HeaderFooter"),  // two variants of the dialog
      S("Dlg_HeaderFooterEdit"),
      S("Dlg_NumberingEdit"),
      S("Dlg_CopyProtect"),
      S("Dlg_CopyProtectEdit"),  // two variants of the dialog
      S("Dlg_CreateOvlForm"),
      S("Dlg_ImportOvlForm"),
      S("Dlg_ManageOvlForm"),
      S("Dlg_OverlayInfo"),
      S("Dlg_Watermark"),
      S("Dlg_DateTimeFormat"),
      S("Dlg_DateTimePageEdit"),
      S("Dlg_CPE_CP_ColorSetting"),
      S("Dlg_CPE_SS_ColorSetting"),
      S("Dlg_DistributionNumEdit"),
      S("Property_6", g_quality),
      {"Dlg_ColorAdjust", {nullptr, nullptr}, true},
      {"Dlg_ColorAdjust_T1", {nullptr, nullptr}, true},
      S("Dlg_ICM"),
      S("Dlg_ColorSetting"),
      S("Dlg_ManageProfile"),
      S("Dlg_FontSetting"),
      S("Property_7", g_version),
      S("Property_13", g_initialize),
      S("Dlg_UserAuthenticationSetting"),
      S("Dlg_AccountTrackSetting"),
      S("Dlg_EmailAddressSetting"),
      S("Property_10", g_configure),
      S("Dlg_PaperSourceTraySetting"),
      S("Dlg_AcquisitionSetting"),
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
