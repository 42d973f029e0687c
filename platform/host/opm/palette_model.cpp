#include "opm/palette_model.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "OdDbDatabase.h"
#include "OdDbEntity.h"
#include "OdStringUtil.h"
#include "documents.h"
#include "drawing_helpers.h"
#include "host_log.h"
#include "opm/general_properties.h"
#include "property_manager.h"
#include "text_format.h"
#include "translation.h"

namespace {

struct ClassName {
  const char* cls;
  const char* en;
  const char* ru;
};
constexpr ClassName kClassNames[] = {
    {"OdDbRotatedDimension", "Rotated Dimension", "Повернутый размер"},
    {"OdDbAlignedDimension", "Aligned Dimension", "Параллельный размер"},
    {"OdDbArcDimension", "Arc Dimension", "Размер длины дуги"},
    {"OdDbDiametricDimension", "Diametric Dimension", "Диаметр"},
    {"OdDbRadialDimension", "Radial Dimension", "Радиус"},
    {"OdDb2LineAngularDimension", "Angular Dimension", "Угловой размер"},
    {"OdDb3PointAngularDimension", "3-Point Angular Dimension", "Угловой размер по 3 точкам"},
    {"OdDbOrdinateDimension", "Ordinate Dimension", "Ординатный размер"},
    {"QrHugeRadius", "Jogged Radius Dimension", "Радиус с изломом"},
    {"OdDbLeader", "Leader", "Выноска"},
    {"OdDbLine", "Line", "Отрезок"},
    {"OdDbCircle", "Circle", "Круг"},
    {"OdDbArc", "Arc", "Дуга"},
    {"OdDbPolyline", "Polyline", "Полилиния"},
    {"OdDbText", "Text", "Текст"},
    {"OdDbMText", "MText", "Мтекст"},
    {"OdDbBlockReference", "Block Reference", "Вхождение блока"},
    {"OdDbPoint", "Point", "Точка"},
    {"OdDbSolid", "Solid", "Фигура"},
    {"OdDbEllipse", "Ellipse", "Эллипс"},
    {"OdDbSpline", "Spline", "Сплайн"},
    {"OdDbRay", "Ray", "Луч"},
    {"OdDbXline", "Construction Line", "Прямая"},
    {"OdDbFace", "3D Face", "3D-грань"},
    {"OdDbTrace", "Trace", "Полоса"},
};

bool russian() { return hostLanguage() == HostLanguage::kRussian; }

OdString allText(bool inRussian) { return inRussian ? "Все" : "All"; }

OdString withCount(const OdString& text, int count) { return hostFormat("%s (%d)", text.c_str(), count); }

OdString classNameIn(const OdRxClass* cls, bool inRussian) {
  if (!cls) return OdString();
  for (const ClassName& n : kClassNames)
    if (std::strcmp(n.cls, cls->name()) == 0) return inRussian ? n.ru : n.en;
  // Other classes by their own name, without the library prefix.
  OdString name = cls->name();
  if (name.rfind("OdDb", 0) == 0) name.erase(0, 4);
  return name;
}

const OdRxClass* factoryClassFor(const OdRxClass* cls, IOdPropertyFactory* f) {
  return cls && cls->isDerivedFrom(f->entityClass()) ? cls : nullptr;
}

}  // namespace

OdString hostClassDisplayName(const OdRxClass* cls) { return classNameIn(cls, russian()); }

PaletteModel::PaletteModel(HostApDocument& doc) : m_doc(doc) {
  m_previousListener = hostPaletteListener();
  hostSetPaletteListener(this);
}

PaletteModel::~PaletteModel() {
  m_rows.clear();  // the editors go before the listener does
  m_retiredRows.clear();
  if (hostPaletteListener() == this) hostSetPaletteListener(m_previousListener);
}

void PaletteModel::setSelection(const OdDbObjectIdArray& ids) {
  // Each entity once, in the order picked.
  OdDbObjectIdArray unique;
  unique.reserve(ids.size());
  std::vector<OdDbObjectId> seen(ids.begin(), ids.end());
  std::sort(seen.begin(), seen.end());
  seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
  if (seen.size() == ids.size()) {
    unique = ids;
  } else {
    std::vector<bool> taken(seen.size(), false);
    for (const OdDbObjectId& id : ids) {
      const auto at = std::size_t(std::lower_bound(seen.begin(), seen.end(), id) - seen.begin());
      if (!taken[at]) {
        taken[at] = true;
        unique.push_back(id);
      }
    }
  }

  // Group by class, classes in the order first met. An entity erased since
  // it was picked is no longer part of the selection: it is neither shown
  // nor counted.
  m_classes.clear();
  std::vector<OdDbObjectIdArray> groups;
  std::map<const OdRxClass*, std::size_t> index;
  OdDbObjectIdArray existing;
  existing.reserve(unique.size());
  for (const OdDbObjectId& id : unique) {
    OdDbObjectPtr obj = id.openObject();
    const OdRxClass* cls = obj ? hostIsA(obj.get()) : nullptr;
    if (!cls) continue;
    existing.push_back(id);
    auto [it, added] = index.emplace(cls, m_classes.size());
    if (added) {
      m_classes.push_back({cls, 0});
      groups.emplace_back();
    }
    ++m_classes[it->second].count;
    groups[it->second].push_back(id);
  }
  m_selection = std::make_shared<const OdDbObjectIdArray>(std::move(existing));
  m_classIds.clear();
  for (auto& g : groups) m_classIds.push_back(std::make_shared<const OdDbObjectIdArray>(std::move(g)));
  m_filter = -1;
  rebuild();
}

std::vector<OdString> PaletteModel::filterEntries() const {
  std::vector<OdString> entries;
  if (m_classes.size() < 2) return entries;
  int total = 0;
  for (const ClassCount& c : m_classes) total += c.count;
  entries.push_back(withCount(allText(russian()), total));
  for (const ClassCount& c : m_classes) entries.push_back(withCount(hostClassDisplayName(c.cls), c.count));
  return entries;
}

OdString PaletteModel::currentFilterEntry() const {
  if (m_classes.empty()) return OdString();
  if (m_filter < 0) {
    if (m_classes.size() == 1) return withCount(hostClassDisplayName(m_classes[0].cls), m_classes[0].count);
    return filterEntries().front();
  }
  const ClassCount& c = m_classes[std::size_t(m_filter)];
  return withCount(hostClassDisplayName(c.cls), c.count);
}

bool PaletteModel::setFilter(const OdString& entry) {
  const OdString wanted = entry;
  auto matches = [&](const OdString& text, int count) {
    return qrv::equalNoCase(wanted, text) || qrv::equalNoCase(wanted, withCount(text, count));
  };
  int total = 0;
  for (const ClassCount& c : m_classes) total += c.count;
  int chosen = -2;
  if (matches(allText(false), total) || matches(allText(true), total)) chosen = -1;
  for (std::size_t i = 0; i < m_classes.size() && chosen == -2; ++i) {
    const ClassCount& c = m_classes[i];
    if (matches(classNameIn(c.cls, false), c.count) || matches(classNameIn(c.cls, true), c.count))
      chosen = int(i);
  }
  if (chosen == -2) return false;
  if (chosen != m_filter) {
    m_filter = chosen;
    rebuild();
  }
  return true;
}

void PaletteModel::rebuild() {
  m_retiredRows = std::move(m_rows);
  m_rows.clear();
  ++m_generation;
  m_rebuildPending = false;
  HostPropertyManager* manager = nullptr;
  if (!m_doc.getPropManager(&manager) || !manager) return;
  OdDbDatabase* db = m_doc.database();
  // The host's rows of every entity first, then the modules' rows.
  std::vector<IOdPropertyFactory*> factories = hostGeneralPropertyFactories();
  factories.insert(factories.end(), manager->factories().begin(), manager->factories().end());

  // The classes the rows must fit: the filtered one, or every selected one;
  // the drawing itself when nothing is selected.
  std::vector<std::size_t> groups;
  if (m_filter >= 0) {
    groups.push_back(std::size_t(m_filter));
  } else {
    for (std::size_t i = 0; i < m_classes.size(); ++i) groups.push_back(i);
  }
  const bool onDrawing = selection().empty();

  // Category order: as the factories first name each category.
  std::vector<OdString> categories;
  auto categoryOf = [](const OdString& name) { return name.substr(0, name.find('.')); };
  for (IOdPropertyFactory* f : factories) {
    const OdString cat = categoryOf(f->paletteName());
    if (std::find(categories.begin(), categories.end(), cat) == categories.end()) categories.push_back(cat);
  }

  struct Candidate {
    std::size_t order;
    std::vector<IOdPropertyFactory*> perGroup;
  };
  std::map<PZGuid, Candidate> candidates;
  for (std::size_t order = 0; order < factories.size(); ++order) {
    IOdPropertyFactory* f = factories[order];
    if (onDrawing) {
      if (f->entityClass() != OdDbDatabase::desc()) continue;
      candidates.emplace(*f->propertyId(), Candidate{order, {f}});
      continue;
    }
    if (f->entityClass() == OdDbDatabase::desc()) continue;
    for (std::size_t k = 0; k < groups.size(); ++k) {
      if (!factoryClassFor(m_classes[groups[k]].cls, f)) continue;
      auto [it, added] = candidates.emplace(*f->propertyId(), Candidate{order, {}});
      it->second.perGroup.resize(groups.size(), nullptr);
      if (!it->second.perGroup[k]) it->second.perGroup[k] = f;
    }
  }

  std::vector<std::pair<std::pair<std::size_t, std::size_t>, PZGuid>> order;
  for (auto& [id, c] : candidates) {
    const bool everywhere =
        std::all_of(c.perGroup.begin(), c.perGroup.end(), [](IOdPropertyFactory* f) { return f != nullptr; });
    if (!everywhere || c.perGroup.empty()) continue;
    const OdString cat = categoryOf(factories[c.order]->paletteName());
    const auto catIndex = std::size_t(std::find(categories.begin(), categories.end(), cat) - categories.begin());
    order.push_back({{catIndex, c.order}, id});
  }
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

  for (const auto& [key, id] : order) {
    const Candidate& c = candidates[id];
    Row row;
    row.name = factories[c.order]->paletteName();
    const std::size_t dot = row.name.find('.');
    row.category = row.name.substr(0, dot);
    row.label = dot == OdString::npos ? row.name : row.name.substr(dot + 1);
    row.id = id;
    for (std::size_t k = 0; k < c.perGroup.size(); ++k) {
      PZPtr<IOdProperty> property;
      const bool bound =
          onDrawing ? c.perGroup[k]->createProperty(db, OdDbObjectIdArray(), OdDbDatabase::desc(), property.put())
                    : c.perGroup[k]->createPropertyShared(db, m_classIds[groups[k]], m_classes[groups[k]].cls,
                                                          property.put());
      PZPtr<IPZEditableProperty> editor;
      if (!bound || !property || !property->createEditor(editor.put()) || !editor) continue;
      row.properties.push_back(std::move(property));
      row.editors.push_back(std::move(editor));
    }
    if (!row.editors.empty()) m_rows.push_back(std::move(row));
  }
}

const PaletteModel::Row* PaletteModel::findRow(const OdString& name) const {
  for (const Row& r : m_rows)
    if (qrv::equalNoCase(r.name, name) || qrv::equalNoCase(shownName(r), name)) return &r;
  return nullptr;
}

OdString PaletteModel::shownName(const Row& row) { return Supp_Translate(row.name); }

OdString PaletteModel::shownCategory(const Row& row) {
  const OdString shown = shownName(row);
  const std::size_t dot = shown.find('.');
  return dot == OdString::npos ? OdString() : shown.substr(0, dot);
}

OdString PaletteModel::shownLabel(const Row& row) {
  const OdString shown = shownName(row);
  const std::size_t dot = shown.find('.');
  return dot == OdString::npos ? shown : shown.substr(dot + 1);
}

PZControlKind PaletteModel::controlKind(const Row& row) {
  return row.editors.empty() ? PZControlKind::kEdit : row.editors.front()->controlKind();
}

bool PaletteModel::varies(const Row& row) const {
  if (row.editors.empty()) return false;
  const OdString first = row.editors.front()->valueText();
  for (const auto& e : row.editors)
    if (e->valuesVary() || e->valueText() != first) return true;
  return false;
}

OdString PaletteModel::valueText(const Row& row) const {
  return varies(row) || row.editors.empty() ? OdString() : row.editors.front()->valueText();
}

OdString PaletteModel::valueTip(const Row& row) const {
  return varies(row) || row.editors.empty() ? OdString() : row.editors.front()->valueTip();
}

bool PaletteModel::isReadOnly(const Row& row) const {
  return std::any_of(row.editors.begin(), row.editors.end(), [](const auto& e) { return !e->isEditable(); });
}

std::vector<OdString> PaletteModel::itemTexts(const Row& row) const {
  return row.editors.empty() ? std::vector<OdString>() : row.editors.front()->itemTexts();
}

int PaletteModel::currentItem(const Row& row) const {
  return varies(row) || row.editors.empty() ? -1 : row.editors.front()->currentItem();
}

PZItemPicture PaletteModel::itemPicture(const Row& row, int index) const {
  return row.editors.empty() ? PZItemPicture{} : row.editors.front()->itemPicture(index);
}

bool PaletteModel::setValue(const Row& row, const OdString& text, OdString& message) {
  message.clear();
  if (isReadOnly(row)) {
    message = hostFormat(russian() ? "Свойство \"%s\" только для чтения." : "\"%s\" is read-only.",
                         shownName(row).c_str());
    m_lastMessage = message;
    return false;
  }
  OdDbDatabase* db = m_doc.database();
  // Several classes behind one row still make one undo step.
  const bool grouped = row.editors.size() > 1 && db;
  if (grouped) db->beginUndoGroup("OPM_CHGPROP");
  bool ok = true;
  m_busy = true;
  const std::vector<PZPtr<IPZEditableProperty>> editors = row.editors;  // a refresh may rebuild the rows
  // A picker entry asks the user once: the other classes take what was picked.
  OdString textForAll = text;
  for (const auto& e : editors) {
    OdString part;
    e->beginEdit();
    const bool took = e->applyText(textForAll, part);
    e->endEdit();
    if (took && e.get() == editors.front().get() && e->opensPicker(text)) {
      const OdString tip = e->valueTip();  // the block behind "User arrow..."
      textForAll = tip.empty() ? e->valueText() : tip;
    }
    if (!part.empty() && message.find(part) == OdString::npos) message += (message.empty() ? "" : " ") + part;
    if (!took) {
      ok = false;
      break;
    }
  }
  m_busy = false;
  if (grouped) db->endUndoGroup();
  for (const auto& r : m_rows)
    for (const auto& p : r.properties) p->markStale();
  applyPendingRefresh();
  m_lastMessage = message;
  return ok;
}

bool PaletteModel::applyPick(IPZEditableProperty& editor, const OdString& text) {
  for (const Row& r : m_rows)
    for (const auto& e : r.editors)
      if (e.get() == &editor) {
        OdString message;
        if (!setValue(r, text, message) || !message.empty())
          hostTraceNote("host/palette", __LINE__, shownName(r) + ": " + message);
        return true;
      }
  // Another palette open before this one may own it.
  return m_previousListener && m_previousListener->applyPick(editor, text);
}

void PaletteModel::updateProperties(const OdString& paletteName) {
  for (const Row& r : m_rows)
    if (r.name == paletteName)
      for (const auto& p : r.properties) p->markStale();
}

void PaletteModel::refreshProperties(bool rebuildRows) {
  if (rebuildRows) m_rebuildPending = true;
  for (const Row& r : m_rows)
    for (const auto& p : r.properties) p->markStale();
  if (!m_busy) applyPendingRefresh();
}

void PaletteModel::applyPendingRefresh() {
  if (m_rebuildPending) rebuild();
}
