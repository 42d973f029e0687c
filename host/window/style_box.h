#pragma once
// The toolbar's dimension-style drop-down: lists the drawing's styles,
// shows the current one, and makes the one chosen current. When the
// drawing's current values differ from its current style (overrides),
// choosing another first asks whether to discard them, as the style
// manager's Set Current does; No keeps everything.
#include <QComboBox>
#include <functional>

class OdDbDatabase;

namespace qrvwindow {

// Whether the drawing's current dimension values differ from its current
// style's.
bool hasStyleOverrides(OdDbDatabase* db);

class DimStyleBox : public QComboBox {
public:
  explicit DimStyleBox(QWidget* parent = nullptr);

  // Lists the styles of the drawing (none without one) and shows the
  // current one.
  void fill(OdDbDatabase* db);

  // Makes the style current (the owner runs the command that does).
  std::function<void(const QString& style)> makeCurrent;
  // Asks the overrides question; true goes on. By default a question box
  // owned by the window.
  std::function<bool(const QString& question)> confirm;

private:
  void chosen(int index);

  OdDbDatabase* m_db = nullptr;
  bool m_filling = false;
};

}  // namespace qrvwindow
