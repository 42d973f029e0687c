#pragma once
// The main window's texts in the session's language.
#include <QString>

#include "translation.h"

namespace qrvwindow {

inline QString say(const char* en, const char* ru) {
  return QString::fromUtf8(hostLanguage() == HostLanguage::kRussian ? ru : en);
}

inline QString qs(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace qrvwindow
