#pragma once
// The contract between the Properties palette and the modules that give it
// properties. A module registers property factories with each document's
// property manager; the palette asks a factory for a property bound to the
// selected entities, and the bound property for an editor object that shows
// the value, offers the choices and applies what the user typed or picked.
//
// Every object is reference counted through IPZUnknown. Interfaces are told
// apart by their C++ type identity: queryInterface compares the type_info of
// the interface asked for with those the object implements.
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <vector>

#include "OdCmColor.h"
#include "OdDbObjectId.h"
#include "OdString.h"
#include "host_window.h"

class OdDbDatabase;
class OdDbEntity;
class OdRxClass;

// A property identifier: the usual 16-byte GUID layout.
struct PZGuid {
  std::uint32_t data1;
  std::uint16_t data2, data3;
  std::uint8_t data4[8];
  bool operator==(const PZGuid& other) const;
  bool operator!=(const PZGuid& other) const { return !(*this == other); }
  bool operator<(const PZGuid& other) const;
};
// "{05D44474-0005-4370-A655-6898FDB82D60}"
OdString pzGuidText(const PZGuid& guid);

class IPZUnknown {
public:
  virtual long addRef() = 0;
  virtual long release() = 0;
  // Hands out the sub-object implementing `iid` with one reference added;
  // false (and *out null) when the object has no such interface.
  virtual bool queryInterface(const std::type_info& iid, void** out) = 0;

protected:
  virtual ~IPZUnknown() = default;
};

class IOdProperty;
class IPZEditableProperty;

class IOdPropertyFactory : public IPZUnknown {
public:
  virtual const PZGuid* propertyId() const = 0;
  // The entity class the property applies to (derived classes included).
  virtual const OdRxClass* entityClass() const = 0;
  // "Category.Row label", in English: the key rows are refreshed by.
  virtual OdString paletteName() const = 0;
  virtual int ordinal() const = 0;  // -1: the palette orders by registration
  // A property bound to one open entity, or to a database and identifiers.
  // Each hands out the new property with one reference and answers true.
  virtual bool createProperty(OdDbEntity* entity, IOdProperty** out) = 0;
  virtual bool createProperty(OdDbDatabase* db, OdDbObjectId id, const OdRxClass* cls,
                              IOdProperty** out) = 0;
  virtual bool createProperty(OdDbDatabase* db, const OdDbObjectIdArray& ids, const OdRxClass* cls,
                              IOdProperty** out) = 0;
  // As above, sharing the caller's array: every row of a big selection
  // binds to one array instead of a copy each.
  virtual bool createPropertyShared(OdDbDatabase* db, std::shared_ptr<const OdDbObjectIdArray> ids,
                                    const OdRxClass* cls, IOdProperty** out) = 0;
};

class IOdProperty : public IOdPropertyFactory {
public:
  // 1 for a point (shown as "x, y, z"), 0 otherwise.
  virtual int isPointProperty() const = 0;
  virtual const OdRxClass* boundClass() const = 0;
  virtual OdDbDatabase* boundDatabase() const = 0;
  virtual int reserved() const = 0;  // answers 0
  // Fails (false) when the property is bound to no database.
  virtual bool createEditor(IPZEditableProperty** out) = 0;
  virtual bool isStale() const = 0;
  // The next read goes to the entities again.
  virtual void markStale() = 0;
};

// How an editor object edits in place.
enum class PZControlKind { kEdit, kDropDown };

// The picture beside a list item, as data: each front end draws it its own
// way (the window layer's swatches, the docked panel's icons).
struct PZItemPicture {
  enum class Kind { kNone, kColor, kLinetype, kLineweight, kArrow };
  Kind kind = Kind::kNone;
  OdCmColor color;             // kColor: by layer and by block show in the text's colour
  std::vector<double> dashes;  // kLinetype: dashes positive, gaps negative, dots 0; empty is continuous
  int lineweight = 0;          // kLineweight: hundredths of a millimetre; negative: the default width
  OdString arrowBlock;         // kArrow: "" closed filled, "_Open30", ..., or a block of the drawing
};

class IPZEditableProperty : public IPZUnknown {
public:
  virtual OdString paletteName() const = 0;
  virtual void beginEdit() = 0;
  virtual void endEdit() = 0;
  virtual PZControlKind controlKind() const = 0;
  // Takes over the control `controlId` of the palette window `parent`
  // (a drop-down or an edit box of the window layer, as controlKind says)
  // and fills it; the control is taken over once. False when there is no
  // such control.
  virtual bool createControl(HostWindowHandle parent, int controlId) = 0;
  virtual HostWindowHandle controlWindow() const = 0;
  virtual int controlId() const = 0;
  // Refills the control taken over: the items, and the current one selected.
  virtual void fillControl() = 0;
  // The value as the row shows it; empty when the selection varies.
  virtual OdString valueText() = 0;
  // The texts a list row offers, in order (empty for edit rows).
  virtual std::vector<OdString> itemTexts() = 0;
  // The item that stands for the current value; -1 when none does (the
  // selection varies, or the value is not among the items).
  virtual int currentItem() = 0;
  // Checks the text as typed (or an item's text) and writes the value to
  // every selected entity in one undoable change. False when the text was
  // refused or not every entity took the value; `message` then says why.
  virtual bool applyText(const OdString& text, OdString& message) = 0;
  // The selected entities hold different values.
  virtual bool valuesVary() = 0;
  // False for rows shown read-only.
  virtual bool isEditable() = 0;
  // What the value's text leaves out, for the row's tooltip (the block
  // behind "User arrow..."); empty when the text says it all.
  virtual OdString valueTip() { return OdString(); }
  // The text is a list entry that opens a picker ("More Colors...").
  virtual bool opensPicker(const OdString& text) {
    (void)text;
    return false;
  }
  // The picture beside item `index` of itemTexts (none for most kinds).
  virtual PZItemPicture itemPicture(int index) {
    (void)index;
    return {};
  }
};

// What a property hears of the editing its editor object does.
class IPZEditablePropertySink : public IPZUnknown {
public:
  virtual void onBeginEdit() = 0;
  virtual void onEndEdit() = 0;
  // A change named `description` is about to be written.
  virtual void onBeginChange(const OdString& description) = 0;
  virtual void onEndChange() = 0;
  // The value changed / the row must be read again.
  virtual void onValueChanged() = 0;
  virtual void onRequestRefresh() = 0;
};

template <class Sink>
class IPZConnectionPoint : public IPZUnknown {
public:
  virtual bool advise(Sink* sink) = 0;
  virtual bool unadvise(Sink* sink) = 0;
};

// Releases on scope exit; the usual holder of an interface pointer.
template <class I>
class PZPtr {
public:
  PZPtr() = default;
  // Takes over a reference the caller already holds.
  explicit PZPtr(I* p) : m_p(p) {}
  PZPtr(const PZPtr& o) : m_p(o.m_p) {
    if (m_p) m_p->addRef();
  }
  PZPtr(PZPtr&& o) noexcept : m_p(o.m_p) { o.m_p = nullptr; }
  PZPtr& operator=(PZPtr o) noexcept {
    std::swap(m_p, o.m_p);
    return *this;
  }
  ~PZPtr() {
    if (m_p) m_p->release();
  }
  I* get() const { return m_p; }
  I* operator->() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  I** put() {
    *this = PZPtr();
    return &m_p;
  }

private:
  I* m_p = nullptr;
};
