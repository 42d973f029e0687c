#include "recent_drawings.h"

#include <QFileInfo>
#include <QSettings>

namespace qrvwindow {

namespace {
const char* const kKey = "files/recent";
}

QStringList recentDrawings() { return QSettings().value(kKey).toStringList(); }

void noteRecentDrawing(const QString& path) {
  if (path.isEmpty()) return;
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList list = recentDrawings();
  list.removeAll(absolute);
  list.prepend(absolute);
  while (list.size() > kRecentDrawingsKept) list.removeLast();
  QSettings().setValue(kKey, list);
}

}  // namespace qrvwindow
