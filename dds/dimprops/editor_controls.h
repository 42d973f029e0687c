#pragma once
// The owner-drawn lists of the style editor's pages: an arrowhead, a colour,
// a fill colour, a linetype and a lineweight list that hold a value of their
// own (not a selection's), attach to any owner-drawn drop-down of a dialog,
// draw their items with the same pictures as the palette, open the host's
// pickers for "User arrow...", "More Colors..." and "Load...", and tell
// their owner when the user picked a new value.
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
  virtual dds::paint::Picture picture(int index) const = 0;
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
  std::vector<OdString> items() const override;
  OdString format(const OdString& name) const override { return dds::kinds::arrowText(name); }
  bool parse(const OdString& text, OdString& name, OdString& message) const override;
  bool isPickerItem(const OdString& text) const override;
  bool pick(OdString& name) override;
  dds::paint::Picture picture(int index) const override;
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
  std::vector<OdCmColor> colors() const;
  std::vector<OdString> items() const override;
  OdString format(const OdCmColor& c) const override { return dds::kinds::colorText(c); }
  bool parse(const OdString& text, OdCmColor& c, OdString& message) const override {
    return dds::kinds::parseColor(text, m_byLayerAndBlock, c, message);
  }
  bool isPickerItem(const OdString& text) const override;
  bool pick(OdCmColor& c) override;
  dds::paint::Picture picture(int index) const override;

private:
  bool m_byLayerAndBlock;
};

class CFillColorCtl : public CValueListCtl<QrFillColor> {
protected:
  std::vector<OdString> items() const override;
  OdString format(const QrFillColor& f) const override { return dds::kinds::fillColorText(f); }
  bool parse(const OdString& text, QrFillColor& f, OdString& message) const override {
    return dds::kinds::parseFillColor(text, f, message);
  }
  bool isPickerItem(const OdString& text) const override;
  bool pick(QrFillColor& f) override;
  dds::paint::Picture picture(int index) const override;
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
  std::vector<OdString> items() const override;
  OdString format(const OdString& name) const override { return dds::kinds::linetypeText(name); }
  bool parse(const OdString& text, OdString& name, OdString& message) const override {
    return dds::kinds::parseLinetype(text, m_db, name, message);
  }
  bool isPickerItem(const OdString& text) const override;
  bool pick(OdString& name) override;
  dds::paint::Picture picture(int index) const override;

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
  std::vector<OdString> items() const override;
  OdString format(const OdDb::LineWeight& lw) const override { return dds::kinds::lineweightItemText(lw, m_lwunits); }
  bool parse(const OdString& text, OdDb::LineWeight& lw, OdString& message) const override {
    return dds::kinds::parseLineweight(text, lw, message);
  }
  dds::paint::Picture picture(int index) const override;

private:
  int m_lwunits;
};
