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

}  // namespace dds::res
