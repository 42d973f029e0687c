#pragma once
// The module's description of a command-line command, in the layout of the
// host framework (command_object.h). The module builds one on the stack,
// hands it to the host to register, and lets it go: the host copies what
// it keeps.
#include <cstdint>

#include "command_object.h"

class qrvCmd final : public QrCommand {
public:
  // `name` is copied into both name buffers, cut to 49 characters; `text`
  // is kept by pointer and must outlive the registration call.
  qrvCmd(void (*commandHandler)(), const QrWChar* name, const QrWChar* text, std::uint32_t commandFlags) {
    iconIndex = -1;
    bitmapIndex = -1;
    description = text ? text : u"";
    hostCopyWideBounded(globalName, kQrCmdNameChars, name);
    hostCopyWideBounded(localName, kQrCmdNameChars, name);
    flags = commandFlags;
    helpContext = -1;
    handler = commandHandler;
  }

  HRESULT execute() override {
    if (!handler) return E_NOTIMPL;
    handler();
    return S_OK;
  }
  bool isTransparent() const override { return false; }
  bool isDocumentCommand() const override { return true; }
};

// The flags of -dimstyle: a command-line command whose changes are one undo step.
constexpr std::uint32_t kDimStyleCommandFlags = 0x2100000;
static_assert(kDimStyleCommandFlags == (kQrCmdCommandLine | kQrCmdUndoStep));
