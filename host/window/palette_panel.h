#pragma once
// The Properties palette docked beside the view: the type filter, then per
// category its rows with a control in place (a drop-down for rows with a
// list of values, an edit box for the others). It shows the palette model
// of the current drawing for the selection it is given; a change is written
// at once (a choice) or on Enter (a typed value) and every row read again.
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "OdDbObjectId.h"

class HostApDocument;
class PaletteModel;
class QComboBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace qrvwindow {

class PalettePanel : public QWidget {
public:
  explicit PalettePanel(QWidget* parent = nullptr);
  ~PalettePanel() override;

  // The drawing and the selection to show (null: nothing).
  void show(HostApDocument* doc, const OdDbObjectIdArray& selection);
  // Reads every row again (after a command changed the drawing).
  void reread();
  void release();

  // Told after the palette wrote to the drawing.
  std::function<void()> onChanged;

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  // What decides the controls of a row: when every row keeps its shape,
  // a refresh only shows the values again.
  struct RowShape {
    QString category, label;  // as shown
    QString name;             // the whole "Category.Label", for the tooltip
    bool readOnly = false;
    bool list = false;
    bool operator==(const RowShape&) const = default;
  };

  void fill();
  void fillFilter();
  void buildRows(std::vector<RowShape> shape);
  void showValue(std::size_t row);
  void fitNames();
  void write(int row, const QString& text);

  std::unique_ptr<PaletteModel> m_model;
  HostApDocument* m_doc = nullptr;
  QComboBox* m_filter;
  QTreeWidget* m_tree;
  QLabel* m_message;
  std::vector<RowShape> m_shape;
  std::vector<QTreeWidgetItem*> m_items;  // per row of the model
  int m_rowHeight = 0;
  bool m_filling = false;
  bool m_widthChosen = false;  // the user set the name column's width
  bool m_fittingNames = false;
};

}  // namespace qrvwindow
