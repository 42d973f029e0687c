#include "opm/general_properties.h"

#include <atomic>
#include <cmath>
#include <memory>

#include "OdDbDatabase.h"
#include "OdDbEntity.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbSymbolTable.h"
#include "OdResult.h"
#include "OdStringUtil.h"
#include "drawing_helpers.h"
#include "host_log.h"
#include "opm/list_kinds.h"
#include "opm/palette_change.h"
#include "ref_edit.h"
#include "text_format.h"
#include "units/host_units.h"

namespace {

using namespace opm::kinds;

// ---- the rows: what each reads, writes, shows and offers ----

// {0A1D5E10-00xx-4E3A-9C55-2F1B7A6C0D01}: the host's own row identifiers.
constexpr PZGuid generalId(std::uint16_t n) {
  return PZGuid{0x0A1D5E10, n, 0x4E3A, {0x9C, 0x55, 0x2F, 0x1B, 0x7A, 0x6C, 0x0D, 0x01}};
}

OdDbObjectId recordId(OdDbObjectId tableId, const OdString& name) {
  OdDbObjectPtr obj = tableId.openObject();
  const auto* table = dynamic_cast<const OdDbSymbolTable*>(obj.get());
  return table ? table->getAt(name) : OdDbObjectId();
}

struct ColorRow {
  using V = OdCmColor;
  static constexpr const char* kName = "General.Color";
  static constexpr PZGuid kId = generalId(1);
  static constexpr PZControlKind kControl = PZControlKind::kDropDown;
  static V get(const OdDbEntity& e) { return e.color(); }
  static bool set(OdDbEntity& e, const V& v) {
    e.setColor(v);
    return true;
  }
  static OdString format(OdDbDatabase*, const V& v) { return colorText(v); }
  static bool parse(OdDbDatabase*, const OdString& t, V& v, OdString& m) { return parseColor(t, true, v, m); }
  static std::vector<OdString> items(OdDbDatabase*) { return ColorList(true).texts(); }
  static PZItemPicture picture(OdDbDatabase*, int i) { return ColorList(true).picture(i); }
  static bool isPicker(const OdString& t) { return ColorList::isPicker(t); }
  static bool pick(OdDbDatabase*, V& v, OdString& m) { return ColorList(true).pick(nullptr, v, m); }
};

struct LayerRow {
  using V = OdString;
  static constexpr const char* kName = "General.Layer";
  static constexpr PZGuid kId = generalId(2);
  static constexpr PZControlKind kControl = PZControlKind::kDropDown;
  static V get(const OdDbEntity& e) { return e.layer(); }
  static bool set(OdDbEntity& e, const V& v) {
    OdDbDatabase* db = e.database();
    const OdDbObjectId id = db ? recordId(db->getLayerTableId(), v) : OdDbObjectId();
    if (id.isNull()) return false;
    e.setLayer(id);
    return true;
  }
  static OdString format(OdDbDatabase*, const V& v) { return v; }
  static bool parse(OdDbDatabase* db, const OdString& t, V& v, OdString& m) {
    const OdString name = trimmed(t);
    for (const OdString& layer : items(db))
      if (qrv::equalNoCase(layer, name)) {
        v = layer;
        return true;
      }
    m = hostFormat(say("\"%s\" is not a layer of this drawing").c_str(), name.c_str());
    return false;
  }
  // The drawing's layers in table order; a layer of an external reference
  // is not one an entity of this drawing can be put on.
  static std::vector<OdString> items(OdDbDatabase* db) {
    std::vector<OdString> names;
    if (!db) return names;
    OdDbObjectPtr obj = db->getLayerTableId().openObject();
    const auto* table = dynamic_cast<const OdDbSymbolTable*>(obj.get());
    if (!table) return names;
    for (OdDbObjectId id : table->recordIds()) {
      OdDbObjectPtr rec = id.openObject();
      const auto* layer = dynamic_cast<const OdDbSymbolTableRecord*>(rec.get());
      if (layer && !layer->isDependent()) names.push_back(layer->getName());
    }
    return names;
  }
  static PZItemPicture picture(OdDbDatabase*, int) { return {}; }
  static bool isPicker(const OdString&) { return false; }
  static bool pick(OdDbDatabase*, V&, OdString&) { return false; }
};

struct LinetypeRow {
  using V = OdString;
  static constexpr const char* kName = "General.Linetype";
  static constexpr PZGuid kId = generalId(3);
  static constexpr PZControlKind kControl = PZControlKind::kDropDown;
  static V get(const OdDbEntity& e) {
    const OdString name = e.linetype();
    return name.empty() ? OdString("ByLayer") : name;  // no linetype reads as the layer's
  }
  static bool set(OdDbEntity& e, const V& v) {
    OdDbDatabase* db = e.database();
    const OdDbObjectId id = db ? recordId(db->getLinetypeTableId(), v) : OdDbObjectId();
    if (id.isNull()) return false;
    e.setLinetype(id);
    return true;
  }
  static OdString format(OdDbDatabase*, const V& v) { return linetypeText(v); }
  static bool parse(OdDbDatabase* db, const OdString& t, V& v, OdString& m) { return parseLinetype(t, db, v, m); }
  static std::vector<OdString> items(OdDbDatabase* db) { return LinetypeList(db).texts(); }
  static PZItemPicture picture(OdDbDatabase* db, int i) { return LinetypeList(db).picture(i); }
  static bool isPicker(const OdString& t) { return LinetypeList::isPicker(t); }
  static bool pick(OdDbDatabase* db, V& v, OdString& m) { return LinetypeList(db).pick(nullptr, v, m); }
};

struct LinetypeScaleRow {
  using V = double;
  static constexpr const char* kName = "General.Linetype scale";
  static constexpr PZGuid kId = generalId(4);
  static constexpr PZControlKind kControl = PZControlKind::kEdit;
  static V get(const OdDbEntity& e) { return e.linetypeScale(); }
  static bool set(OdDbEntity& e, const V& v) {
    e.setLinetypeScale(v);
    return true;
  }
  // Decimal, with a point whatever the drawing's separator, as the
  // palette's numbers are.
  static OdString format(OdDbDatabase*, const V& v) {
    OdString text;
    hostdbRToS(v, 2, -1, text, -1, '.');
    return text;
  }
  static bool parse(OdDbDatabase*, const OdString& t, V& v, OdString& m) {
    double scale = 0;
    const OdString text = trimmed(t);
    if (!hostdbDisToF(text, 2, scale) && !hostEvaluateExpression(text, scale)) {
      m = hostFormat("%s %s", say("Invalid expression:").c_str(), text.c_str());
      return false;
    }
    if (!(scale > 0) || !std::isfinite(scale)) {
      m = say("The linetype scale must be greater than 0.");
      return false;
    }
    v = scale;
    return true;
  }
  static std::vector<OdString> items(OdDbDatabase*) { return {}; }
  static PZItemPicture picture(OdDbDatabase*, int) { return {}; }
  static bool isPicker(const OdString&) { return false; }
  static bool pick(OdDbDatabase*, V&, OdString&) { return false; }
};

struct LineweightRow {
  using V = OdDb::LineWeight;
  static constexpr const char* kName = "General.Lineweight";
  static constexpr PZGuid kId = generalId(5);
  static constexpr PZControlKind kControl = PZControlKind::kDropDown;
  static V get(const OdDbEntity& e) { return e.lineWeight(); }
  static bool set(OdDbEntity& e, const V& v) {
    e.setLineWeight(v);
    return true;
  }
  static OdString format(OdDbDatabase*, const V& v) { return lineweightText(v); }
  static bool parse(OdDbDatabase*, const OdString& t, V& v, OdString& m) { return parseLineweight(t, v, m); }
  static LineweightList list(OdDbDatabase* db) { return LineweightList(db ? db->getLWUNITS() : 1); }
  static std::vector<OdString> items(OdDbDatabase* db) { return list(db).texts(); }
  static PZItemPicture picture(OdDbDatabase* db, int i) { return list(db).picture(i); }
  static bool isPicker(const OdString&) { return false; }
  static bool pick(OdDbDatabase*, V&, OdString&) { return false; }
};

// ---- the framework: a bound property and its editor over a row ----

template <class I>
class RefCounted : public I {
public:
  long addRef() override { return ++m_refs; }
  long release() override {
    const long n = --m_refs;
    if (n == 0) delete this;
    return n;
  }

private:
  std::atomic<long> m_refs{0};
};

bool isOnLockedLayer(const OdDbEntity& entity) {
  OdDbObjectPtr layer = entity.layerId().openObject();
  const auto* record = dynamic_cast<const OdDbLayerTableRecord*>(layer.get());
  return record && record->isLocked();
}

enum : int { kOneValue, kVaries, kNotRead };

template <class Row>
class GeneralProperty : public RefCounted<IOdProperty> {
public:
  using V = typename Row::V;

  GeneralProperty() = default;

  bool queryInterface(const std::type_info& iid, void** out) override {
    if (iid == typeid(IOdProperty) || iid == typeid(IOdPropertyFactory) || iid == typeid(IPZUnknown)) {
      *out = static_cast<IOdProperty*>(this);
      addRef();
      return true;
    }
    *out = nullptr;
    return false;
  }

  // ---- the factory ----
  const PZGuid* propertyId() const override { return &m_id; }
  const OdRxClass* entityClass() const override { return OdDbEntity::desc(); }
  OdString paletteName() const override { return Row::kName; }
  int ordinal() const override { return -1; }
  bool createProperty(OdDbEntity* entity, IOdProperty** out) override {
    *out = nullptr;
    if (!entity) return false;
    return bind(entity->database(), std::make_shared<const OdDbObjectIdArray>(OdDbObjectIdArray{entity->objectId()}),
                hostIsA(entity), out);
  }
  bool createProperty(OdDbDatabase* db, OdDbObjectId id, const OdRxClass* cls, IOdProperty** out) override {
    return bind(db, std::make_shared<const OdDbObjectIdArray>(OdDbObjectIdArray{id}), cls, out);
  }
  bool createProperty(OdDbDatabase* db, const OdDbObjectIdArray& ids, const OdRxClass* cls,
                      IOdProperty** out) override {
    return bind(db, std::make_shared<const OdDbObjectIdArray>(ids), cls, out);
  }
  bool createPropertyShared(OdDbDatabase* db, std::shared_ptr<const OdDbObjectIdArray> ids, const OdRxClass* cls,
                            IOdProperty** out) override {
    return bind(db, std::move(ids), cls, out);
  }

  // ---- the bound property ----
  int isPointProperty() const override { return 0; }
  const OdRxClass* boundClass() const override { return m_class; }
  OdDbDatabase* boundDatabase() const override { return m_db; }
  int reserved() const override { return 0; }
  bool createEditor(IPZEditableProperty** out) override;
  bool isStale() const override { return m_state == kNotRead; }
  void markStale() override { m_state = kNotRead; }

  // kOneValue with `value` set, kVaries, or kNotRead when no selected
  // entity is left.
  int readValue(V& value) {
    if (m_state == kNotRead) {
      for (const OdDbObjectId& id : ids()) {
        OdDbObjectPtr obj = id.openObject();
        const auto* e = entity(obj.get());
        if (!e) continue;
        V v = Row::get(*e);
        if (m_state == kNotRead) {
          m_value = std::move(v);
          m_state = kOneValue;
        } else if (!(v == m_value)) {
          m_state = kVaries;
          break;
        }
      }
    }
    if (m_state == kOneValue) value = m_value;
    return m_state;
  }

  // Writes `value` to every selected entity that may change, as one
  // undoable step, until an entity refuses it.
  bool writeValue(const V& value, HostWriteReport& report) {
    HostPaletteChange change;
    change.begin(m_db, Row::kName);
    OdDbLongTransaction* refEdit = hostGetRefEditModeLT();
    bool ok = true;
    for (const OdDbObjectId& id : ids()) {
      OdDbObjectPtr obj = id.openObject();
      if (!obj) {
        ++report.unreadable;
        continue;
      }
      OdDbEntity* e = entity(obj.get());
      if (!e) continue;
      if (isOnLockedLayer(*e)) {
        ++report.onLockedLayers;
        continue;
      }
      if (refEdit && !refEdit->workSetHas(id)) {
        ++report.outsideRefEdit;
        continue;
      }
      try {
        obj->upgradeOpen();
        ok = Row::set(*e, value);
      } catch (const OdError& error) {
        hostTraceError("host/palette", __LINE__, E_FAIL, error.description());
        ok = false;
      }
      if (!ok) break;
      ++report.changed;
    }
    change.end();
    markStale();
    return ok;
  }

private:
  const OdDbObjectIdArray& ids() const {
    static const OdDbObjectIdArray kNone;
    return m_ids ? *m_ids : kNone;
  }
  // The entity when it is of the bound class (any entity without one).
  OdDbEntity* entity(OdDbObject* obj) const {
    auto* e = dynamic_cast<OdDbEntity*>(obj);
    const OdRxClass* cls = e ? hostIsA(e) : nullptr;
    return cls && (!m_class || cls->isDerivedFrom(m_class)) ? e : nullptr;
  }
  bool bind(OdDbDatabase* db, std::shared_ptr<const OdDbObjectIdArray> ids, const OdRxClass* cls,
            IOdProperty** out) {
    auto* copy = new GeneralProperty();
    copy->m_db = db;
    copy->m_ids = std::move(ids);
    copy->m_class = cls;
    copy->addRef();
    *out = copy;
    return true;
  }

  PZGuid m_id = Row::kId;
  OdDbDatabase* m_db = nullptr;
  std::shared_ptr<const OdDbObjectIdArray> m_ids;
  const OdRxClass* m_class = nullptr;
  int m_state = kNotRead;
  V m_value{};
};

template <class Row>
class GeneralEditor : public RefCounted<IPZEditableProperty> {
public:
  using V = typename Row::V;

  explicit GeneralEditor(GeneralProperty<Row>& property) : m_prop(&property) { m_prop->addRef(); }
  ~GeneralEditor() override { m_prop->release(); }

  bool queryInterface(const std::type_info& iid, void** out) override {
    if (iid == typeid(IPZEditableProperty) || iid == typeid(IPZUnknown)) {
      *out = static_cast<IPZEditableProperty*>(this);
      addRef();
      return true;
    }
    *out = nullptr;
    return false;
  }

  OdString paletteName() const override { return Row::kName; }
  void beginEdit() override {}
  void endEdit() override {}
  PZControlKind controlKind() const override { return Row::kControl; }
  // The window's own control shows the row: the host's rows take over none.
  bool createControl(HostWindowHandle, int) override { return false; }
  HostWindowHandle controlWindow() const override { return nullptr; }
  int controlId() const override { return 0; }
  void fillControl() override {}

  OdString valueText() override {
    V value{};
    return m_prop->readValue(value) == kOneValue ? Row::format(db(), value) : OdString();
  }
  std::vector<OdString> itemTexts() override { return Row::items(db()); }
  // Items are matched by the value they read as: a list may show a value
  // in other units than the row does (lineweights).
  int currentItem() override {
    V value{};
    if (m_prop->readValue(value) != kOneValue) return -1;
    const std::vector<OdString> items = Row::items(db());
    for (std::size_t i = 0; i < items.size(); ++i) {
      V candidate = value;
      OdString ignored;
      if (!Row::isPicker(items[i]) && Row::parse(db(), items[i], candidate, ignored) && candidate == value)
        return int(i);
    }
    return -1;
  }
  PZItemPicture itemPicture(int index) override { return Row::picture(db(), index); }
  bool valuesVary() override {
    V value{};
    return m_prop->readValue(value) == kVaries;
  }
  bool isEditable() override { return true; }
  bool opensPicker(const OdString& text) override { return Row::isPicker(text); }

  bool applyText(const OdString& text, OdString& message) override {
    message.clear();
    V value{};
    m_prop->readValue(value);  // a picker starts from the present value
    if (Row::isPicker(text)) {
      if (!Row::pick(db(), value, message)) return false;
    } else if (!Row::parse(db(), text, value, message)) {
      return false;
    }
    HostWriteReport report;
    const bool allTook = m_prop->writeValue(value, report);
    message = hostDescribeWriteReport(report, allTook);
    return allTook;
  }

private:
  OdDbDatabase* db() const { return m_prop->boundDatabase(); }
  GeneralProperty<Row>* m_prop;
};

template <class Row>
bool GeneralProperty<Row>::createEditor(IPZEditableProperty** out) {
  *out = nullptr;
  if (!m_db) return false;
  *out = new GeneralEditor<Row>(*this);
  (*out)->addRef();
  return true;
}

template <class Row>
IOdPropertyFactory* prototype() {
  auto* p = new GeneralProperty<Row>();
  p->addRef();  // kept for the session
  return p;
}

}  // namespace

const std::vector<IOdPropertyFactory*>& hostGeneralPropertyFactories() {
  // Kept for the whole session, never destroyed: the factories stay
  // reachable until the end, also for the leak checker.
  static const auto* const kFactories = new std::vector<IOdPropertyFactory*>{
      prototype<ColorRow>(), prototype<LayerRow>(), prototype<LinetypeRow>(), prototype<LinetypeScaleRow>(),
      prototype<LineweightRow>()};
  return *kFactories;
}
