#pragma once
// The host context `gpQrContext`: command registration, the application
// icon, help by topic key and the question box.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "OdString.h"
#include "command_object.h"
#include "host_window.h"

class HostEdInput;
class HostHelpTopics;

// What the host keeps of a registered command.
struct HostCommandEntry {
  std::string globalName;  // UTF-8
  std::string localName;
  std::string groupName;
  std::string description;
  std::uint32_t flags = 0;
  bool transparent = false;
  bool documentCommand = false;
  void (*handler)() = nullptr;
};

constexpr int kQrAppIconId = 101;

class QrContext {
public:
  QrContext(HostEdInput& input, const HostHelpTopics& help) : m_input(input), m_help(help) {}

  // Copies the command's names, flags, handler and the answers of its two
  // queries. Throws HostError for a command without a name and for a name
  // (global or local, any letter case) that another command already has;
  // registering the same name with the same handler again changes nothing.
  void registerCommand(const QrCommand& command);
  // By local or global name, any letter case; null when unknown.
  const HostCommandEntry* findCommand(std::string_view name) const;
  const std::vector<HostCommandEntry>& commands() const { return m_commands; }
  // The host before unloading a module: forgets the commands registered
  // from position `first` on, whose handlers are about to disappear.
  void forgetCommandsFrom(std::size_t first);

  // The application's icons by resource id (101 the application icon).
  // Null in the terminal host, which shows no windows.
  HostIconHandle applicationIcon(int resourceId) const;

  // Shows the help topic of the key; false (after saying so) when the topic
  // does not exist.
  bool showHelp(const char* topicKey, HostWindowHandle owner = nullptr);

  // Asks a yes/no question; 1 when the user accepts, 0 otherwise (No,
  // Enter, cancel, end of the script).
  int questionBox(const OdString& text, HostWindowHandle owner = nullptr);

private:
  HostEdInput& m_input;
  const HostHelpTopics& m_help;
  std::vector<HostCommandEntry> m_commands;
};

// Set by the host while its services exist; null otherwise (a module then
// registers nothing).
extern QrContext* gpQrContext;
