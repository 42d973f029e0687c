#include "style_editor_launch.h"

#include "editor_input.h"
#include "stdafx/host_access.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"

namespace dds {

StyleEditorOutcome runStyleEditor(OdDbObjectId, ui::Dialog*) {
  const OdString text = translate("The style editor is not available yet.");
  DDS_LOG_WARNING(kSrcDlgDimStyle, "The style editor is not available yet.");
  if (HostEdInput* input = currentEditorInput()) input->print(text);
  return StyleEditorOutcome::kUnavailable;
}

}  // namespace dds
