#include "DxfDrawingReader.h"

#include "DxfActiveViewport.h"

#include "DxfDimVarChecks.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <span>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "DxfDimVarCodec.h"
#include "DxfDrawingSource.h"
#include "DxfEntityRecord.h"
#include "DxfError.h"
#include "DxfForeignShapes.h"
#include "DxfHeaderCodec.h"
#include "DxfHatchRecord.h"
#include "DxfLayoutRecords.h"
#include "DxfMTextLook.h"
#include "DxfRawRecord.h"
#include "DxfReadAhead.h"
#include "DxfSecondThread.h"
#include "DxfXDataCodec.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "DxfDimAssocRecord.h"
#include "OdDbDictionary.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLeader.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbRegAppTableRecord.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdDmUtil.h"
#include "OdStringUtil.h"

namespace {

using namespace dxfrecord;
constexpr double kDegree = std::numbers::pi / 180.0;

// The sections a drawing has one of, each in its place.
bool isStandardSection(std::string_view name) {
  for (const char* standard : {"HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"})
    if (name == standard) return true;
  return false;
}

// A record as the read-ahead thread prepares it.
struct PreparedRecord {
  std::size_t index = 0;
  bool ready = false;
  Tags tags;
  OdDbObjectPtr object;  // entity records: the object made for it
  Kind kind = Kind::kForeign;
  bool filled = false;   // plain entities: geometry set, `refs` to apply
  EntityRefs refs;
};

// The tags of a record, from the tag index where it has them, else split
// from the text; with every number checked against its group code when
// `check`.
void recordTags(const DxfDrawingSource& src, const DxfTagIndex* index, std::size_t i, Tags& out,
                bool check = true) {
  const DxfRecordSpan& span = src.spans[i];
  if (index && index->tags(i, src.doc.bytes(), span.begin, span.line, out)) {
    if (check)
      for (DxfTag& t : out) dxfCheckValueKeeping(t);
    else
      for (DxfTag& t : out) t.number = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  out.clear();
  for (const DxfTag& t : src.tags(i)) {
    out.push_back(t);
    if (check) dxfCheckValueKeeping(out.back());
  }
}

// The reading thread gives back the tag index behind it while the
// read-ahead thread may still read from it: each says where it is, in an
// order both see alike (sequentially consistent), so that either the worker
// sees a record is given back and reads its text, or the reader sees the
// worker at it and keeps it.
struct IndexRelease {
  std::atomic<std::size_t> preparing{SIZE_MAX};  // the record the worker reads now
  std::atomic<std::size_t> releasedBelow{0};     // records below are read from the text
};

// Entries name entries of other tables (a layer its linetype): those tables
// are read first, whatever order the file has them in.
std::vector<const DxfTable*> tablesInReadingOrder(const DxfDocument& doc) {
  auto rank = [](std::string_view name) {
    int i = 0;
    for (const char* first : {"LTYPE", "STYLE", "APPID", "LAYER", "BLOCK_RECORD", "DIMSTYLE"}) {
      if (name == first) return i;
      ++i;
    }
    return i;
  };
  std::vector<const DxfTable*> tables;
  for (const DxfTable& t : doc.tables()) tables.push_back(&t);
  std::stable_sort(tables.begin(), tables.end(),
                   [&](const DxfTable* a, const DxfTable* b) { return rank(a->name) < rank(b->name); });
  return tables;
}

// An object being read: resident, and changeable until reading ends (a
// look-up by another object may have closed it meanwhile).
OdDbObject* writable(OdDbObjectId id) {
  OdDbObject* obj = id.stub()->object;
  obj->upgradeOpen();
  return obj;
}

class Reader {
public:
  Reader(DxfDocument doc, std::vector<std::string>& warnings)
      : m_src(std::make_shared<DxfDrawingSource>(std::move(doc))),
        m_doc(m_src->doc),
        m_index(m_src->doc.takeTagIndex()),
        m_db(std::make_unique<OdDbDatabase>(OdDbDatabase::EmptyTag{})),
        m_warnings(warnings) {}

  std::unique_ptr<OdDbDatabase> read();
  bool repaired() const { return m_doc.repaired() || !m_repaired.empty(); }

private:
  // Records become objects with their handles; a record's content is read
  // when every record it may point to by handle exists, or its references
  // wait until the end (m_pending, m_rawLater).
  void prepare();
  void claimLayoutHandles();
  void createTables(const DxfSection& section);
  void create(std::size_t index, OdDbObjectPtr object);
  OdDbObjectPtr newTable(std::string_view name);
  OdDbObjectPtr newTableRecord(std::string_view table);
  OdDbObjectPtr newEntity(std::size_t index);
  OdDbObjectPtr newObject(std::string_view type);

  // Pass 2: the records' content, now that every handle has its object.
  void fillTables(const DxfSection& section);
  void fillBlocks(const DxfSection& section);
  OdDbObjectId defineBlock(const DxfBlock& block);
  void fillEntities(const DxfSection& section);
  void fillObjects(const DxfSection& section);
  void fillObject(std::size_t index);
  void readHeader();
  void resolvePending();

  // Loads the tags of a record into m_tags (nothing to do when they are
  // the loaded ones); from the read-ahead thread when it has them.
  void loadTags(std::size_t index);
  void startReadAhead();
  // Gives back the tag index of the records before `index` (read by now).
  void releaseIndexBefore(std::size_t index);
  // The prefix every object shares: extension dictionary, owner; returns
  // the index of the first extended data tag (tags.size() when none).
  std::size_t readCommon(OdDbObject* obj, std::size_t index);
  void readXData(OdDbObject* obj, std::size_t first, DxfDimVarItems* dimVars);
  // Takes out of `items` (from `from` on) each reference by handle, taken
  // from extended data from tag `first` on, to a record of another table.
  void dropRecordsOfOtherTables(const OdDbObject* obj, DxfDimVarItems& items, std::size_t from, std::size_t first);
  void setOwner(OdDbObject* obj, std::size_t index, OdDbObjectId fallback);
  // The owner handle of the record whose tags are loaded: the first 330
  // outside a 102 group, before any extended data; 0 when none.
  std::uint64_t ownerOfTags() const;
  std::string_view typeOf(std::size_t index) const {
    // The loaded record's type is its first tag; others are read again.
    return index == m_loadedIndex && !m_tags.empty() ? dxfTrim(m_tags[0].value) : m_src->type(index);
  }
  std::uint32_t lineOf(std::size_t index) const { return m_src->spans[index].line; }
  void fillTableRecord(std::size_t index, std::string_view table);
  void fillDimStyle(OdDbDimStyleTableRecord* rec, std::size_t first, std::size_t flagsAt);
  void fillEntity(std::size_t index, OdDbObjectId block);
  void fillEntityContent(std::size_t index, OdDbObjectId block);
  void fillRaw(OdDbObject* obj, std::size_t index, bool entity);
  void applyCommon(OdDbEntity* ent, const EntityCommon& c);
  void applyLook(DxfRawEntity* ent);
  std::vector<std::vector<DxfTag>> subRecordsAfter(std::size_t index, std::string_view type) const;
  void attachInsertExtras(OdDbBlockReference* ref, std::size_t index);
  void attachMTextLook(OdDbMText* text, std::size_t index);
  EntityRefs fillFields(OdDbEntity* ent, std::size_t first, std::size_t end) {
    return readEntityFields(ent, *dxfEntityFormOf(ent->isA()), m_doc, m_tags, first, end);
  }
  void applyOverrides(OdDbDimStyleEntity* ent, const DxfDimVarItems& items);
  // Applies the common part and the references of a record read by its
  // form: those set first, those set after everything else, or both.
  enum class RefsPart { kFirst, kLast, kAll };
  void applyRefs(OdDbEntity* ent, const EntityRefs& refs, RefsPart part);
  void applyRef(OdDbEntity* ent, const DxfField& field, const EntityRefs& refs);

  OdDbObjectId byHandle(std::uint64_t handle, uint32_t line, const char* what, OdDbObjectId owner);
  // Whether `id` is a record of the table that `table` ('S', 'B', 'T') names.
  bool isRecordOf(char table, OdDbObjectId id) const;
  // The handle a reference holds, or where a writer put a name instead:
  // the record of that name in `table` (0: none to look in), or none.
  // Either way said, and `obj` marked as repaired.
  std::optional<std::uint64_t> handleIn(const DxfTag& tag, const OdDbObject* obj, char table,
                                        OdDbObjectId& named);
  OdDbObjectId byName(char table, const std::string& name);
  OdDbObjectId byFoldedName(char table, const std::string& name);
  OdDbObjectId addMissingRecord(char table, const std::string& name);
  OdDbObjectId blockTableId();
  OdDbObjectId modelSpace();
  OdDbObjectId paperSpace();
  OdDbObjectId spaceBlock(const char* name);
  // A DIMASSOC naming objects the drawing has not is kept as read; the
  // dimension then does not follow those points.
  void reportDanglingDimAssoc(const OdDbDimAssoc& assoc, std::size_t index) {
    auto missing = [&](OdDbHandle h) { return !h.isNull() && m_db->getOdDbObjectId(h).isNull(); };
    std::string names;
    if (missing(assoc.dimension())) names += " " + std::string(assoc.dimension().ascii());
    for (int i = 0; i < OdDbDimAssoc::kPoints; ++i)
      if (const auto& ref = assoc.pointRef(i))
        for (const auto* list : {&ref->mainObjects, &ref->intersectObjects})
          for (OdDbHandle h : *list)
            if (missing(h)) names += " " + std::string(h.ascii());
    if (!names.empty())
      warn(lineOf(index), "DIMASSOC " + std::string(assoc.getDbHandle().ascii()) + " refers to no object by" + names +
                              "; it is kept as read and those points are not followed");
  }
  void warn(uint32_t line, const std::string& text) {
    if (m_warnings.size() < 200) m_warnings.push_back("line " + std::to_string(line) + ": " + text);
  }

  std::shared_ptr<DxfDrawingSource> m_src;
  const DxfDocument& m_doc;
  std::unique_ptr<DxfTagIndex> m_index;  // the tags as splitting found them; null once read
  std::shared_ptr<IndexRelease> m_release = std::make_shared<IndexRelease>();
  std::unique_ptr<OdDbDatabase> m_db;
  std::vector<std::string>& m_warnings;
  DxfDimVarLines m_dimVarLines;
  OdDbDatabase::TableIds m_tables;
  bool m_allCreated = false;  // every record is an object now
  // References to objects later in the file: resolved at the end.
  struct Pending {
    OdDbObjectId object;
    std::uint64_t handle;
    uint32_t line;
    bool annotation;  // a reference of an entity's field (`set`), else an extension dictionary
    void (*set)(OdDbEntity*, OdDbObjectId) = nullptr;
  };
  std::vector<Pending> m_pending;
  std::vector<std::pair<std::size_t, bool>> m_rawLater;  // unmodelled records, entity or not
  // The loaded record's tags: in m_ownTags, or in the record the read-ahead
  // thread prepared (m_ahead).
  TagView m_tags;
  Tags m_ownTags;
  std::size_t m_loadedIndex = SIZE_MAX;  // whose tags m_tags holds
  // The tag index is given back in steps of this many records.
  static constexpr std::size_t kReleaseEvery = 4096;
  std::size_t m_lastRelease = 0;
  std::size_t m_textReleased = 0;  // bytes of the text given back from the start
  // Reading ahead on a second thread pays from a few thousand records on.
  static constexpr std::size_t kReadAheadFrom = 4096;
  std::unique_ptr<DxfReadAhead<PreparedRecord>> m_readAhead;
  PreparedRecord* m_ahead = nullptr;  // the record it gave last; valid until it is asked again
  // Folded name -> record, per table ('B', 'D', 'L', 'T', 'S', 'A').
  std::unordered_map<char, std::unordered_map<std::string, OdDbObjectId>> m_names;
  OdDbObjectId m_lastMainEntity;
  std::vector<Kind> m_kinds;  // per record of the entity sections
  OdDbObjectId m_byLayer;  // the linetype of entities that name none
  OdDbObjectId m_anyId;    // the first object read (a stand-in reference)
  OdDbObjectId m_modelSpace;
  std::uint64_t m_lastOwnerHandle = 0;  // entities come in runs of one owner
  OdDbObjectId m_lastOwner;
  // Exact names already looked up, per table: most entities repeat a few.
  std::unordered_map<char, std::unordered_map<std::string, OdDbObjectId>> m_exactNames;
  // The last names found per table, asked first: entities mostly name one
  // of a few layers, linetypes and styles, in turns.
  struct RecentNames {
    std::pair<std::string, OdDbObjectId> names[4];
    unsigned next = 0;
  };
  RecentNames m_recentNames[16];
  // Look-ups by name of records that come later in the file.
  std::vector<std::function<void()>> m_deferred;
  // Objects read with repairs: marked changed, so that a save writes them
  // as repaired.
  std::vector<OdDbObjectId> m_repaired;
  std::unordered_set<OdDbStub*> m_definedBlocks;  // block records with a BLOCK read
  void noteRecordsWithoutBlock();
  // Handles given to records written without one, by record index (see
  // claimLayoutHandles).
  std::unordered_map<std::size_t, std::uint64_t> m_claimed;
  // Further columns of older files' MTEXT sets not read yet: their look.
  std::unordered_map<std::uint64_t, OdDbMTextLookPtr> m_linkedColumnLooks;
};

// ---- pass 1 -------------------------------------------------------------

void Reader::create(std::size_t index, OdDbObjectPtr object) {
  std::uint64_t handle = m_src->spans[index].handle;  // 0: the database gives one above every handle of the file
  if (handle == 0)
    if (auto it = m_claimed.find(index); it != m_claimed.end()) handle = it->second;
  std::string taken;
  if (OdDbObjectId other = handle ? m_db->getOdDbObjectId(OdDbHandle(handle)) : OdDbObjectId(); !other.isNull()) {
    // References to the handle keep finding the first record; the later
    // one gets a handle of its own, which saving writes.
    const std::uint32_t first = other.stub()->object->fileRecord();
    taken = "handle " + OdDbHandle(handle).ascii() + " of this " + std::string(typeOf(index)) +
            " is already used by the " + (first ? std::string(typeOf(first - 1)) + " at line " +
                                                     std::to_string(lineOf(first - 1))
                                               : std::string("drawing"));
    handle = m_src->spans[index].handle = 0;
  }
  object->setFileRecord(std::uint32_t(index + 1));
  // An entity made without a linetype looks up "ByLayer" when it joins the
  // drawing; filling it in sets the real one, so any id will do until then.
  if (!m_anyId.isNull() && m_kinds[index] != Kind::kForeign) {
    auto* ent = static_cast<OdDbEntity*>(object.get());
    ent->setLinetype(m_anyId), ent->setLayer(m_anyId);
  }
  const OdRxClass* cls = object->isA();
  m_src->raw[index] = cls == DxfRawObject::desc() || cls == DxfRawEntity::desc();
  OdDbObjectId id = m_db->addOdDbObject(object, OdDbObjectId(), OdDbHandle(handle));
  object->openForLoading();
  m_src->objects[index] = id;
  if (!taken.empty()) {
    warn(lineOf(index), taken + "; it gets handle " + id.getHandle().ascii());
    m_repaired.push_back(id);
  }
  if (m_anyId.isNull()) m_anyId = id;
}

OdDbObjectPtr Reader::newTable(std::string_view name) {
  if (name == "DIMSTYLE") return OdDbDimStyleTable::createObject();
  if (name == "STYLE") return OdDbTextStyleTable::createObject();
  if (name == "LTYPE") return OdDbLinetypeTable::createObject();
  if (name == "LAYER") return OdDbLayerTable::createObject();
  if (name == "BLOCK_RECORD") return OdDbBlockTable::createObject();
  if (name == "APPID") return OdDbRegAppTable::createObject();
  return DxfRawObject::createObject();
}

OdDbObjectPtr Reader::newTableRecord(std::string_view table) {
  if (table == "DIMSTYLE") return OdDbDimStyleTableRecord::createObject();
  if (table == "STYLE") return OdDbTextStyleTableRecord::createObject();
  if (table == "LTYPE") return OdDbLinetypeTableRecord::createObject();
  if (table == "LAYER") return OdDbLayerTableRecord::createObject();
  if (table == "BLOCK_RECORD") return OdDbBlockTableRecord::createObject();
  if (table == "APPID") return OdDbRegAppTableRecord::createObject();
  return DxfRawObject::createObject();
}

OdDbObjectPtr Reader::newEntity(std::size_t index) {
  loadTags(index);
  if (m_ahead && m_ahead->object && m_ahead->index == index) {
    m_kinds[index] = m_ahead->kind;
    return std::move(m_ahead->object);
  }
  return makeEntity(typeOf(index), m_tags, m_kinds[index]);
}

OdDbObjectPtr Reader::newObject(std::string_view type) {
  if (type == "DICTIONARY") return OdDbDictionary::createObject();
  if (type == "XRECORD") return OdDbXrecord::createObject();
  if (type == "DIMASSOC") return OdDbDimAssoc::createObject();
  return DxfRawObject::createObject();
}

void Reader::prepare() {
  const std::size_t count = m_src->recordCount();
  m_src->objects.assign(count, OdDbObjectId());
  m_kinds.assign(count, Kind::kForeign);
  m_src->raw.assign(count, false);
  claimLayoutHandles();
  std::uint64_t maxHandle = 0;
  for (const DxfRecordSpan& r : m_src->spans) maxHandle = std::max(maxHandle, r.handle);
  for (const auto& [index, h] : m_claimed) maxHandle = std::max(maxHandle, h);
  if (const DxfHeaderVariable* seed = m_doc.headerVariable("$HANDSEED")) {
    for (const DxfTag& t : m_doc.tags(*seed)) {
      std::uint64_t h = 0;
      if (dxfParseHandle(t.trimmed(), h)) maxHandle = std::max(maxHandle, h - (h > 0));
      break;
    }
  }
  // Objects the reader makes itself (and records without a handle) get
  // handles above every handle of the file.
  m_db->setHandseed(OdDbHandle(maxHandle + 1));
  m_db->reserveObjects(count);
}

// Some writers of R12 files with handles write block records without one,
// while the layouts those records name (group 340) name their block record
// by a handle (group 330 of AcDbLayout) that no record of the file has. The
// block record takes that handle: the layout's reference then finds it, in
// the file written too. Without this it would point nowhere.
void Reader::claimLayoutHandles() {
  const DxfTable* table = m_doc.table("BLOCK_RECORD");
  if (!table) return;
  std::unordered_map<std::uint64_t, std::size_t> byHandle;
  for (std::size_t i = table->head + 1; i < table->endTab; ++i) {
    if (m_src->spans[i].handle != 0) continue;
    for (const DxfTag& t : m_src->tags(i)) {
      std::uint64_t h = 0;
      if (t.code == 340 && dxfParseHandle(t.trimmed(), h) && h != 0) {
        if (byHandle.empty())
          for (std::size_t r = 0; r < m_src->recordCount(); ++r)
            if (m_src->spans[r].handle) byHandle.emplace(m_src->spans[r].handle, r);
        auto layout = byHandle.find(h);
        if (layout == byHandle.end() || m_src->type(layout->second) != "LAYOUT") break;
        bool inLayout = false;
        std::uint64_t named = 0;
        for (const DxfTag& lt : m_src->tags(layout->second)) {
          if (lt.code >= 1000) break;
          if (lt.code == 100) inLayout = lt.trimmed() == "AcDbLayout";
          if (inLayout && lt.code == 330 && dxfParseHandle(lt.trimmed(), named)) break;
        }
        if (named != 0 && !byHandle.count(named)) {
          m_claimed.emplace(i, named);
          byHandle.emplace(named, i);
        }
        break;
      }
    }
  }
}

// Every table and entry first: entries point to each other by handle
// (a dimension style to its text style and arrowhead blocks).
void Reader::createTables(const DxfSection& s) {
  for (const DxfTable& t : m_doc.tables()) {
    if (t.head < s.firstRecord || t.head >= s.endRecord) continue;
    create(t.head, newTable(t.name));
    for (std::size_t i = t.head + 1; i < t.endTab; ++i) create(i, newTableRecord(t.name));
  }
}

// ---- helpers --------------------------------------------------------------

void Reader::loadTags(std::size_t index) {
  if (index == m_loadedIndex) return;
  m_loadedIndex = SIZE_MAX;  // until they are loaded: a bad value throws
  if (m_readAhead && (m_ahead = m_readAhead->take(index))) {
    m_tags = m_ahead->tags;
  } else {
    recordTags(*m_src, m_index.get(), index, m_ownTags);
    m_tags = m_ownTags;
  }
  m_loadedIndex = index;
}

void Reader::releaseIndexBefore(std::size_t index) {
  const std::size_t below = std::min(index, m_release->preparing.load());
  // The text behind goes back to the file cache as well, where the file is
  // mapped; a record looked at again later is paged in again.
  if (below < m_src->recordCount() && m_src->spans[below].begin > m_textReleased) {
    m_doc.releaseText(m_textReleased, m_src->spans[below].begin);
    m_textReleased = m_src->spans[below].begin;
  }
  if (!m_index) return;
  m_release->releasedBelow.store(index);
  m_index->releaseBefore(below);
}

// Records in the order the reading passes below load them: the tables, the
// blocks, the entities, the objects. Entity records also get their objects
// made ahead.
void Reader::startReadAhead() {
  const std::size_t count = m_src->recordCount();
  if (!dxfSecondThreadPays(count, kReadAheadFrom)) return;
  if (count >= UINT32_MAX) return;
  std::vector<std::uint32_t> order;
  order.reserve(count);
  auto entity = std::make_shared<std::vector<bool>>(count, false);
  for (const DxfSection& s : m_doc.sections())
    if (s.name == "TABLES")
      for (const DxfTable* t : tablesInReadingOrder(m_doc))
        if (t->head >= s.firstRecord && t->head < s.endRecord)
          for (std::size_t i = t->head; i < t->endTab; ++i) order.push_back(std::uint32_t(i));
  for (const char* name : {"BLOCKS", "ENTITIES", "OBJECTS"})
    for (const DxfSection& s : m_doc.sections())
      if (s.name == name)
        for (std::size_t i = s.firstRecord; i < s.endRecord; ++i) order.push_back(std::uint32_t(i));
  for (const DxfSection& s : m_doc.sections())
    if (s.name == "ENTITIES")
      for (std::size_t i = s.firstRecord; i < s.endRecord; ++i) (*entity)[i] = true;
  for (const DxfBlock& b : m_doc.blocks())
    for (std::size_t i = b.begin + 1; i < b.end; ++i) (*entity)[i] = true;
  const DxfDrawingSource* src = m_src.get();
  try {
    const DxfDocument* doc = &m_doc;
    const DxfTagIndex* index = m_index.get();
    std::shared_ptr<IndexRelease> release = m_release;
    m_readAhead = std::make_unique<DxfReadAhead<PreparedRecord>>(
        std::move(order), [src, doc, entity, index, release](PreparedRecord& r) {
          r.object = nullptr, r.kind = Kind::kForeign, r.filled = false;
          release->preparing.store(r.index);
          const bool indexed = r.index >= release->releasedBelow.load();
          try {
            // A bad value: the reader meets it again and reports it.
            recordTags(*src, indexed ? index : nullptr, r.index, r.tags);
          } catch (...) {
            release->preparing.store(SIZE_MAX);
            throw;
          }
          release->preparing.store(SIZE_MAX);
          if (!(*entity)[r.index] || r.tags.empty()) return;
          r.object = makeEntity(dxfTrim(r.tags.front().value), r.tags, r.kind);
          if (isPlain(r.kind)) {
            auto* ent = static_cast<OdDbEntity*>(r.object.get());
            r.refs = readEntityFields(ent, *dxfEntityFormOf(ent->isA()), *doc, r.tags, 1, xdataStart(r.tags));
            r.filled = true;
          }
        });
  } catch (const std::system_error&) {
    // No second thread to be had: read on one.
  }
}

bool Reader::isRecordOf(char table, OdDbObjectId id) const {
  const OdDbObjectId tableId = table == 'S'   ? m_db->getTextStyleTableId()
                               : table == 'B' ? m_db->getBlockTableId()
                                              : m_db->getLinetypeTableId();
  const OdDbObjectPtr obj = id.openObject();
  return obj && obj->ownerId() == tableId;
}

OdDbObjectId Reader::byHandle(std::uint64_t handle, uint32_t line, const char* what, OdDbObjectId owner) {
  if (handle == 0) return OdDbObjectId();
  OdDbObjectId id = m_db->getOdDbObjectId(OdDbHandle(handle));
  if (!id.isNull()) return id;
  warn(line, std::string(what) + " " + OdDbHandle(handle).ascii() + " points to no object; it is left empty");
  // Written as read, the dangling handle could name whatever gets that
  // handle later: the owner is written from what it now holds.
  m_repaired.push_back(owner);
  return id;
}

std::optional<std::uint64_t> Reader::handleIn(const DxfTag& tag, const OdDbObject* obj, char table,
                                              OdDbObjectId& named) {
  std::uint64_t h = 0;
  if (dxfParseHandle(tag.value, h)) return h;
  named = OdDbObjectId();
  const std::string name = m_doc.text(tag);
  if (table && !name.empty())
    if (auto it = m_names[table].find(qrv::foldCase(name)); it != m_names[table].end()) named = it->second;
  warn(tag.valueLine(), "group code " + std::to_string(tag.code) + " holds " + dxfQuote(tag.trimmed()) +
                            " where a handle belongs; " +
                            (named.isNull() ? std::string("it names no record and is dropped")
                                            : "it points to the record of that name now"));
  if (obj) m_repaired.push_back(obj->objectId());
  return std::nullopt;
}

OdDbObjectId Reader::byName(char table, const std::string& name) {
  if (name.empty()) return OdDbObjectId();
  RecentNames& recent = m_recentNames[std::string_view("BDLTSA").find(table) % 16];
  for (const auto& [known, id] : recent.names)
    if (!id.isNull() && known == name) return id;
  auto remember = [&](OdDbObjectId id) {
    recent.names[recent.next++ % 4] = {name, id};
    return id;
  };
  // Block names are mostly those of anonymous blocks, each named once:
  // not worth remembering by their exact spelling.
  if (table == 'B') {
    OdDbObjectId id = byFoldedName(table, name);
    if (!id.isNull()) remember(id);
    return id;
  }
  auto& exact = m_exactNames[table];
  if (auto it = exact.find(name); it != exact.end()) return remember(it->second);
  OdDbObjectId id = byFoldedName(table, name);
  if (!id.isNull()) exact.emplace(name, id);
  return id;
}

OdDbObjectId Reader::byFoldedName(char table, const std::string& name) {
  auto& map = m_names[table];
  if (auto it = map.find(qrv::foldCase(name)); it != map.end()) return it->second;
  if (table == 'B' && OdDmUtil::isBuiltInArrow(name)) {
    // Built-in arrowheads are blocks named with an underscore, which old
    // files leave out; a drawing may also name one it has no block for.
    if (auto it = map.find(qrv::foldCase("_" + name)); it != map.end()) return it->second;
    blockTableId();
    try {
      OdDbObjectId id = OdDmUtil::getArrowId(name, m_db.get());
      map.emplace(qrv::foldCase(name), id);
      m_src->madeArrowBlocks.insert(id.stub());
      return id;
    } catch (const OdError&) {
    }
  }
  if (table == 'L' || table == 'T' || table == 'S') return addMissingRecord(table, name);
  m_warnings.push_back("'" + name + "' names no record; the reference is left empty");
  return OdDbObjectId();
}

// A layer, linetype or text style that entities name but the file does not
// define (old files leave out even layer "0"): made, so that nothing that
// names it loses the name.
OdDbObjectId Reader::addMissingRecord(char table, const std::string& name) {
  OdDbObjectId& tableId = table == 'L' ? m_tables.layerTable : table == 'T' ? m_tables.linetypeTable
                        : table == 'S' ? m_tables.textStyleTable : m_tables.regAppTable;
  auto make = [table](bool record) -> OdDbObjectPtr {
    switch (table) {
      case 'L': return record ? OdDbObjectPtr(OdDbLayerTableRecord::createObject()) : OdDbObjectPtr(OdDbLayerTable::createObject());
      case 'T': return record ? OdDbObjectPtr(OdDbLinetypeTableRecord::createObject()) : OdDbObjectPtr(OdDbLinetypeTable::createObject());
      case 'S': return record ? OdDbObjectPtr(OdDbTextStyleTableRecord::createObject()) : OdDbObjectPtr(OdDbTextStyleTable::createObject());
      default: return record ? OdDbObjectPtr(OdDbRegAppTableRecord::createObject()) : OdDbObjectPtr(OdDbRegAppTable::createObject());
    }
  };
  if (tableId.isNull()) {
    tableId = m_db->addOdDbObject(make(false));
    m_db->setTableIds(m_tables);
  }
  OdDbObjectPtr obj = make(true);
  static_cast<OdDbSymbolTableRecord*>(obj.get())->setNameAsStored(name);
  OdDbObjectId id = m_db->addOdDbObject(obj, tableId);
  static_cast<OdDbSymbolTable*>(writable(tableId))->appendAsStored(id);
  m_names[table].emplace(qrv::foldCase(name), id);
  // Every drawing has the linetypes ByLayer and ByBlock; R12 files leave
  // them out of their LTYPE table.
  if (table == 'T' && (qrv::equalNoCase(name, "ByLayer") || qrv::equalNoCase(name, "ByBlock"))) return id;
  m_warnings.push_back(std::string(table == 'L' ? "layer" : table == 'T' ? "linetype" : table == 'S' ? "text style"
                                                                                                    : "application") +
                       " '" + name + "' is named but not defined; it was added");
  return id;
}

OdDbObjectId Reader::blockTableId() {
  if (m_tables.blockTable.isNull()) {
    // R12 files have no BLOCK_RECORD table: the blocks make one.
    m_tables.blockTable = m_db->addOdDbObject(OdDbBlockTable::createObject(), OdDbObjectId(),
                                              OdDbHandle());
    m_db->setTableIds(m_tables);
  }
  return m_tables.blockTable;
}

// R12 files have no model or paper space blocks: the drawing needs them,
// and entities marked as paper space (67) belong to the paper.
OdDbObjectId Reader::spaceBlock(const char* name) {
  auto& blocks = m_names['B'];
  const std::string key = qrv::foldCase(name);
  if (auto it = blocks.find(key); it != blocks.end() && !it->second.isNull()) return it->second;
  OdDbBlockTableRecordPtr rec = OdDbBlockTableRecord::createObject();
  rec->setNameAsStored(name);
  const OdDbObjectId id = m_db->addOdDbObject(rec, blockTableId(), OdDbHandle());
  OdDbSymbolTablePtr table = blockTableId().safeOpenObject(OdDb::kForWrite);
  table->appendAsStored(id);
  blocks[key] = id;
  return id;
}

OdDbObjectId Reader::modelSpace() {
  if (m_modelSpace.isNull()) m_modelSpace = spaceBlock(OdDbBlockTableRecord::modelSpaceName());
  return m_modelSpace;
}

OdDbObjectId Reader::paperSpace() { return spaceBlock(OdDbBlockTableRecord::paperSpaceName()); }

std::uint64_t Reader::ownerOfTags() const {
  bool inGroup = false;
  for (std::size_t i = 1; i < m_tags.size(); ++i) {
    const DxfTag& t = m_tags[i];
    if (t.code >= 1000) break;
    if (t.code == 102) {
      const std::string_view v = t.trimmed();
      inGroup = !v.empty() && v.front() == '{';
    } else if (t.code == 330 && !inGroup) {
      std::uint64_t h = 0;
      return dxfParseHandle(t.trimmed(), h) ? h : 0;
    }
  }
  return 0;
}

void Reader::setOwner(OdDbObject* obj, std::size_t index, OdDbObjectId fallback) {
  OdDbObjectId owner = fallback;
  const std::uint64_t ownerHandle = ownerOfTags();
  if (ownerHandle != 0) {
    OdDbObjectId id = m_db->getOdDbObjectId(OdDbHandle(ownerHandle));
    if (!id.isNull())
      owner = id;
    else if (fallback.isNull())
      warn(lineOf(index), "owner " + OdDbHandle(ownerHandle).ascii() + " of this " + std::string(typeOf(index)) +
                            " is no object; it has no owner now");
  }
  if (!fallback.isNull()) owner = fallback;  // the container the record is in decides
  obj->setOwnerId(owner);
}

std::size_t Reader::readCommon(OdDbObject* obj, std::size_t) {
  std::size_t xdata = m_tags.size();
  bool inXDict = false;
  for (std::size_t i = 1; i < m_tags.size(); ++i) {
    const DxfTag& t = m_tags[i];
    if (t.code >= 1000) {
      xdata = i;
      break;
    }
    if (t.code == 102) {
      inXDict = t.trimmed() == "{ACAD_XDICTIONARY";
    } else if (inXDict && t.code == 360) {
      OdDbObjectId named;
      const std::optional<std::uint64_t> given = handleIn(t, obj, 0, named);
      if (!given) continue;
      const std::uint64_t h = *given;
      OdDbObjectId dict = m_db->getOdDbObjectId(OdDbHandle(h));
      if (dict.isNull() && !m_allCreated && h != 0)
        m_pending.push_back({obj->objectId(), h, t.valueLine(), false});
      else
        obj->setExtensionDictionaryAsStored(byHandle(h, t.valueLine(), "extension dictionary", obj->objectId()));
    } else if (t.code == 100) {
      inXDict = false;
    }
  }
  return xdata;
}

void Reader::readXData(OdDbObject* obj, std::size_t first, DxfDimVarItems* dimVars) {
  if (first >= m_tags.size()) return;
  // Extended data starts with an application name; anything before one
  // belongs to no application and cannot be kept as extended data.
  std::size_t start = first;
  while (start < m_tags.size() && m_tags[start].code != 1001) ++start;
  if (start != first)
    warn(m_tags[first].line, "extended data without an application name (1001) is dropped");
  if (start >= m_tags.size()) return;
  const std::size_t itemsBefore = dimVars ? dimVars->size() : 0;
  OdResBufPtr chain = dxfReadXData(m_doc, m_tags, start);
  // Group per application; take the dimension variables out where asked.
  OdResBufPtr rb = chain;
  while (rb) {
    OdResBufPtr app = rb;
    OdResBufPtr last = app;
    while (last->next() && last->next()->restype() != 1001) last = last->next();
    OdResBufPtr rest = last->next();
    last->setNext(OdResBufPtr());
    const OdString name = app->getString();
    OdResBufPtr body = app->next();
    if (dimVars && (name == "ACAD" || name == kDxfDimVarsApp)) {
      body = dxfTakeDimVars(body.get(), name == "ACAD", m_db.get(), *dimVars);
      // An override section that held nothing else is not worth keeping.
      if (body && body->restype() == 1000 && body->getString() == "DSTYLE" && body->next() &&
          body->next()->next() && !body->next()->next()->next() && body->next()->next()->getString() == "}")
        body = OdResBufPtr();
    }
    if (body) {
      if (!m_db->isRegAppRegistered(name)) addMissingRecord('A', name);
      app->setNext(OdResBufPtr());  // setNext keeps what followed: cut first
      app->setNext(body);
      obj->setXData(app.get());
    }
    rb = rest;
  }
  if (dimVars) dropRecordsOfOtherTables(obj, *dimVars, itemsBefore, start);
}

// Extended data names a variable's record by handle (an override's text
// style, a QRV_DIMVARS arrowhead) as freely as a DIMSTYLE entry's groups
// do, and is held to the same rule (see fillDimStyle): a record of another
// table would be written back as what it is not. The value is not taken;
// a style keeps what its groups say, an entity its style's value.
void Reader::dropRecordsOfOtherTables(const OdDbObject* obj, DxfDimVarItems& items, std::size_t from,
                                      std::size_t first) {
  for (std::size_t i = from; i < items.size();) {
    const OdDbDimVarDesc& d = OdDbDimVars::describe(items[i].first);
    const auto* ref = std::get_if<OdDbObjectId>(&items[i].second);
    const std::string_view key = d.key;
    const char table = key == "txsty" ? 'S' : key == "ltype" || key == "ltex1" || key == "ltex2" ? 'T' : 'B';
    if (!ref || ref->isNull() || isRecordOf(table, *ref)) {
      ++i;
      continue;
    }
    const std::string handle = ref->getHandle().ascii();
    uint32_t line = m_tags[first].line;
    for (std::size_t t = first; t < m_tags.size(); ++t) {
      std::uint64_t h = 0;
      if (m_tags[t].code == 1005 && dxfParseHandle(m_tags[t].trimmed(), h) && h == ref->getHandle().value()) {
        line = m_tags[t].valueLine();
        break;
      }
    }
    warn(line, std::string(d.name) + " " + dxfQuote(handle) + " in the extended data of the " +
                   obj->isA()->dxfName() + " names no " +
                   (table == 'S' ? "text style" : table == 'B' ? "block" : "linetype") + "; it is dropped");
    m_repaired.push_back(obj->objectId());
    items.erase(items.begin() + std::ptrdiff_t(i));
  }
}

// ---- tables -------------------------------------------------------------

void Reader::fillTables(const DxfSection& section) {
  const std::vector<const DxfTable*> tables = tablesInReadingOrder(m_doc);
  for (const DxfTable* entry : tables) {
    const DxfTable& t = *entry;
    if (t.head < section.firstRecord || t.head >= section.endRecord) continue;
    OdDbObjectId tableId = m_src->objects[t.head];
    OdDbObject* table = writable(tableId);
    loadTags(t.head);
    try {
      readXData(table, readCommon(table, t.head), nullptr);
    } catch (const OdError& e) {
      throw DxfError(lineOf(t.head), "TABLE: " + std::string(e.what()));
    }
    setOwner(table, t.head, OdDbObjectId());
    if (t.name == "DIMSTYLE") m_tables.dimStyleTable = tableId;
    if (t.name == "STYLE") m_tables.textStyleTable = tableId;
    if (t.name == "LTYPE") m_tables.linetypeTable = tableId;
    if (t.name == "LAYER") m_tables.layerTable = tableId;
    if (t.name == "BLOCK_RECORD") m_tables.blockTable = tableId;
    if (t.name == "APPID") m_tables.regAppTable = tableId;
    m_db->setTableIds(m_tables);
    auto* symbolTable = dynamic_cast<OdDbSymbolTable*>(table);
    for (std::size_t i = t.head + 1; i < t.endTab; ++i) {
      OdDbObject* obj = writable(m_src->objects[i]);
      obj->setOwnerId(tableId);
      if (symbolTable) {
        // Filling the entry before may have looked the table up (an entry's
        // extended data names applications) and closed it: open it again.
        try {
          writable(tableId);
          symbolTable->appendAsStored(m_src->objects[i]);
          fillTableRecord(i, t.name);
        } catch (const OdError& e) {
          throw DxfError(lineOf(i), std::string(t.name) + ": " + e.what());
        }
      } else {
        loadTags(i);
        fillRaw(obj, i, false);
      }
    }
  }
}

void Reader::fillTableRecord(std::size_t index, std::string_view table) {
  OdDbObjectId id = m_src->objects[index];
  auto* rec = static_cast<OdDbSymbolTableRecord*>(writable(id));
  loadTags(index);
  const std::size_t xdata = readCommon(rec, index);
  bool flagsSeen = false;
  // A DIMSTYLE entry's variables follow its name and flags; some writers
  // put the flags after the variables, so they start after whichever
  // comes first. (The flags are the first 70: a later one is a variable.)
  std::size_t varsFrom = xdata, flagsAt = xdata;
  std::string name;
  for (std::size_t i = 1; i < xdata; ++i) {
    const DxfTag& t = m_tags[i];
    if (t.code == 2 && name.empty()) {
      name = m_doc.text(t);
      if (varsFrom == xdata) varsFrom = i + 1;
    } else if (t.code == 70 && !flagsSeen) {
      flagsSeen = true;
      flagsAt = i;
      rec->setStoredFlags(OdInt16(t.toInt()));
      if (varsFrom == xdata) varsFrom = i + 1;
    }
  }
  rec->setNameAsStored(name);
  m_src->names.emplace_back(id, name);
  const char key = table == "DIMSTYLE" ? 'D' : table == "STYLE" ? 'S' : table == "LTYPE" ? 'T'
                 : table == "LAYER" ? 'L' : table == "BLOCK_RECORD" ? 'B' : 'A';
  m_names[key].emplace(qrv::foldCase(name), id);

  if (auto style = dynamic_cast<OdDbDimStyleTableRecord*>(rec)) {
    m_dimVarLines.records.emplace(id, lineOf(index));
    fillDimStyle(style, varsFrom == xdata ? 1 : varsFrom, flagsAt);
    DxfDimVarItems items;
    readXData(rec, xdata, &items);
    for (const auto& [i, v] : items) {
      // An angle kept exactly beside its degrees (see the writer) counts
      // only while the degrees are still the ones written with it: another
      // program may have changed the angle since.
      if (dxfDimVarInDegrees(i) && dxfDimVarHasCode(i, m_doc.version()) &&
          dxfDimVarFromFile(i, dxfDimVarToFile(i, v)) != style->dimVar(i))
        continue;
      style->setDimVar(i, v);
    }
    return;
  }
  readXData(rec, xdata, nullptr);
  if (auto ts = dynamic_cast<OdDbTextStyleTableRecord*>(rec)) {
    for (std::size_t i = 1; i < xdata; ++i) {
      const DxfTag& t = m_tags[i];
      switch (t.code) {
        case 40: ts->setTextSize(std::max(0.0, t.toDouble())); break;
        case 41: if (t.toDouble() > 0) ts->setXScale(t.toDouble()); break;
        case 50: ts->setObliquingAngle(t.toDouble() * kDegree); break;
        case 42: ts->setPriorSize(t.toDouble()); break;
        case 3: ts->setFileName(m_doc.text(t)); break;
        case 4: ts->setBigFontFileName(m_doc.text(t)); break;
      }
    }
  } else if (auto lt = dynamic_cast<OdDbLinetypeTableRecord*>(rec)) {
    std::vector<double> dashes;
    for (std::size_t i = 1; i < xdata; ++i) {
      const DxfTag& t = m_tags[i];
      if (t.code == 3) lt->setComments(m_doc.text(t));
      if (t.code == 49) dashes.push_back(t.toDouble());
    }
    lt->setDashes(dashes);
  } else if (auto layer = dynamic_cast<OdDbLayerTableRecord*>(rec)) {
    OdCmColor color = OdCmColor::fromIndex(7);
    for (std::size_t i = 1; i < xdata; ++i) {
      const DxfTag& t = m_tags[i];
      switch (t.code) {
        case 62: {
          const auto index = OdInt16(t.toInt());
          if (!color.isByColor()) color = OdCmColor::fromIndex(index == 0 || index >= 256 ? 7 : index);
          layer->setIsOff(index < 0);
          break;
        }
        case 420: {
          const auto v = std::uint32_t(t.toInt());
          color = OdCmColor::fromRGB(OdUInt8(v >> 16), OdUInt8(v >> 8), OdUInt8(v));
          break;
        }
        case 6: layer->setLinetypeObjectId(byName('T', m_doc.text(t))); break;
        case 290: layer->setIsPlottable(t.toBool()); break;
        case 370:
          if (OdDb::isValidLineWeight(int(t.toInt())) && t.toInt() >= -3 && t.toInt() != -1 && t.toInt() != -2)
            layer->setLineWeight(OdDb::LineWeight(t.toInt()));
          break;
      }
    }
    layer->setColor(color);
  }
}

void Reader::fillDimStyle(OdDbDimStyleTableRecord* style, std::size_t first, std::size_t flagsAt) {
  OdDbDimVars vars = OdDbDimVars::imperialDefaults();
  std::string oldNames[3];  // R12's arrow block names (groups 5, 6, 7)
  bool haveHandle[3] = {false, false, false};
  const bool r12 = m_doc.version() == DxfVersion::R12;
  for (std::size_t i = first; i < m_tags.size(); ++i) {
    const DxfTag& t = m_tags[i];
    if (t.code >= 1000) break;
    if (i == flagsAt) continue;
    if (t.code >= 5 && t.code <= 7) {
      oldNames[t.code - 5] = m_doc.text(t);
      continue;
    }
    auto index = dxfDimVarByCode(t.code);
    if (!index) continue;
    m_dimVarLines.values[{style->objectId(), *index}] = t.valueLine();
    const OdDbDimVarDesc& d = OdDbDimVars::describe(*index);
    switch (d.type) {
      case OdDbDimVarType::kDouble: vars.set(*index, dxfDimVarFromFile(*index, t.toDouble())); break;
      case OdDbDimVarType::kString: vars.set(*index, OdString(m_doc.text(t))); break;
      case OdDbDimVarType::kBool: vars.set(*index, t.toInt() != 0); break;
      case OdDbDimVarType::kColor: vars.set(*index, OdCmColor::fromIndex(OdInt16(t.toInt()))); break;
      case OdDbDimVarType::kObjectId: {
        // Text style (340), arrowhead blocks (341-344), linetypes (345-347).
        const char table = t.code == 340 ? 'S' : t.code <= 344 ? 'B' : 'T';
        OdDbObjectId named;
        const std::optional<std::uint64_t> h = handleIn(t, style, table, named);
        OdDbObjectId ref = h ? byHandle(*h, t.valueLine(), d.name, style->objectId()) : named;
        // Every record of the style's tables is made by now. A handle to
        // anything else would be written (by name, in older versions) as
        // what it is not: it is left empty, as a handle to nothing is.
        if (!ref.isNull() && !isRecordOf(table, ref)) {
          warn(t.valueLine(), std::string(d.name) + " " + dxfQuote(t.trimmed()) + " names no " +
                                  (table == 'S' ? "text style" : table == 'B' ? "block" : "linetype") +
                                  "; it is left empty");
          m_repaired.push_back(style->objectId());
          ref = OdDbObjectId();
        }
        vars.set(*index, ref);
        if (t.code >= 342 && t.code <= 344) haveHandle[t.code - 342] = true;
        break;
      }
      default: vars.set(*index, int(t.toInt())); break;
    }
  }
  if (vars.txsty.isNull() && r12) vars.txsty = byName('S', "Standard");
  style->setDimVars(vars);
  // Arrowheads by name (R12): the blocks come later in the file.
  static const char* arrowKeys[3] = {"blk", "blk1", "blk2"};
  for (int k = 0; k < 3; ++k) {
    if (haveHandle[k] || oldNames[k].empty()) continue;
    const int index = *OdDbDimVars::indexOf(arrowKeys[k]);
    m_deferred.push_back([this, id = style->objectId(), index, name = oldNames[k]] {
      static_cast<OdDbDimStyleTableRecord*>(writable(id))->setDimVar(index, byName('B', name));
    });
  }
}

// ---- blocks and entities ----------------------------------------------------

void Reader::fillBlocks(const DxfSection& section) {
  // Every block is known by name before any entity is read: an R12 file
  // has no BLOCK_RECORD table, and a block may insert one defined after it
  // (anonymous blocks nested in others).
  std::vector<OdDbObjectId> blockIds;
  for (const DxfBlock& b : m_doc.blocks()) {
    if (b.begin < section.firstRecord || b.begin >= section.endRecord) continue;
    blockIds.push_back(defineBlock(b));
  }
  std::size_t next = 0;
  for (const DxfBlock& b : m_doc.blocks()) {
    if (b.begin < section.firstRecord || b.begin >= section.endRecord) continue;
    const OdDbObjectId blockId = blockIds[next++];
    m_definedBlocks.insert(blockId.stub());
    m_lastMainEntity = OdDbObjectId();
    // Room for every entity at once: growing by doubling leaves up to half
    // of each list unused, over tens of thousands of blocks.
    static_cast<OdDbBlockTableRecord*>(writable(blockId))->reserveEntities(b.end - b.begin - 1);
    for (std::size_t i = b.begin + 1; i < b.end; ++i) {
      create(i, newEntity(i));
      fillEntity(i, blockId);
    }
    if (b.end - m_lastRelease >= kReleaseEvery) releaseIndexBefore(m_lastRelease = b.end);
  }
  if (section.endRecord > m_lastRelease) releaseIndexBefore(m_lastRelease = section.endRecord);
}

// A block record of the file with no BLOCK in its BLOCKS section is saved
// with an empty block, as other readers need one: the drawing is then not
// written as it was read, which is said.
void Reader::noteRecordsWithoutBlock() {
  if (!m_doc.table("BLOCK_RECORD") || m_definedBlocks.empty()) return;
  const OdDbObjectPtr tableObject = m_db->getBlockTableId().openObject();
  const auto* table = dynamic_cast<const OdDbSymbolTable*>(tableObject.get());
  if (!table) return;
  for (OdDbObjectId id : table->recordIds()) {
    const OdDbObjectPtr record = id.openObject();
    if (!record || record->fileRecord() == 0 || m_definedBlocks.count(id.stub())) continue;
    const auto* block = static_cast<const OdDbBlockTableRecord*>(record.get());
    warn(lineOf(record->fileRecord() - 1), "the block record " + dxfQuote(std::string(block->getName())) +
                                               " has no block in the BLOCKS section; an empty one is written");
  }
}

OdDbObjectId Reader::defineBlock(const DxfBlock& b) {
  // Read past the read-ahead thread, which prepares the BLOCK record in
  // the order of entities: taking it now would skip the block's entities.
  Tags head;
  recordTags(*m_src, m_index.get(), b.begin, head);
  m_tags = head;
  m_loadedIndex = SIZE_MAX;
  const std::uint64_t headOwner = ownerOfTags();
  std::string name;
  OdGePoint3d origin;
  OdInt16 flags = 0;
  for (std::size_t i = 1; i < m_tags.size() && m_tags[i].code < 1000; ++i) {
    const DxfTag& t = m_tags[i];
    if (t.code == 2 && name.empty()) name = m_doc.text(t);
    if (t.code == 70) flags = OdInt16(t.toInt());
    pointTag(t, 10, origin);
  }
  OdDbObjectId blockId;
  if (headOwner != 0) {
    OdDbObjectId id = m_db->getOdDbObjectId(OdDbHandle(headOwner));
    if (!id.isNull() && dynamic_cast<OdDbBlockTableRecord*>(id.stub()->object)) blockId = id;
  }
  if (blockId.isNull()) {
    auto& map = m_names['B'];
    if (auto it = map.find(qrv::foldCase(name)); it != map.end()) blockId = it->second;
  }
  if (blockId.isNull()) {
    OdDbBlockTableRecordPtr rec = OdDbBlockTableRecord::createObject();
    rec->setNameAsStored(name);
    // A file without block records (R12) whose blocks still name their
    // records' handles as owners (some writers do, with layouts and
    // dimension styles pointing to them too): the record gets that
    // handle, so that those references stay good.
    const bool freeHandle = headOwner != 0 && m_db->getOdDbObjectId(OdDbHandle(headOwner)).isNull();
    blockId = m_db->addOdDbObject(rec, blockTableId(), OdDbHandle(freeHandle ? headOwner : 0));
    OdDbSymbolTablePtr table = blockTableId().safeOpenObject(OdDb::kForWrite);
    table->appendAsStored(blockId);
    m_names['B'].emplace(qrv::foldCase(name), blockId);
    m_src->names.emplace_back(blockId, name);
    rec->upgradeOpen();
  }
  auto* block = static_cast<OdDbBlockTableRecord*>(writable(blockId));
  block->upgradeOpen();
  block->setOrigin(origin);
  block->setStoredFlags(flags);
  m_src->objects[b.begin] = m_src->objects[b.end] = blockId;
  m_tags = {};
  return blockId;
}

void Reader::fillEntities(const DxfSection& section) {
  m_lastMainEntity = OdDbObjectId();
  for (std::size_t i = section.firstRecord; i < section.endRecord; ++i) {
    create(i, newEntity(i));
    fillEntity(i, OdDbObjectId());
    if (i - m_lastRelease >= kReleaseEvery) releaseIndexBefore(m_lastRelease = i);
  }
  // The rest of the section too, before the objects are made.
  if (section.endRecord > m_lastRelease) releaseIndexBefore(m_lastRelease = section.endRecord);
}

void Reader::fillEntity(std::size_t index, OdDbObjectId block) {
  try {
    fillEntityContent(index, block);
  } catch (const OdError& e) {
    // The database refused a value: say where it stands.
    throw DxfError(lineOf(index), std::string(typeOf(index)) + ": " + e.what());
  }
}

void Reader::fillEntityContent(std::size_t index, OdDbObjectId block) {
  OdDbObjectId id = m_src->objects[index];
  OdDbObject* obj = writable(id);
  loadTags(index);
  if (isSubRecord(typeOf(index))) {
    obj->setOwnerId(m_lastMainEntity);
    fillRaw(obj, index, true);
    return;
  }
  m_lastMainEntity = id;
  auto* ent = static_cast<OdDbEntity*>(obj);
  // The owner: the block the record stands in; in the ENTITIES section the
  // block its owner handle names, or model or paper space.
  bool paper = false;
  for (const DxfTag& t : m_tags)
    if (t.code == 67) paper = t.toInt() != 0;
  if (const std::uint64_t ownerHandle = block.isNull() ? ownerOfTags() : 0; ownerHandle != 0) {
    if (ownerHandle != m_lastOwnerHandle) {
      OdDbObjectId owner = m_db->getOdDbObjectId(OdDbHandle(ownerHandle));
      m_lastOwner = (!owner.isNull() && dynamic_cast<OdDbBlockTableRecord*>(owner.stub()->object)) ? owner
                                                                                                  : OdDbObjectId();
      m_lastOwnerHandle = ownerHandle;
    }
    block = m_lastOwner;
  }
  if (block.isNull()) block = paper ? paperSpace() : modelSpace();
  ent->setOwnerId(block);
  static_cast<OdDbBlockTableRecord*>(writable(block))->appendEntityAsStored(id);
  const Kind kind = m_kinds[index];
  switch (kind) {
    case Kind::kDimension:
    case Kind::kLeader: {
      // Overrides come after the values, and the block after the
      // overrides: anything set before it would date it.
      auto* dimStyled = static_cast<OdDbDimStyleEntity*>(ent);
      std::size_t xdata = readCommon(ent, index);
      const EntityRefs refs = fillFields(ent, 1, xdata);
      applyRefs(ent, refs, RefsPart::kFirst);
      DxfDimVarItems items;
      readXData(ent, xdata, &items);
      applyOverrides(dimStyled, items);
      applyRefs(ent, refs, RefsPart::kLast);
      return;
    }
    case Kind::kForeign: return fillRaw(ent, index, true);
    case Kind::kLine:
    case Kind::kCircle:
    case Kind::kArc:
    case Kind::kPolyline:
    case Kind::kText:
    case Kind::kMText:
    case Kind::kInsert:
    case Kind::kPoint:
    case Kind::kSolid:
    case Kind::kEllipse:
    case Kind::kSpline:
    case Kind::kRay:
    case Kind::kXline:
    case Kind::kFace:
    case Kind::kTrace: {
      std::size_t xdata = readCommon(ent, index);
      if (m_ahead && m_ahead->filled && m_ahead->index == index) {
        applyRefs(ent, m_ahead->refs, RefsPart::kAll);  // the geometry was read ahead
      } else {
        applyRefs(ent, fillFields(ent, 1, xdata), RefsPart::kAll);
      }
      readXData(ent, xdata, nullptr);
      if (kind == Kind::kInsert) attachInsertExtras(static_cast<OdDbBlockReference*>(ent), index);
      if (kind == Kind::kMText) attachMTextLook(static_cast<OdDbMText*>(ent), index);
      return;
    }
  }
}

// The sub-records of that type that follow the record at `index` (a
// POLYLINE's VERTEX records, an INSERT's ATTRIB records), up to the SEQEND.
std::vector<std::vector<DxfTag>> Reader::subRecordsAfter(std::size_t index, std::string_view type) const {
  std::vector<std::vector<DxfTag>> out;
  for (std::size_t i = index + 1; i < m_src->recordCount(); ++i) {
    const std::string_view t = typeOf(i);
    if (!isSubRecord(t) || t == "SEQEND") break;
    if (t != type) continue;
    // Checked when the sub-record itself is read.
    recordTags(*m_src, m_index.get(), i, out.emplace_back(), false);
  }
  return out;
}

// A block reference's attributes and grid are drawn from its records;
// a plain insert without attributes gets nothing.
void Reader::attachInsertExtras(OdDbBlockReference* ref, std::size_t index) {
  auto extras = std::make_shared<OdDbInsertExtras>();
  dxfReadInsertGrid(m_tags, *extras);
  for (const std::vector<DxfTag>& attrib : subRecordsAfter(index, "ATTRIB"))
    extras->attributes.push_back(dxfReadAttribute(m_doc, attrib));
  if (extras->attributes.empty() && extras->columns == 1 && extras->rows == 1) return;
  ref->setInsertExtras(std::move(extras));
}

// Line spacing, background and columns; a further column that an older
// file keeps as a record of its own takes the look of its set's first,
// which comes before it.
void Reader::attachMTextLook(OdDbMText* text, std::size_t index) {
  DxfMTextLookRead read = dxfReadMTextLook(m_tags);
  if (auto it = m_linkedColumnLooks.find(m_src->spans[index].handle); it != m_linkedColumnLooks.end()) {
    text->setLook(it->second);
    m_linkedColumnLooks.erase(it);
    return;
  }
  if (read.look && !read.linkedColumns.empty()) {
    const OdDbMTextLookPtr linked = dxfLinkedColumnLook(*read.look);
    for (std::uint64_t h : read.linkedColumns) m_linkedColumnLooks.emplace(h, linked);
  }
  if (read.look) text->setLook(std::move(read.look));
}

void Reader::applyOverrides(OdDbDimStyleEntity* ent, const DxfDimVarItems& items) {
  for (const auto& [i, v] : items) ent->setDimOverride(i, v);
  if (items.empty()) return;
  m_dimVarLines.overridden.push_back(ent->objectId());
  m_dimVarLines.records.emplace(ent->objectId(), m_tags.empty() ? 0 : m_tags[0].line);
}

// An entity kept as read still shows in its layer, colour, linetype and
// lineweight: the record's say so. Names of records the drawing lacks are
// left empty here (the record keeps them) rather than made, so that reading
// adds nothing the file does not hold.
void Reader::applyLook(DxfRawEntity* ent) {
  EntityCommon c;
  std::string_view subclass;
  for (std::size_t i = 1; i < m_tags.size() && m_tags[i].code < 1000; ++i) {
    const DxfTag& t = m_tags[i];
    if (t.code == 100) subclass = t.trimmed();
    std::int64_t checked = 0;
    double real = 0;
    if ((t.code == 62 || t.code == 420 || t.code == 370 || t.code == 60) && !dxfParseInt(t.trimmed(), checked)) continue;
    if (t.code == 48 && !dxfParseDouble(t.trimmed(), real)) continue;
    commonTag(m_doc, t, subclass, c);
  }
  auto found = [&](char table, const std::string& name) {
    auto& map = m_names[table];
    auto it = map.find(qrv::foldCase(name));
    return it == map.end() ? OdDbObjectId() : it->second;
  };
  if (OdDbObjectId layer = found('L', c.layer.empty() ? std::string("0") : c.layer); !layer.isNull())
    ent->setLayer(layer);
  if (!c.linetype.empty())
    if (OdDbObjectId linetype = found('T', c.linetype); !linetype.isNull()) ent->setLinetype(linetype);
  ent->setColor(c.color);
  if (OdDb::isValidLineWeight(c.lineWeight)) ent->setLineWeight(c.lineWeight);
  if (c.linetypeScale > 0) ent->setLinetypeScale(c.linetypeScale);
  ent->setVisibility(!c.invisible);
}

void Reader::applyCommon(OdDbEntity* ent, const EntityCommon& c) {
  ent->setLayer(byName('L', c.layer.empty() ? std::string("0") : c.layer));
  if (c.linetype.empty() && m_byLayer.isNull()) m_byLayer = byName('T', "ByLayer");
  ent->setLinetype(c.linetype.empty() ? m_byLayer : byName('T', c.linetype));
  ent->setColor(c.color);
  if (OdDb::isValidLineWeight(c.lineWeight)) ent->setLineWeight(c.lineWeight);
  if (c.linetypeScale > 0) ent->setLinetypeScale(c.linetypeScale);
  ent->setVisibility(!c.invisible);
}


void Reader::applyRefs(OdDbEntity* ent, const EntityRefs& refs, RefsPart part) {
  if (part != RefsPart::kLast) {
    applyCommon(ent, refs.common);
    for (const std::string& w : refs.warnings) warn(m_tags[0].line, w);
  }
  const DxfEntityForm& form = *dxfEntityFormOf(ent->isA());
  for (const bool lastOnes : {false, true}) {
    if (part == (lastOnes ? RefsPart::kFirst : RefsPart::kLast)) continue;
    for (const DxfField* f : form.refFields)
      if (f->ref->last == lastOnes) applyRef(ent, *f, refs);
  }
}

void Reader::applyRef(OdDbEntity* ent, const DxfField& f, const EntityRefs& refs) {
  const DxfFieldRead::Ref* given = nullptr;
  for (const DxfFieldRead::Ref& r : refs.refs)
    if (r.field == &f) given = &r;
  if (f.ref->table == 'H') {
    if (!given) return;
    OdDbObjectId named;
    const std::optional<std::uint64_t> h = handleIn(given->tag, ent, 0, named);
    if (!h) return;
    const OdDbObjectId target = m_db->getOdDbObjectId(OdDbHandle(*h));
    if (!target.isNull())
      f.ref->set(ent, target);
    else if (!m_allCreated)
      m_pending.push_back({ent->objectId(), *h, given->tag.valueLine(), true, f.ref->set});
    return;
  }
  const std::string name = given && !given->name.empty() ? given->name : std::string(f.ref->fallback);
  const OdDbObjectId id = byName(f.ref->table, name);
  if (!id.isNull()) f.ref->set(ent, id);
}

// An unmodelled record: its hard references, by handle and by name.
void Reader::fillRaw(OdDbObject* obj, std::size_t index, bool entity) {
  const std::string_view type = typeOf(index);
  std::vector<DxfRawRef> refs;
  bool inReactors = false, laterAgain = false;
  for (std::size_t i = 1; i < m_tags.size(); ++i) {
    const DxfTag& t = m_tags[i];
    if (t.code >= 1000) break;
    if (t.code == 102) {
      inReactors = t.trimmed() == "{ACAD_REACTORS";
      if (t.trimmed() == "}") inReactors = false;
      continue;
    }
    if (inReactors) continue;
    const bool hard = (t.code >= 340 && t.code <= 349) || (t.code >= 360 && t.code <= 369) ||
                      (t.code >= 390 && t.code <= 399);
    if (hard) {
      std::uint64_t h = 0;
      if (!dxfParseHandle(t.trimmed(), h) || h == 0) continue;
      OdDbObjectId id = m_db->getOdDbObjectId(OdDbHandle(h));
      if (!id.isNull())
        refs.push_back({std::uint32_t(i), t.code, id});
      else if (!m_allCreated)
        laterAgain = true;
      continue;
    }
    if (!entity) continue;
    char table = 0;
    if (t.code == 8) table = 'L';
    if (t.code == 6) table = 'T';
    if (t.code == 7) table = 'S';
    if (t.code == 3 && type == "TOLERANCE") table = 'D';
    if (t.code == 2 && type == "INSERT") table = 'B';
    if (!table) continue;
    const std::string name = m_doc.text(t);
    auto& map = m_names[table];
    if (auto it = map.find(qrv::foldCase(name)); it != map.end())
      refs.push_back({std::uint32_t(i), t.code, it->second});
  }
  const DxfHandleLookup byHandle = [&](std::uint64_t h) { return m_db->getOdDbObjectId(OdDbHandle(h)); };
  if (auto raw = dynamic_cast<DxfRawObject*>(obj)) {
    raw->setRawRefs(std::move(refs));
    if (type == "LAYOUT") raw->setLayoutSheet(dxfReadLayoutSheet(m_doc, m_tags, byHandle));
    if (type == "IMAGEDEF")
      for (const DxfTag& t : m_tags)
        if (t.code == 1) raw->setImageFile(m_doc.text(t));
  } else if (auto rawEnt = dynamic_cast<DxfRawEntity*>(obj)) {
    rawEnt->setRawRefs(std::move(refs));
    applyLook(rawEnt);
    if (type == "VIEWPORT") {
      const DxfLayerLookup layerNamed = [&](const std::string& name) {
        auto& layers = m_names['L'];
        auto it = layers.find(qrv::foldCase(name));
        return it == layers.end() ? OdDbObjectId() : it->second;
      };
      rawEnt->setViewportView(dxfReadViewportView(m_tags, byHandle, layerNamed, m_doc));
    } else if (type == "HATCH") {
      rawEnt->setHatchShape(dxfReadHatchShape(m_tags));
    } else if (type == "WIPEOUT" || type == "IMAGE") {
      // An image's definition is an object read after the entities: the
      // image is read again once it is (its 340 finds nothing before).
      const DxfImageFileLookup imageFileOf = [&](std::uint64_t h) {
        const OdDbObjectId def = m_db->getOdDbObjectId(OdDbHandle(h));
        auto raw = def.stub() ? dynamic_cast<const DxfRawObject*>(def.stub()->object) : nullptr;
        return raw ? std::optional<std::string>(raw->imageFile()) : std::nullopt;
      };
      rawEnt->setHatchShape(dxfReadImageFrame(m_tags, type == "WIPEOUT", imageFileOf));
    }
    if (type == "POLYLINE") rawEnt->setOldPolyline(dxfReadOldPolyline(m_tags, subRecordsAfter(index, "VERTEX")));
    if (type == "MULTILEADER") rawEnt->setMultiLeader(dxfReadMultiLeader(m_doc, m_tags, byHandle));
    if (type == "ATTDEF")
      rawEnt->setAttributeDefinition(std::make_shared<OdDbAttributeText>(dxfReadAttribute(m_doc, m_tags)));
  }
  if (const std::uint64_t owner = entity ? 0 : ownerOfTags(); owner != 0 && obj->ownerId().isNull())
    obj->setOwnerId(m_db->getOdDbObjectId(OdDbHandle(owner)));
  if (laterAgain) m_rawLater.emplace_back(index, entity);
}

// ---- objects ----------------------------------------------------------------

void Reader::fillObjects(const DxfSection& section) {
  for (std::size_t index = section.firstRecord; index < section.endRecord; ++index) {
    if (index >= m_lastRelease + kReleaseEvery) releaseIndexBefore(m_lastRelease = index);
    try {
      fillObject(index);
    } catch (const OdError& e) {
      throw DxfError(lineOf(index), std::string(typeOf(index)) + ": " + e.what());
    }
  }
}

void Reader::fillObject(std::size_t index) {
  {
    OdDbObjectId id = m_src->objects[index];
    OdDbObject* obj = writable(id);
    loadTags(index);
    if (m_tables.namedObjects.isNull() && typeOf(index) == "DICTIONARY") {
      m_tables.namedObjects = id;
      m_db->setTableIds(m_tables);
    }
    if (const std::uint64_t owner = ownerOfTags(); owner != 0)
      obj->setOwnerId(m_db->getOdDbObjectId(OdDbHandle(owner)));
    if (auto dict = dynamic_cast<OdDbDictionary*>(obj)) {
      const std::size_t xdata = readCommon(dict, index);
      std::string key;
      bool haveKey = false;
      for (std::size_t i = 1; i < xdata; ++i) {
        const DxfTag& t = m_tags[i];
        if (t.code == 3) {
          key = m_doc.text(t), haveKey = true;
        } else if ((t.code == 350 || t.code == 360) && haveKey) {
          OdDbObjectId named;
          const std::optional<std::uint64_t> h = handleIn(t, dict, 0, named);
          OdDbObjectId entry = h ? m_db->getOdDbObjectId(OdDbHandle(*h)) : OdDbObjectId();
          if (!entry.isNull())
            dict->setAtAsStored(key, entry);
          else if (h)  // a name instead of a handle was said above
            warn(t.valueLine(), "dictionary entry '" + key + "' points to no object; the entry is dropped");
          haveKey = false;
        }
      }
      readXData(dict, xdata, nullptr);
    } else if (auto xrec = dynamic_cast<OdDbXrecord*>(obj)) {
      const std::size_t xdata = readCommon(xrec, index);
      OdResBufPtr head, tail;
      bool inData = false, flagSeen = false;
      for (std::size_t i = 1; i < xdata; ++i) {
        const DxfTag& t = m_tags[i];
        if (t.code == 100) {
          inData = t.trimmed() == "AcDbXrecord";
          continue;
        }
        if (!inData) continue;
        if (t.code == 280 && !flagSeen) {
          flagSeen = true;
          continue;
        }
        flagSeen = true;
        OdResBufPtr rb = OdResBuf::newRb(t.code, OdString(t.kind() == DxfValueKind::String ? m_doc.text(t)
                                                                                          : std::string(t.value)));
        if (!head)
          head = tail = rb;
        else
          tail = tail->setNext(rb);
      }
      xrec->setFromRbChain(head.get());
      readXData(xrec, xdata, nullptr);
    } else if (auto assoc = dynamic_cast<OdDbDimAssoc*>(obj)) {
      const std::size_t xdata = readCommon(assoc, index);
      dxfReadDimAssoc(m_doc, m_tags, xdata, *assoc, [this](std::uint32_t line, const std::string& text) { warn(line, text); });
      readXData(assoc, xdata, nullptr);
      reportDanglingDimAssoc(*assoc, index);
    } else {
      readCommon(obj, index);
      fillRaw(obj, index, false);
    }
  }
}

// ---- header -------------------------------------------------------------

void Reader::readHeader() {
  OdDbHeaderVars vars = m_db->headerVars();
  // A variable the header leaves out means the default of the drawing's
  // measurement system, imperial unless $MEASUREMENT says metric.
  bool metric = false;
  if (const DxfHeaderVariable* m = m_doc.headerVariable("$MEASUREMENT")) {
    for (const DxfTag& t : m_doc.tags(*m)) {
      metric = t.toInt() == 1;
      break;
    }
  }
  vars.dim = metric ? OdDbDimVars::metricDefaults() : OdDbDimVars::imperialDefaults();
  auto resolve = [&](char table, const std::string& name) {
    return table == 0 ? OdDbObjectId() : byName(table, name);
  };
  for (const DxfHeaderVariable& v : m_doc.headerVariables()) {
    try {
      dxfReadHeaderVariable(m_doc, v, vars, resolve);
    } catch (const OdError& e) {
      warn(v.firstLine, std::string(v.name) + ": " + e.what());
    }
  }
  dxfReadHeaderTrueColors(m_doc, vars);
  // The active viewport's grid and snap win over the header's.
  if (const auto active = dxfActiveViewport(*m_src)) dxfReadActiveViewport(m_src->tags(*active), vars);
  if (vars.dim.txsty.isNull()) vars.dim.txsty = byName('S', "Standard");
  m_db->setHeaderVars(vars);
}

void Reader::resolvePending() {
  for (const Pending& p : m_pending) {
    OdDbObject* obj = writable(p.object);
    if (p.annotation) {
      OdDbObjectId target = m_db->getOdDbObjectId(OdDbHandle(p.handle));
      if (!target.isNull()) p.set(static_cast<OdDbEntity*>(obj), target);
      continue;
    }
    obj->setExtensionDictionaryAsStored(byHandle(p.handle, p.line, "extension dictionary", p.object));
  }
  for (const auto& [index, entity] : m_rawLater) {
    loadTags(index);
    fillRaw(writable(m_src->objects[index]), index, entity);
  }
}

std::unique_ptr<OdDbDatabase> Reader::read() {
  // A drawing has one section of each kind; with two, new objects would have
  // no one place to go, and which header counts would be a guess.
  for (std::size_t i = 0; i < m_doc.sections().size(); ++i) {
    const DxfSection& s = m_doc.sections()[i];
    for (std::size_t j = 0; j < i; ++j)
      if (m_doc.sections()[j].name == s.name && isStandardSection(s.name))
        throw DxfError(s.firstLine, "a second " + std::string(s.name) + " section; a drawing has one");
  }
  m_db->blockUndoRecording(true);
  prepare();
  startReadAhead();
  for (const DxfSection& s : m_doc.sections()) {
    if (s.name != "TABLES") continue;
    createTables(s);
    // Without a BLOCK_RECORD table the blocks make their records, which
    // dimension styles may point to by handle.
    if (!m_doc.table("BLOCK_RECORD"))
      for (const DxfSection& b : m_doc.sections())
        if (b.name == "BLOCKS")
          for (const DxfBlock& block : m_doc.blocks())
            if (block.begin >= b.firstRecord && block.begin < b.endRecord) defineBlock(block);
    fillTables(s);
  }
  for (const DxfSection& s : m_doc.sections())
    if (s.name == "BLOCKS") fillBlocks(s);
  noteRecordsWithoutBlock();
  for (auto& resolve : m_deferred) resolve();
  for (const DxfSection& s : m_doc.sections())
    if (s.name == "ENTITIES") fillEntities(s);
  for (const DxfSection& s : m_doc.sections()) {
    if (s.name != "OBJECTS") continue;
    for (std::size_t i = s.firstRecord; i < s.endRecord; ++i) create(i, newObject(typeOf(i)));
  }
  m_allCreated = true;
  for (const DxfSection& s : m_doc.sections())
    if (s.name == "OBJECTS") fillObjects(s);
  m_ahead = nullptr;
  m_readAhead.reset();
  m_index.reset();
  resolvePending();
  readHeader();
  // Everything read is as the file says; only later changes count.
  m_db->finishLoading();
  for (OdDbObjectId id : m_repaired) {
    if (!id.stub() || !id.stub()->object) continue;
    OdDbObject* obj = id.stub()->object;
    obj->upgradeOpen();
    obj->assertWriteEnabled();
    obj->downgradeOpen();
  }
  // The header as this layer writes it for the values read (with what a
  // missing variable means filled in): writing compares against it to keep
  // unchanged variables as the file had them.
  for (auto& [name, text] : dxfHeaderVariableTexts(*m_db, m_doc.version(), m_doc.codePage(), m_doc.lineEnding()))
    m_src->header.emplace(std::move(name), std::move(text));
  m_src->handseed = m_db->handseed().value();
  m_db->setFileSource(m_src);
  // After the snapshot above, so that a replaced value is written anew.
  dxfRepairUnstorableDimVars(*m_db, m_doc, m_dimVarLines, m_warnings);
  // Read: the text is looked at again only for what the drawing keeps as
  // read (copied at saving, drawn from its record).
  m_doc.releaseText(0, m_doc.bytes().size());
  m_db->blockUndoRecording(false);
  return std::move(m_db);
}

}  // namespace

std::unique_ptr<OdDbDatabase> dxfReadDrawing(DxfDocument doc, std::vector<std::string>& warnings,
                                             bool& repaired) {
  Reader reader(std::move(doc), warnings);
  std::unique_ptr<OdDbDatabase> db = reader.read();
  repaired = reader.repaired();
  return db;
}
