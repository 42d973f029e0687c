#pragma once
// A prompt's keyword options as links: "Specify ... or [Text/Angle]:"
// shows Text and Angle as links whose target is the keyword itself, so
// that a click can answer the prompt as typing the keyword would.
#include <QString>

namespace qrvwindow {

// The prompt as rich text for a label; the options of its last bracketed
// list become links. Everything else is shown as it is.
QString promptWithKeywordLinks(const QString& prompt);

}  // namespace qrvwindow
