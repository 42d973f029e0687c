#pragma once
// Texts of the host's picture commands and of answers typed on the command
// line, in English and Russian (the session's language chooses).
#include "OdString.h"

namespace qrvhost {

enum class LocalText {
  kPictureFilePrompt,
  kPictureBadName,
  kPictureCannotWrite,  // %s path, %s reason
  kPictureWritten,      // %s path
  kNoPictures,
  kRegenDone,           // %d count
  kRegenFailed,         // %d count
  kAnswersIgnored,      // %s the answers
  kRegenFailedOne,      // %s "handle: reason"
  kPictureCyclicBlock,  // %s block name
  kPictureTooComplex,
  kPictureNotFinite,
  kRecoveryOffer,     // %d count, %s the drawings' names
  kRecovered,         // %s title
  kRecoveryCannotOpen,  // %s title, %s reason
  kRecoveryProblem,   // %s what went wrong
  kFileChangedQuestion,  // %s path
  kFileChangedRefused,   // %s path
  kPictureNotDrawn,      // %s the kinds and their counts
  kPictureKeywords,
  kLayoutPrompt,         // %s the current layout
};

OdString localText(LocalText id);

// A text of the host application in both languages.
struct TwoLanguageText {
  const char* en;
  const char* ru;
};
// The text in the session's language.
OdString inSessionLanguage(const TwoLanguageText& text);

}  // namespace qrvhost
