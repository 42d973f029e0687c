#include "text_style_command.h"

#include <cstdint>
#include <memory>

#include "command_factory.h"
#include "editor_page.h"
#include "stdafx/module_log.h"

namespace dds {
namespace {

struct Release {
  void operator()(ICmdFactory* p) const { p->release(); }
  void operator()(ICmdObject* p) const { p->release(); }
  void operator()(ICmdParams* p) const { p->release(); }
};

}  // namespace

bool runHostTextStyleDialog(ui::Dialog* editorWindow) {
  std::unique_ptr<ICmdFactory, Release> factory(new_ICmdFactory());
  if (!factory) {
    DDS_LOG_WARNING(kSrcDlgModify, "((BOOL)pCmdFactory)");
    return false;
  }
  std::unique_ptr<ICmdObject, Release> command(factory->createCommand("TextPropsCmd"));
  if (!command) {
    DDS_LOG_WARNING(kSrcDlgModify, "((BOOL)pCommand)");
    return false;
  }
  std::unique_ptr<ICmdParams, Release> params(new_MemParam());
  if (!params) {
    DDS_LOG_WARNING(kSrcDlgModify, "((BOOL)pCmdParams)");
    return false;
  }
  const auto handle = reinterpret_cast<std::uintptr_t>(editorWindow ? editorWindow->hostHandle() : nullptr);
  params->setLong("HWND", long(std::int32_t(handle & 0xFFFFFFFFu)));
  params->setInt("CMDDIA", 1);
  command->run(params.get());
  return true;
}

}  // namespace dds
