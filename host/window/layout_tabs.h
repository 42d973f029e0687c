#pragma once
// Model space and the drawing's layouts as tabs under the drawing view
// (hidden while the drawing has no layout). Choosing one types CTAB with
// its name at the command line, so that it runs exactly as typed.
#include <QStringList>
#include <QTabBar>
#include <functional>

class OdDbDatabase;

namespace qrvwindow {

class LayoutTabs : public QTabBar {
public:
  explicit LayoutTabs(QWidget* parent = nullptr);

  // Shows "Model" and the layouts of `db` in tab order, its current one
  // chosen.
  void sync(OdDbDatabase* db);

  std::function<void(const QStringList& lines)> typeLines;

private:
  bool m_syncing = false;
};

}  // namespace qrvwindow
