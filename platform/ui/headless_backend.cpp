#include "headless_backend.h"

#include "OdStringUtil.h"
#include "device_context.h"
#include "dialog.h"
#include "user_input.h"

namespace ui {

bool HeadlessClipboard::open(Dialog*) {
  if (m_refuse || m_open) return false;
  m_open = true;
  return true;
}

void HeadlessClipboard::close() { m_open = false; }

bool HeadlessClipboard::empty() {
  if (!m_open) return false;
  m_data.clear();
  m_hasText = false;
  return true;
}

bool HeadlessClipboard::setUnicodeText(const std::u16string& text) {
  if (!m_open) return false;
  m_data = text;
  m_data.push_back(u'\0');
  m_hasText = true;
  return true;
}

std::optional<std::u16string> HeadlessClipboard::unicodeText() {
  if (!m_hasText) return std::nullopt;
  std::u16string text = m_data;
  if (!text.empty() && text.back() == u'\0') text.pop_back();
  return text;
}

void HeadlessClipboard::reset() {
  m_open = m_refuse = m_hasText = false;
  m_data.clear();
}

void HeadlessBackend::runModal(Dialog& dialog) {
  Driver driver;
  if (!m_drivers.empty()) {
    driver = std::move(m_drivers.front());
    m_drivers.pop_front();
  } else {
    driver = m_default;
  }
  dispatchPostedMessages();
  playToTheEnd(dialog, driver ? driver : Driver(driveFromHostConsole));
}

void playToTheEnd(Dialog& dialog, const std::function<void(Dialog&)>& driver) {
  driver(dialog);
  dispatchPostedMessages();
  if (!dialog.ended()) {
    user::pressKey(dialog, Key::kEscape);
    dispatchPostedMessages();
  }
  if (!dialog.ended()) dialog.end(kIdCancel);
}

int HeadlessBackend::trackPopupMenu(Dialog& dialog, const Menu& menu, Point) {
  m_lastMenu = menu;
  if (m_menuChooser) return m_menuChooser(dialog, menu);
  if (m_menuAnswers.empty()) return 0;
  const std::string answer = m_menuAnswers.front();
  m_menuAnswers.pop_front();
  for (const MenuItem& item : menu) {
    if (item.text.empty() && item.command == 0) continue;
    std::string plain;
    for (char ch : item.text)
      if (ch != '&') plain += ch;
    if (std::to_string(item.command) == answer || qrv::equalNoCase(plain, answer))
      return item.enabled ? item.command : 0;
  }
  return 0;
}

Point HeadlessBackend::measureText(const std::string& utf8) const {
  const DialogUnits units = dialogUnits();
  return RecordingDC(units.baseX, units.baseY).textExtent(utf8);
}

void HeadlessBackend::reset() {
  m_drivers.clear();
  m_default = nullptr;
  m_menuChooser = nullptr;
  m_menuAnswers.clear();
  m_lastMenu.reset();
  m_clipboard.reset();
  m_shiftDown = false;
}

HeadlessBackend& headlessBackend() {
  static HeadlessBackend instance;
  return instance;
}

}  // namespace ui
