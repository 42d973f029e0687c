#pragma once
// The toolbar's layer drop-down: the drawing's layers, the current one
// shown. Each row carries its state as glyphs a click toggles without
// closing the list (on/off, frozen/thawed, locked/unlocked) and its colour
// swatch; choosing a row makes the layer current. Every change is typed as
// -LAYER at the command line, so that it runs, is refused and is undone as a
// typed one.
#include <QComboBox>
#include <QStringList>
#include <functional>

class OdDbDatabase;

namespace qrvwindow {

class LayerBox : public QComboBox {
public:
  explicit LayerBox(QWidget* parent = nullptr);

  // Lists the layers of the drawing (none without one) and shows the
  // current one.
  void fill(OdDbDatabase* db);

  // The toggles of a row, left to right, and where each is drawn: the
  // rectangle of a row in the list, in the list's coordinates.
  enum class Toggle { kOn, kFrozen, kLocked };
  static QRect toggleRect(const QRect& row, Toggle toggle);

  // The lines a change types (set by the window).
  std::function<void(const QStringList& lines)> typeLines;

protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void chosen(int index);

  bool m_filling = false;
};

}  // namespace qrvwindow
