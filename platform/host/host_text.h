#pragma once
// The host's own messages and prompts, in English and Russian, looked up
// through the same translation layer as a module's string table.
#include "OdString.h"

enum class HostText : unsigned {
  kCancelled = 1,
  kAnswerRequired,
  kInvalidKeyword,
  kNoBlanks,
  kQuestionPrompt,
  kYesNoKeywords,
  kYesNoCancelKeywords,
  kSelectObjects,
  kSelectionInvalid,
  kSelectionFound,
  kSelectionDuplicates,
  kSelectionLocked,
  kSelectionFiltered,
  kNoHelpTopic,
  kCommandPrompt,
  kUnknownCommand,
  kNoDrawing,
  kOpenPrompt,
  kOpened,
  kAlreadyOpen,
  kCannotOpen,
  kNewDrawing,
  kSaveAsPromptDefault,
  kSaveAsPrompt,
  kSaved,
  kCannotSave,
  kReplacePrompt,
  kSaveChangesPrompt,
  kClosed,
  kCannotClose,
  kQuitUnsavedPrompt,
  kSetvarPrompt,
  kNewValuePrompt,
  kReadOnlyValue,
  kUnknownVariable,
  kInvalidValue,
  kVariableList,
  kUndoCountPrompt,
  kUndone,
  kNothingToUndo,
  kHelpPrompt,
  kHelpTopics,
  kHelpCommands,
  kSwitchPrompt,
  kCurrentDrawing,
  kDrawingList,
  kCommandNoHandler,
  kCommandFailed,
  kNestedCommand,
  kUnknownDrawing,
  kUndoFailed,
  kModifiedMark,
  kBatchProgress,
  kBatchSaved,
  kBatchFailed,
  kBatchCannotOpen,
  kBatchScriptFailed,
  kBatchDrawingClosed,
  kBatchCannotSave,
  kBatchSummary,
  kInvalidPoint,
  kNoLastPoint,
};

// The text in the session's language.
OdString hostText(HostText id);
// Registers the host's texts with the translation layer (idempotent).
void hostRegisterHostTexts();
// The table itself, for checks of its completeness.
struct QrModuleResources;
const QrModuleResources& hostTextResources();
