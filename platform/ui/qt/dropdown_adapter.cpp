// Drop-down lists, plain or owner-drawn (the dialog draws each item, also
// the one shown in the closed field).
#include <QAbstractItemView>
#include <QComboBox>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "control_adapter.h"
#include "qt_device_context.h"
#include "user_input.h"

namespace ui::qt {
namespace {

class OwnerDrawDelegate : public QStyledItemDelegate {
public:
  OwnerDrawDelegate(Control& control, QObject* parent) : QStyledItemDelegate(parent), m_control(control) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->save();
    QtPainterDC dc(*painter, &option.palette);
    unsigned state = 0;
    if (option.state & QStyle::State_Selected) state |= kItemSelected;
    if (option.state & QStyle::State_HasFocus) state |= kItemFocus;
    const QRect r = option.rect;
    m_control.drawItem(dc, index.row(), Rect{r.x(), r.y(), r.width(), r.height()}, state);
    painter->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QSize base = QStyledItemDelegate::sizeHint(option, index);
    return QSize(base.width(), m_control.itemHeight() > 0 ? m_control.itemHeight() : base.height());
  }

private:
  Control& m_control;
};

class OwnerDrawCombo : public QComboBox {
public:
  OwnerDrawCombo(Control& control, QWidget* parent) : QComboBox(parent), m_control(control) {
    setItemDelegate(new OwnerDrawDelegate(control, this));
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (currentIndex() < 0) return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    p.save();
    p.setClipRect(field);
    QtPainterDC dc(p, &palette());
    m_control.drawItem(dc, currentIndex(), Rect{field.x(), field.y(), field.width(), field.height()},
                       kItemInEditField | (hasFocus() ? kItemFocus : 0u));
    p.restore();
  }

private:
  Control& m_control;
};

class DropDownAdapter : public ControlAdapter {
public:
  using ControlAdapter::ControlAdapter;
  void sync(AdapterHost&) override {
    auto* combo = static_cast<QComboBox*>(widget());
    const Control& c = control();
    bool same = combo->count() == c.itemCount();
    for (int i = 0; same && i < c.itemCount(); ++i) same = combo->itemText(i) == qs(c.itemText(i));
    if (!same) {
      combo->clear();
      for (int i = 0; i < c.itemCount(); ++i) combo->addItem(qs(c.itemText(i)));
    }
    combo->setCurrentIndex(c.selection());
    if (c.droppedWidth() > 0) combo->view()->setMinimumWidth(c.droppedWidth());
    combo->update();
  }
  WidgetDump dump() const override {
    auto* combo = static_cast<QComboBox*>(widget());
    WidgetDump out;
    out.value = "\"\" selection=" + std::to_string(combo->currentIndex());
    if (combo->currentIndex() >= 0) out.value += ' ' + quoted(combo->currentText());
    for (int i = 0; i < combo->count(); ++i)
      out.rows.push_back("item " + std::to_string(i) + ": " + quoted(combo->itemText(i)));
    return out;
  }

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost& host) override {
    Control& c = control();
    QComboBox* combo = c.hasStyle(kStyleOwnerDrawFixed) ? new OwnerDrawCombo(c, parent) : new QComboBox(parent);
    QObject::connect(combo, &QComboBox::activated, &host.window(), [&c, &host](int index) {
      user::select(c.dialog(), c.id(), index);
      host.resync(c);
    });
    return combo;
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> makeDropDownAdapter(Control& c) { return std::make_unique<DropDownAdapter>(c); }

}  // namespace ui::qt
