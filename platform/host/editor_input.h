#pragma once
// Editor input: the prompts and command-line output a command uses.
//
// Keyword prompt (getKeyword) results:
//   1          Enter: take the default
//   2 + i      the i-th keyword of the list: local keywords first, counted
//              from 0, then the global ones (after "*"); a list of n local
//              keywords gives 2 .. n+1 for them and n+2 .. for the global
//   -1         cancelled (Escape, Ctrl-C, end of the script)
// Text prompt (getString) results:
//   0          a text was typed (in `text`)
//   1          Enter without text
//   2 + i      the typed text is the i-th keyword of the list (e.g. "?")
//   -1         cancelled
// Point prompt (getPoint) results:
//   0          a point was given (in `point`)
//   1, 2 + i, -1   as for a text prompt
// A "%s" in the prompt is replaced by the local keywords joined with "/".
#include <optional>

#include "OdString.h"
#include "keyword_list.h"
#include "OdDbDimAssoc.h"
#include "point_input.h"

class HostConsole;

// Prompt flags.
constexpr int kPromptEmptyAllowed = 1;   // Enter without text answers 1
constexpr int kPromptBlanksAllowed = 2;  // the text may contain blanks
constexpr int kPromptHasDefault = 4;     // the prompt shows <default>; Enter answers 1
constexpr int kPromptEnter = 1;
constexpr int kPromptCancelled = -1;
constexpr int kPromptText = 0;
constexpr int kPromptPoint = 0;
constexpr int kPromptKeyword = 2;

class HostEdInput {
public:
  explicit HostEdInput(HostConsole& console) : m_console(console) {}

  // One line on the command line.
  void print(const OdString& line);
  // Says why an answer is refused before it is asked again; counted by the
  // console.
  void refuse(const OdString& why);

  // Without kPromptEmptyAllowed or kPromptHasDefault, Enter asks again; a
  // text that is no keyword says so and asks again. `keyword`, when given,
  // receives the keyword as listed (without "*").
  int getKeyword(const OdString& prompt, const OdString& keywords, int flags,
                 OdString* keyword = nullptr);

  // Leading and trailing blanks are dropped. Without kPromptBlanksAllowed a
  // text with blanks inside is refused and asked again.
  int getString(const OdString& prompt, const OdString& keywords, int flags, OdString& text);

  // A point, typed (see point_input.h) or picked in a window. A keyword is
  // tried before a point; an answer that is neither says why and asks
  // again. The point becomes the last point, which "@" answers start from.
  int getPoint(const OdString& prompt, const OdString& keywords, int flags, OdGePoint3d& point,
               const HostPointOptions& options = {});
  const std::optional<OdGePoint3d>& lastPoint() const { return m_lastPoint; }
  // The object snap that gave the point of the last point prompt (typed as
  // in snap_answer.h); nothing when the point was no snap.
  const std::optional<OdDbOsnapPointRef>& lastPointSnap() const { return m_lastSnap; }
  void setLastPoint(const OdGePoint3d& point) { m_lastPoint = point; }

  // The window that shows point prompts (rubber band, preview); null for
  // none. Not owned.
  void setPointTracker(HostPointTracker* tracker) { m_tracker = tracker; }

  HostConsole& console() { return m_console; }

private:
  // Shows the prompt and gives the trimmed answer; false when cancelled.
  bool ask(const OdString& shownPrompt, std::string& answer);
  // Asks until Enter is an answer or something is typed: the result for a
  // cancel, Enter or a keyword, or kPromptText with the typed `answer`.
  int askTextOrKeyword(const OdString& shown, const HostKeywordList& list, int flags, std::string& answer);

  HostConsole& m_console;
  std::optional<OdGePoint3d> m_lastPoint;
  std::optional<OdDbOsnapPointRef> m_lastSnap;
  HostPointTracker* m_tracker = nullptr;
};

// Blanks and tabs removed from both ends.
std::string hostTrim(std::string_view text);
