#pragma once
// The module's dialog templates (English and Russian, same ids and layout)
// and the ids of their controls that the dialogs refer to.
#include "dialog_template.h"

namespace dds::res {

// Every template of the module, both languages.
const ui::DialogResourceTable& dialogTemplates();

// Template 1011: comparing two dimension styles.
constexpr int kDlgCompare = 1011;
constexpr int kIdcCompareLabel = 1178;
constexpr int kIdcCompareFirst = 1177;
constexpr int kIdcCompareWithLabel = 1180;
constexpr int kIdcCompareSecond = 1179;
constexpr int kIdcCompareLine = 1184;
constexpr int kIdcCompareCaption = 1181;
constexpr int kIdcCompareCopy = 1183;
constexpr int kIdcCompareRows = 1182;
constexpr int kIdcClose = 2;
constexpr int kIdcHelp = 10;

// Template 1000: the Dimension Style Manager.
constexpr int kDlgStyleManager = 1000;
constexpr int kIdcManagerCurrent = 1001;
constexpr int kIdcManagerStylesLabel = 1002;
constexpr int kIdcManagerStyles = 1000;
constexpr int kIdcManagerPreviewLabel = 1003;
constexpr int kIdcManagerPreview = 1004;
constexpr int kIdcManagerSetCurrent = 3;
constexpr int kIdcManagerNew = 4;
constexpr int kIdcManagerModify = 5;
constexpr int kIdcManagerOverride = 6;
constexpr int kIdcManagerCompare = 7;
constexpr int kIdcManagerDelete = 8;

// Template 1002: naming a new style and choosing what it starts from.
constexpr int kDlgNewStyle = 1002;
constexpr int kIdcNewNameLabel = 1005;
constexpr int kIdcNewName = 1006;
constexpr int kIdcNewSourceLabel = 1007;
constexpr int kIdcNewSource = 1008;
constexpr int kIdcNewUseForLabel = 1011;
constexpr int kIdcNewUseFor = 1010;
constexpr int kIdcOk = 1;
constexpr int kIdcCancel = 2;

// Template 1020: picking the styles of another drawing to import.
constexpr int kDlgImportStyles = 1020;
constexpr int kIdcImportSourceLabel = 1021;
constexpr int kIdcImportStyles = 1022;
constexpr int kIdcImportMarkAll = 1023;
constexpr int kIdcImportClearMarks = 1024;
constexpr int kIdcImportOverwrite = 1025;

}  // namespace dds::res
