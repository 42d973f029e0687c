#pragma once
// The style editor's frame (template 1010): the tab control, the preview
// frame and the OK, Cancel and Help buttons. Its pages have templates of
// their own (page_*_template.h).
#include <span>

#include "dialog_template.h"

namespace dds::res {

std::span<const ui::DialogResource> styleEditorTemplates();

constexpr int kDlgStyleEditor = 1010;
constexpr int kIdcEditorTabs = 1155;
constexpr int kIdcEditorPreview = 1004;

// Where a page sits in the frame, in dialog units: inside the tab control,
// below its row of tabs.
constexpr ui::Rect kEditorPageRect{9, 21, 363, 221};

}  // namespace dds::res
