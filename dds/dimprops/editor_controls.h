#pragma once
// The owner-drawn lists of the style editor's pages: an arrowhead, a colour,
// a fill colour, a linetype and a lineweight list that hold a value of their
// own (not a selection's), attach to any owner-drawn drop-down of a dialog,
// and tell their owner when the user picked a new value. Their items,
// pictures and pickers ("User arrow...", "More Colors...", "Load...") are
// the palette's: both take them from the one description of each list
// kind (value_kinds.h).
#include <functional>
#include <vector>

#include "OdCmColor.h"
#include "OdDbTypes.h"
#include "dimprops/item_painting.h"
#include "dimprops/value_kinds.h"

namespace ui {
class Control;
class Dialog;
}  // namespace ui

class OdDbDatabase;

template <class V>
class CValueListCtl {
public:
  using Changed = std::function<void(const V& value)>;

  virtual ~CValueListCtl();
  // Takes over the owner-drawn drop-down `controlId` of `dialog` and fills
  // it; false when there is no such drop-down.
  bool attach(ui::Dialog& dialog, int controlId);
  void detach();

  const V& value() const { return m_value; }
  // Shows `value` (the list is refilled: a custom colour or a block may be new).
  void setValue(const V& value);
  void onChanged(Changed changed) { m_changed = std::move(changed); }
  // The text `value` shows as.
  OdString text(const V& value) const { return format(value); }

protected:
  virtual std::vector<OdString> items() const = 0;
  virtual OdString format(const V& value) const = 0;
  virtual bool parse(const OdString& text, V& value, OdString& message) const = 0;
  // The item stands for a picker: true with `value` when the user picked.
  virtual bool isPickerItem(const OdString&) const { return false; }
  virtual bool pick(V&) { return false; }
  virtual PZItemPicture picture(int index) const = 0;
  // The item that shows a value no plain item stands for (-1: none), and
  // the tooltip that names it.
  virtual int itemOfOtherValue(const V&, const std::vector<OdString>&) const { return -1; }
  virtual OdString tooltipOf(const V&) const { return OdString(); }

private:
  void fill();
  void choose(int index);

  ui::Control* m_control = nullptr;
  V m_value{};
  Changed m_changed;
  int m_reentry = 0;
};

class CArrowCtl : public CValueListCtl<OdString> {
public:
  explicit CArrowCtl(OdDbDatabase* db) : m_db(db) {}

protected:
  std::vector<OdString> items() const override { return dds::kinds::ArrowList(m_db).texts(); }
  OdString format(const OdString& name) const override { return dds::kinds::arrowText(name); }
  bool parse(const OdString& text, OdString& name, OdString& message) const override;
  bool isPickerItem(const OdString& text) const override { return dds::kinds::ArrowList::isPicker(text); }
  bool pick(OdString& name) override;
  PZItemPicture picture(int index) const override { return dds::kinds::ArrowList(m_db).picture(index); }
  // A user's own block shows as "User arrow...", its name in the tooltip.
  int itemOfOtherValue(const OdString& name, const std::vector<OdString>& texts) const override;
  OdString tooltipOf(const OdString& name) const override;

private:
  OdDbDatabase* m_db;
};

class CColorCtl : public CValueListCtl<OdCmColor> {
public:
  explicit CColorCtl(bool byLayerAndBlock = true) : m_byLayerAndBlock(byLayerAndBlock) {}

protected:
  std::vector<OdString> items() const override { return list().texts(); }
  OdString format(const OdCmColor& c) const override { return dds::kinds::colorText(c); }
  bool parse(const OdString& text, OdCmColor& c, OdString& message) const override {
    return dds::kinds::parseColor(text, m_byLayerAndBlock, c, message);
  }
  bool isPickerItem(const OdString& text) const override { return dds::kinds::ColorList::isPicker(text); }
  bool pick(OdCmColor& c) override;
  PZItemPicture picture(int index) const override { return list().picture(index); }

private:
  dds::kinds::ColorList list() const { return dds::kinds::ColorList(m_byLayerAndBlock); }
  bool m_byLayerAndBlock;
};

class CFillColorCtl : public CValueListCtl<QrFillColor> {
protected:
  std::vector<OdString> items() const override { return dds::kinds::FillColorList().texts(); }
  OdString format(const QrFillColor& f) const override { return dds::kinds::fillColorText(f); }
  bool parse(const OdString& text, QrFillColor& f, OdString& message) const override {
    return dds::kinds::parseFillColor(text, f, message);
  }
  bool isPickerItem(const OdString& text) const override { return dds::kinds::FillColorList::isPicker(text); }
  bool pick(QrFillColor& f) override;
  PZItemPicture picture(int index) const override { return dds::kinds::FillColorList().picture(index); }
};

class CLineTypeCtl : public CValueListCtl<OdString> {
public:
  explicit CLineTypeCtl(OdDbDatabase* db) : m_db(db) {}
  // The window the picker is modal over: disabled while the picker is up,
  // and sent `linetypesAdded` (a private message) when the picker loaded a
  // linetype into the drawing, so that other lists can take it up.
  void setOwnerWindow(ui::Dialog* owner, unsigned linetypesAdded) {
    m_owner = owner;
    m_linetypesAdded = linetypesAdded;
  }

protected:
  std::vector<OdString> items() const override { return dds::kinds::LinetypeList(m_db).texts(); }
  OdString format(const OdString& name) const override { return dds::kinds::linetypeText(name); }
  bool parse(const OdString& text, OdString& name, OdString& message) const override {
    return dds::kinds::parseLinetype(text, m_db, name, message);
  }
  bool isPickerItem(const OdString& text) const override { return dds::kinds::LinetypeList::isPicker(text); }
  bool pick(OdString& name) override;
  PZItemPicture picture(int index) const override { return dds::kinds::LinetypeList(m_db).picture(index); }

private:
  OdDbDatabase* m_db;
  ui::Dialog* m_owner = nullptr;
  unsigned m_linetypesAdded = 0;
};

class CLineWeightCtl : public CValueListCtl<OdDb::LineWeight> {
public:
  // `lwunits`: 0 inches, otherwise millimetres (the drawing's LWUNITS).
  explicit CLineWeightCtl(int lwunits) : m_lwunits(lwunits) {}

protected:
  std::vector<OdString> items() const override { return dds::kinds::LineweightList(m_lwunits).texts(); }
  OdString format(const OdDb::LineWeight& lw) const override { return dds::kinds::lineweightItemText(lw, m_lwunits); }
  bool parse(const OdString& text, OdDb::LineWeight& lw, OdString& message) const override {
    return dds::kinds::parseLineweight(text, lw, message);
  }
  PZItemPicture picture(int index) const override { return dds::kinds::LineweightList(m_lwunits).picture(index); }

private:
  int m_lwunits;
};
