#pragma once
// The drawings opened or saved last, most recent first, kept in the
// window's settings across sessions for File > Recent drawings.
#include <QStringList>

namespace qrvwindow {

constexpr int kRecentDrawingsKept = 8;

QStringList recentDrawings();
// Puts the drawing first (by its absolute path), once, and lets the
// oldest go beyond kRecentDrawingsKept.
void noteRecentDrawing(const QString& path);

}  // namespace qrvwindow
