#pragma once
// The host framework's description of a command-line command. A module
// fills one (its own class derived from QrCommand) and hands it to
// QrContext::registerCommand, which copies what it keeps: the object may
// be a local that is gone when registration returns.
#include <cstdint>

#include "host_result.h"
#include "wide_text.h"

constexpr std::size_t kQrCmdNameChars = 50;
constexpr std::size_t kQrCmdTextChars = 100;

// Command flags.
constexpr std::uint32_t kQrCmdCommandLine = 0x00100000;  // prompts at the command line; scripts may drive it
constexpr std::uint32_t kQrCmdUndoStep = 0x02000000;     // its changes form one undo step named after it

class QrCommand {
public:
  // Slot 1: destroy. Deleting through this pointer frees the object too.
  virtual ~QrCommand() = default;
  // Slot 2: run the command; a result code.
  virtual HRESULT execute() = 0;
  // Slot 3: whether the command may start while another one waits for
  // input. The host refuses a non-transparent command inside another.
  virtual bool isTransparent() const = 0;
  // Slot 4: whether the command works on the active document; the host
  // then locks that document for writing while the command runs.
  virtual bool isDocumentCommand() const = 0;

  // Fields in the framework's order.
  std::int32_t iconIndex = 0;    // -1: no icon
  std::int32_t bitmapIndex = 0;  // -1: no toolbar bitmap
  QrWChar groupName[kQrCmdNameChars] = {};
  QrWChar alias[kQrCmdNameChars] = {};
  const QrWChar* description = nullptr;  // shown by HELP when not empty
  QrWChar globalName[kQrCmdNameChars] = {};
  QrWChar localName[kQrCmdNameChars] = {};
  QrWChar statusText[kQrCmdTextChars] = {};
  std::uint32_t flags = 0;
  std::int32_t helpContext = 0;  // -1: no help context
  void (*handler)() = nullptr;

protected:
  QrCommand() = default;
  QrCommand(const QrCommand&) = default;
  QrCommand& operator=(const QrCommand&) = default;
};
