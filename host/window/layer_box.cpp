#include "layer_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <cmath>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include "OdDbDatabase.h"
#include "OdDbLayerTableRecord.h"
#include "host_text.h"
#include "window_texts.h"

namespace qrvwindow {

namespace {

constexpr int kGlyph = 16;  // each toggle's square, and the swatch's
constexpr int kMargin = 3;

enum Role { kOffRole = Qt::UserRole + 1, kFrozenRole, kLockedRole, kColorRole, kCurrentRole };

QRect glyphRect(const QRect& row, int slot) {
  return QRect(row.left() + kMargin + slot * (kGlyph + 2), row.top() + (row.height() - kGlyph) / 2, kGlyph, kGlyph);
}

// On: a lit bulb; off: a grey one.
void paintBulb(QPainter& p, const QRectF& r, bool off) {
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(off ? QColor(150, 160, 175) : QColor(250, 210, 40));
  p.drawEllipse(QRectF(r.left() + 3, r.top() + 1.5, 10, 10));
  p.setBrush(QColor(110, 110, 110));
  p.drawRect(QRectF(r.left() + 5.5, r.top() + 11.5, 5, 3));
}

// Thawed: a sun; frozen: a snowflake.
void paintFreeze(QPainter& p, const QRectF& r, bool frozen) {
  const QPointF c = r.center();
  if (frozen) {
    p.setPen(QPen(QColor(40, 120, 220), 1.6));
    for (int k = 0; k < 3; ++k) {
      const double a = k * 3.14159265 / 3;
      const QPointF d(6.5 * std::cos(a), 6.5 * std::sin(a));
      p.drawLine(c - d, c + d);
    }
  } else {
    p.setPen(QPen(QColor(230, 150, 20), 1.3));
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(c, 3.5, 3.5);
    for (int k = 0; k < 8; ++k) {
      const double a = k * 3.14159265 / 4;
      p.drawLine(c + QPointF(5 * std::cos(a), 5 * std::sin(a)), c + QPointF(7 * std::cos(a), 7 * std::sin(a)));
    }
  }
}

// Locked: a closed padlock; unlocked: its shackle open.
void paintLock(QPainter& p, const QRectF& r, bool locked) {
  p.setPen(QPen(QColor(80, 80, 80), 1.5));
  p.setBrush(Qt::NoBrush);
  QPainterPath shackle;
  const double left = r.left() + 4.5, right = r.left() + 11.5;
  shackle.moveTo(left, r.top() + 8);
  shackle.lineTo(left, r.top() + 5);
  shackle.arcTo(QRectF(left, r.top() + 1.5, right - left, 7), 180, -180);
  shackle.lineTo(right, locked ? r.top() + 8 : r.top() + 6);
  if (!locked) shackle.translate(3, -1);
  p.drawPath(shackle);
  p.setBrush(locked ? QColor(200, 160, 40) : QColor(220, 220, 220));
  p.drawRect(QRectF(r.left() + 3, r.top() + 8, 10, 7));
}

// A layer's row: its toggles, its swatch, its name (bold when current).
void paintLayerRow(QPainter& p, const QRect& row, const QModelIndex& index, const QColor& ink, QFont font) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  paintBulb(p, LayerBox::toggleRect(row, LayerBox::Toggle::kOn), index.data(kOffRole).toBool());
  paintFreeze(p, LayerBox::toggleRect(row, LayerBox::Toggle::kFrozen), index.data(kFrozenRole).toBool());
  paintLock(p, LayerBox::toggleRect(row, LayerBox::Toggle::kLocked), index.data(kLockedRole).toBool());
  p.setPen(QColor(60, 60, 60));
  p.setBrush(index.data(kColorRole).value<QColor>());
  p.drawRect(glyphRect(row, 3).adjusted(2, 2, -2, -2));
  p.restore();
  QRect text = row;
  text.setLeft(glyphRect(row, 4).left() + 2);
  p.setPen(ink);
  font.setBold(index.data(kCurrentRole).toBool());
  p.setFont(font);
  p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::DisplayRole).toString());
}

// Paints the rows of the open list.
class LayerRowDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem o(option);
    initStyleOption(&o, index);
    o.text.clear();
    o.icon = QIcon();
    QStyle* style = o.widget ? o.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
    paintLayerRow(*p, option.rect, index,
                  o.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text),
                  o.font);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(std::max(s.height(), kGlyph + 4));
    s.setWidth(s.width() + 4 * (kGlyph + 2) + kMargin);
    return s;
  }
};

}  // namespace

LayerBox::LayerBox(QWidget* parent) : QComboBox(parent) {
  setObjectName("layerBox");
  setSizeAdjustPolicy(QComboBox::AdjustToContents);
  setMinimumContentsLength(16);
  setItemDelegate(new LayerRowDelegate(this));
  view()->viewport()->installEventFilter(this);
  setToolTip(qs(hostText(HostText::kLayerBoxTip)));
  connect(this, &QComboBox::activated, this, [this](int index) { chosen(index); });
}

void LayerBox::paintEvent(QPaintEvent*) {
  // The closed box shows the current layer as its row in the list does.
  QStylePainter p(this);
  QStyleOptionComboBox o;
  initStyleOption(&o);
  o.currentText.clear();
  o.currentIcon = QIcon();
  p.drawComplexControl(QStyle::CC_ComboBox, o);
  if (currentIndex() < 0) return;
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, this);
  paintLayerRow(p, field, model()->index(currentIndex(), 0), palette().color(QPalette::ButtonText), font());
}

QRect LayerBox::toggleRect(const QRect& row, Toggle toggle) { return glyphRect(row, int(toggle)); }

void LayerBox::fill(OdDbDatabase* db) {
  m_filling = true;
  clear();
  if (db) {
    OdDbLayerTablePtr layers = db->getLayerTableId().safeOpenObject();
    for (OdDbObjectId id : layers->recordIds()) {
      if (id.isErased()) continue;
      OdDbLayerTableRecordPtr l = id.safeOpenObject();
      addItem(qs(l->getName()));
      const int i = count() - 1;
      setItemData(i, l->isOff(), kOffRole);
      setItemData(i, l->isFrozen(), kFrozenRole);
      setItemData(i, l->isLocked(), kLockedRole);
      const OdCmColor c = l->color();
      setItemData(i, QColor(c.red(), c.green(), c.blue()), kColorRole);
      setItemData(i, id == db->getCLAYER(), kCurrentRole);
      if (id == db->getCLAYER()) setCurrentIndex(i);
    }
  }
  setEnabled(db != nullptr);
  m_filling = false;
}

void LayerBox::chosen(int index) {
  if (m_filling || index < 0 || !typeLines) return;
  typeLines({"-LAYER", "Set", itemText(index), ""});
}

bool LayerBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched != view()->viewport() ||
      (event->type() != QEvent::MouseButtonRelease && event->type() != QEvent::MouseButtonPress))
    return QComboBox::eventFilter(watched, event);
  const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
  const QModelIndex index = view()->indexAt(at);
  if (!index.isValid()) return QComboBox::eventFilter(watched, event);
  const QRect row = view()->visualRect(index);
  for (Toggle t : {Toggle::kOn, Toggle::kFrozen, Toggle::kLocked}) {
    if (!toggleRect(row, t).contains(at)) continue;
    // A toggle keeps the list open: its press and release are the glyph's.
    if (event->type() == QEvent::MouseButtonRelease && typeLines) {
      const QString name = index.data(Qt::DisplayRole).toString();
      const bool set = index.data(t == Toggle::kOn ? kOffRole : t == Toggle::kFrozen ? kFrozenRole : kLockedRole).toBool();
      const char* option = t == Toggle::kOn ? (set ? "ON" : "OFF")
                           : t == Toggle::kFrozen ? (set ? "Thaw" : "Freeze")
                                                  : (set ? "Unlock" : "LOck");
      typeLines({"-LAYER", option, name, ""});
    }
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace qrvwindow
