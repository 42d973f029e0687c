#pragma once
// The generic palette property. A prototype is made once per catalogue entry
// and registered with every document; the palette binds a copy of it to the
// selected entities. The bound copy reads the value over the selection and
// caches the combined result (one value, or "varies"), and writes a new value
// to every selected entity that may change, inside one undoable step.
//
// P is the concrete property (a value kind over an entity class, a tag and an
// accessor), E the entity class, V the value type.
#include <memory>
#include <type_traits>

#include "OdDbDatabase.h"
#include "OdDbEntity.h"
#include "OdGePoint3d.h"
#include "OdResult.h"
#include "dimprops/entity_enum.h"
#include "dimprops/pz_unknown.h"
#include "dimprops/undo_context.h"
#include "host_log.h"
#include "host_result.h"

// The selection a bound property works on; shared by all properties bound
// to the same selection, so a row costs no memory per entity.
using SharedIdArray = std::shared_ptr<const OdDbObjectIdArray>;

// Reading states.
enum : int { kPropOneValue = 0, kPropVaries = 1, kPropNotRead = 2 };

template <class P, class E, class V>
class TOdProperty : public CPZUnknownImpl<IOdProperty>,
                    public TRequestConnectionPointImpl<IPZEditablePropertySink> {
public:
  using value_type = V;
  using entity_type = E;
  // The property's own count; the connection point forwards to it.
  using CPZUnknownImpl<IOdProperty>::addRef;
  using CPZUnknownImpl<IOdProperty>::release;
  using CPZUnknownImpl<IOdProperty>::queryInterface;

  TOdProperty(const OdString& paletteName, const PZGuid& guid) : m_name(paletteName), m_guid(guid) {}
  TOdProperty(const TOdProperty& o)
      : CPZUnknownImpl<IOdProperty>(o),
        TRequestConnectionPointImpl<IPZEditablePropertySink>(o),
        m_name(o.m_name),
        m_guid(o.m_guid),
        m_db(o.m_db),
        m_ids(o.m_ids),
        m_class(o.m_class),
        m_state(kPropNotRead),
        m_value(),
        m_flag(o.m_flag),
        m_sink(*this) {}

  // ---- the factory ----
  const PZGuid* propertyId() const override { return &m_guid; }
  const OdRxClass* entityClass() const override { return E::desc(); }
  OdString paletteName() const override { return m_name; }
  int ordinal() const override { return -1; }

  bool createProperty(OdDbEntity* entity, IOdProperty** out) override {
    *out = nullptr;
    if (!entity) return false;
    OdDbObjectIdArray one{entity->objectId()};
    return bind(entity->database(), std::make_shared<const OdDbObjectIdArray>(std::move(one)),
                hostIsA(entity), out);
  }
  bool createProperty(OdDbDatabase* db, OdDbObjectId id, const OdRxClass* cls,
                      IOdProperty** out) override {
    return bind(db, std::make_shared<const OdDbObjectIdArray>(OdDbObjectIdArray{id}), cls, out);
  }
  bool createProperty(OdDbDatabase* db, const OdDbObjectIdArray& ids, const OdRxClass* cls,
                      IOdProperty** out) override {
    return bind(db, std::make_shared<const OdDbObjectIdArray>(ids), cls, out);
  }
  bool createPropertyShared(OdDbDatabase* db, SharedIdArray ids, const OdRxClass* cls,
                            IOdProperty** out) override {
    return bind(db, std::move(ids), cls, out);
  }

  // ---- the bound property ----
  int isPointProperty() const override { return std::is_same_v<V, OdGePoint3d> ? 1 : 0; }
  const OdRxClass* boundClass() const override { return m_class; }
  OdDbDatabase* boundDatabase() const override { return m_db; }
  int reserved() const override { return 0; }
  bool createEditor(IPZEditableProperty** out) override {
    *out = nullptr;
    if (!m_db) return false;
    *out = static_cast<P*>(this)->newEditor();
    (*out)->addRef();
    return true;
  }
  bool isStale() const override { return m_state == kPropNotRead; }
  void markStale() override { m_state = kPropNotRead; }

  const OdDbObjectIdArray& selection() const {
    static const OdDbObjectIdArray kNone;
    return m_ids ? *m_ids : kNone;
  }

  // The combined value: kPropOneValue with `value` set, kPropVaries, or
  // kPropNotRead when no selected entity carries the property.
  int readValue(V& value) {
    if (m_state == kPropNotRead) {
      enumerateEntities<E>(selection(), false, m_class, [this](E* e) {
        V v = static_cast<P*>(this)->getValue(e);
        if (m_state == kPropNotRead) {
          m_value = std::move(v);
          m_state = kPropOneValue;
          return true;
        }
        if (!(v == m_value)) {
          m_state = kPropVaries;
          return false;
        }
        return true;
      });
    }
    if (m_state == kPropOneValue) value = m_value;
    return m_state;
  }

  // Writes `value` to every selected entity that may change, as one
  // undoable step, until an entity refuses it.
  bool writeValue(const V& value, EnumReport& report) {
    m_sink.onBeginChange(m_name);
    const bool ok = enumerateEntities<E>(
        selection(), true, m_class,
        [&](E* e) { return static_cast<P*>(this)->setValue(e, value); }, &report);
    m_sink.onEndChange();
    markStale();
    forEachSink([](IPZEditablePropertySink& s) { s.onValueChanged(); });
    return ok;
  }

  // Whether every selected entity lets the row be edited: the availability
  // test walks the selection from the last entity to the first.
  bool isAvailable() {
    const OdDbObjectIdArray& ids = selection();
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
      OdDbObjectPtr obj = it->openObject();
      E* e = obj ? dynamic_cast<E*>(obj.get()) : nullptr;
      if (!e) {
        hostTraceError("dimprops", __LINE__, E_FAIL, "CONTINUEERRIF marco, expr: pDim.isNull() ");
        continue;
      }
      if (!static_cast<P*>(this)->availableFor(e)) return false;
    }
    return true;
  }

  IPZEditablePropertySink& sink() { return m_sink; }
  IPZUnknown& unknown() { return static_cast<CPZUnknownImpl<IOdProperty>&>(*this); }

protected:
  // Every property carries an availability test; most are always editable.
  bool availableFor(const E*) const { return true; }

  bool queryOther(const std::type_info& iid, void** out) override {
    if (iid == typeid(IPZConnectionPoint<IPZEditablePropertySink>)) {
      *out = static_cast<IPZConnectionPoint<IPZEditablePropertySink>*>(this);
      return true;
    }
    if (iid == typeid(IOdPropertyFactory)) {
      *out = static_cast<IOdPropertyFactory*>(this);
      return true;
    }
    return false;
  }
  IPZUnknown& outer() override { return unknown(); }

private:
  // The property's own sink: on "begin a change" it prepares the undo
  // context with the bound drawing and starts it.
  class CEditablePropertySink : public TSinkImpl<IPZEditablePropertySink, TOdProperty> {
  public:
    explicit CEditablePropertySink(TOdProperty& owner)
        : TSinkImpl<IPZEditablePropertySink, TOdProperty>(owner) {}
    void onBeginChange(const OdString& description) override {
      m_undo.setDatabase(this->owner().m_db);
      m_undo.begin(description);
    }
    void onEndChange() override { m_undo.end(); }

  private:
    dbUndoTransactionCtx m_undo;
  };

  bool bind(OdDbDatabase* db, SharedIdArray ids, const OdRxClass* cls, IOdProperty** out) {
    *out = nullptr;
    P* copy = new P(static_cast<const P&>(*this));
    copy->m_db = db;
    copy->m_ids = std::move(ids);
    copy->m_class = cls;
    copy->m_flag = false;
    copy->addRef();
    *out = copy;
    return true;
  }

  OdString m_name;
  PZGuid m_guid;
  OdDbDatabase* m_db = nullptr;
  SharedIdArray m_ids;
  const OdRxClass* m_class = nullptr;
  int m_state = kPropNotRead;
  V m_value{};
  bool m_flag = true;  // the registered prototype
  CEditablePropertySink m_sink{*this};
};
