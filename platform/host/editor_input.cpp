#include "editor_input.h"

#include "console.h"
#include "documents.h"
#include "host_entry.h"
#include "snap_answer.h"
#include "host_text.h"
#include "text_format.h"

std::string hostTrim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

void HostEdInput::print(const OdString& line) { m_console.print(line); }

void HostEdInput::refuse(const OdString& why) {
  m_console.print(why);
  m_console.noteRefused();
}

bool HostEdInput::ask(const OdString& shownPrompt, std::string& answer) {
  const HostAnswer a = m_console.ask(shownPrompt);
  if (a.kind != HostAnswer::kText) {
    m_console.print(hostText(HostText::kCancelled));
    return false;
  }
  answer = hostTrim(a.text);
  return true;
}

int HostEdInput::getKeyword(const OdString& prompt, const OdString& keywords, int flags,
                            OdString* keyword) {
  const HostKeywordList list(keywords);
  const OdString shown = fillPromptKeywords(prompt, list);
  for (;;) {
    std::string answer;
    if (!ask(shown, answer)) return kPromptCancelled;
    if (answer.empty()) {
      if (flags & (kPromptEmptyAllowed | kPromptHasDefault)) return kPromptEnter;
      refuse(hostText(HostText::kAnswerRequired));
      continue;
    }
    if (auto index = list.match(answer)) {
      if (keyword) {
        const auto local = static_cast<int>(list.local().size());
        *keyword = *index < local ? list.local()[*index] : list.global()[*index - local];
      }
      return kPromptKeyword + *index;
    }
    refuse(hostText(HostText::kInvalidKeyword));
  }
}

int HostEdInput::askTextOrKeyword(const OdString& shown, const HostKeywordList& list, int flags,
                                  std::string& answer) {
  for (;;) {
    if (!ask(shown, answer)) return kPromptCancelled;
    if (!answer.empty()) {
      const auto index = list.match(answer);
      return index ? kPromptKeyword + *index : kPromptText;
    }
    if (flags & (kPromptEmptyAllowed | kPromptHasDefault)) return kPromptEnter;
    refuse(hostText(HostText::kAnswerRequired));
  }
}

int HostEdInput::getString(const OdString& prompt, const OdString& keywords, int flags,
                           OdString& text) {
  const HostKeywordList list(keywords);
  const OdString shown = fillPromptKeywords(prompt, list);
  for (;;) {
    std::string answer;
    const int r = askTextOrKeyword(shown, list, flags, answer);
    if (r != kPromptText) return r;
    if (!(flags & kPromptBlanksAllowed) && answer.find_first_of(" \t") != std::string::npos) {
      refuse(hostText(HostText::kNoBlanks));
      continue;
    }
    text = answer;
    return kPromptText;
  }
}

int HostEdInput::getPoint(const OdString& prompt, const OdString& keywords, int flags, OdGePoint3d& point,
                          const HostPointOptions& options) {
  const HostKeywordList list(keywords);
  const OdString shown = fillPromptKeywords(prompt, list);
  // The window hears that the prompt waits, and that it stopped waiting
  // however it ends.
  struct Tracking {
    HostPointTracker* tracker;
    ~Tracking() {
      if (tracker) tracker->pointRequestEnded();
    }
  } tracking{m_tracker};
  if (m_tracker) m_tracker->pointRequested(HostPointRequest{shown, &options});
  m_lastSnap.reset();
  for (;;) {
    std::string answer;
    const int r = askTextOrKeyword(shown, list, flags, answer);
    if (r != kPromptText) return r;
    HostApDocManager* documents = hostDocManager();
    HostApDocument* doc = documents ? documents->curDocument() : nullptr;
    if (doc && doc->database() && answer.find(' ') != std::string::npos) {
      const HostSnapAnswer snap = hostParseSnapAnswer(answer, *doc->database());
      if (snap.kind == HostSnapAnswer::kRefused) {
        refuse(snap.why);
        continue;
      }
      if (snap.kind == HostSnapAnswer::kSnapped) {
        point = snap.ref.point;
        m_lastPoint = point;
        m_lastSnap = snap.ref;
        return kPromptPoint;
      }
    }
    HostPointError error = HostPointError::kNone;
    if (auto p = hostParsePoint(answer, m_lastPoint, &error)) {
      point = *p;
      m_lastPoint = *p;
      return kPromptPoint;
    }
    const HostText why = error == HostPointError::kNoLastPoint ? HostText::kNoLastPoint : HostText::kInvalidPoint;
    refuse(hostFormat(hostText(why).c_str(), answer.c_str()));
  }
}
