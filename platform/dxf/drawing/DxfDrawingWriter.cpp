#include "DxfDrawingWriter.h"

#include "DxfActiveViewport.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>
#include <unordered_set>

#include "DxfDimVarCodec.h"
#include "DxfDrawingSource.h"
#include "DxfEntityForms.h"
#include "DxfError.h"
#include "DxfHeaderCodec.h"
#include "DxfR12Form.h"
#include "DxfRawRecord.h"
#include "DxfRecordOriginal.h"
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
#include "OdDbStub.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdStringUtil.h"

namespace {

// An integer kept from the record as read, or `fallback` when the record
// has none or it is no integer: reading does not parse what it does not
// model, so writing must not fail on it either.
int keptInteger(const DxfTag* tag, int fallback) {
  std::int64_t value = 0;
  return tag && dxfParseInt(tag->value, value) ? int(value) : fallback;
}

constexpr double kToDegrees = 180.0 / std::numbers::pi;

OdDbObject* objectOf(OdDbObjectId id) { return id.stub() ? id.stub()->object : nullptr; }

std::string nameOf(OdDbObjectId id) {
  auto rec = dynamic_cast<const OdDbSymbolTableRecord*>(objectOf(id));
  return rec ? rec->getName() : std::string();
}

// The order of the standard sections; others keep their place.
int sectionRank(std::string_view name) {
  static const std::string_view order[] = {"HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"};
  for (int i = 0; i < 6; ++i)
    if (name == order[i]) return i;
  return -1;
}

class Writer {
public:
  Writer(const OdDbDatabase& db, DxfVersion version)
      : m_db(db),
        m_src(static_cast<const DxfDrawingSource*>(db.fileSource().get())),
        m_doc(m_src ? &m_src->doc : nullptr),
        m_version(version),
        m_codePage(targetCodePage()),
        m_w(m_doc ? m_doc->lineEnding() : DxfLineEnding::Lf),
        m_out{m_w, version, m_codePage} {
    m_transcode = m_doc && m_doc->codePage() != m_codePage;
    m_r12 = version < DxfVersion::R13;
    m_sourceR12 = m_doc && m_doc->version() < DxfVersion::R13;
    // Between R12 and later versions every modelled record changes form.
    m_regenerateAll = m_doc && m_sourceR12 != m_r12;
    // Files of versions before R12 order their groups their own way (all x
    // before all y): written as R12, their records are written anew too.
    m_regenerateAll = m_regenerateAll || (m_doc && m_r12 && olderThanR12Source());
    m_handles = !m_r12 || !m_sourceR12 || r12SourceHasHandles();
    m_nextHandle = db.handseed().value();
    if (m_src)
      for (const auto& [id, name] : m_src->names)
        if (objectOf(id) && nameOf(id) != name) m_renamed.insert(id.stub());
    if (m_src)
      if (const auto active = dxfActiveViewport(*m_src);
          active && dxfActiveViewportChanged(m_src->tags(*active), db.headerVars()))
        m_changedViewport = *active;
    findOrphans();
    findArrowBlocksNamedAnew();
    m_needQrvApp = needsQrvApp();
    if (m_src) m_loadSeed = m_src->handseed;
    if (!m_doc && !m_r12) {
      // A drawing never read has no layouts, which the database does not
      // model but readers of these versions expect: written with it.
      m_layouts.groups = m_nextHandle++;
      m_layouts.dictionary = m_nextHandle++;
      m_layouts.model = m_nextHandle++;
      m_layouts.paper = m_nextHandle++;
    }
  }

  DxfDrawingText write();
  std::string lossNote() const { return m_losses.note(); }

private:
  // An R12 file keeps handles when its header says so ($HANDLING 1).
  bool r12SourceHasHandles() const {
    const DxfHeaderVariable* v = m_doc->headerVariable("$HANDLING");
    if (!v) return false;
    for (const DxfTag& t : m_doc->tags(*v)) return t.toInt() != 0;
    return false;
  }
  void toR12Form();
  bool olderThanR12Source() const {
    const DxfHeaderVariable* v = m_doc->headerVariable("$ACADVER");
    if (!v) return false;
    for (const DxfTag& t : m_doc->tags(*v)) return !dxfOlderThanR12(t.trimmed()).empty();
    return false;
  }

  // Output: ranges of the source file, and text written anew in m_w.
  void source(std::string_view slice) {
    if (slice.empty()) return;
    const std::size_t begin = std::size_t(slice.data() - m_doc->bytes().data());
    flushGenerated();
    auto& list = m_text.list;
    if (!list.empty() && list.back().kind == DxfDrawingText::Piece::Source && list.back().end == begin)
      list.back().end = begin + slice.size();
    else
      list.push_back({DxfDrawingText::Piece::Source, begin, begin + slice.size()});
  }
  void flushGenerated() {
    if (m_w.size() > m_generatedFrom)
      m_text.list.push_back({DxfDrawingText::Piece::Generated, m_generatedFrom, m_w.size()});
    m_generatedFrom = m_w.size();
  }
  void markHeader() {
    flushGenerated();
    m_text.list.push_back({DxfDrawingText::Piece::Header, 0, 0});
  }

  DxfCodePage targetCodePage() const {
    if (dxfVersionUsesUtf8(m_version)) return DxfCodePage::Utf8;
    if (m_doc && !dxfVersionUsesUtf8(m_doc->version())) return m_doc->codePage();
    return DxfCodePage::Ansi1252;
  }

  // Whether any style or entity carries variables that travel as
  // QRV_DIMVARS extended data (the application must then be registered).
  bool needsQrvApp() const {
    bool needed = false;
    const OdDbDimVars defaults = OdDbDimVars::imperialDefaults();
    m_db.forEachObject([&](OdDbObjectId id) {
      const OdDbObject* obj = objectOf(id);
      if (needed || !obj || obj->isErased() || !needsRewrite(obj)) return;
      auto check = [&](int i, const OdDbDimVarValue& v) {
        auto c = std::get_if<OdCmColor>(&v);
        needed = needed || !dxfDimVarHasCode(i, m_version) || (c && c->isByColor());
      };
      if (auto s = dynamic_cast<const OdDbDimStyleTableRecord*>(obj)) {
        for (int i = 0; i < OdDbDimVars::kCount; ++i)
          if (!s->dimVars().equal(i, defaults)) check(i, s->dimVars().get(i));
      } else if (auto e = dynamic_cast<const OdDbDimStyleEntity*>(obj)) {
        for (const auto& [i, v] : e->dimOverrides().items()) check(i, v);
      }
    });
    return needed;
  }

  // Sections.
  void writeFromSource();
  void writeMissingSections(int belowRank);
  void writeSection(std::string_view name, void (Writer::*body)());
  void headerBody();
  std::string headerText();
  void tablesBody(const DxfSection* s);
  void blocksBody(const DxfSection* s);
  void entitiesBody(const DxfSection* s);
  void objectsBody(const DxfSection* s);
  void newTablesBody() { tablesBody(nullptr); }
  void newBlocksBody() { blocksBody(nullptr); }
  void newEntitiesBody() { entitiesBody(nullptr); }
  void newObjectsBody() { objectsBody(nullptr); }
  void classesBody() { writeDimAssocClass(nullptr); }
  // Readers make DIMASSOC objects by their class entry: a drawing holding
  // associations names it, unless the file's own section already does.
  void writeDimAssocClass(const DxfSection* s) {
    if (m_r12) return;
    if (s && m_doc->slice(s->bodyBegin, s->bodyEnd).find("DIMASSOC") != std::string_view::npos) return;
    int count = 0;
    m_db.forEachObject([&](OdDbObjectId id) {
      const OdDbObject* obj = objectOf(id);
      if (!gone(obj) && dynamic_cast<const OdDbDimAssoc*>(obj)) ++count;
    });
    if (count == 0) return;
    m_w.text(0, "CLASS");
    m_w.text(1, "DIMASSOC");
    m_w.text(2, "AcDbDimAssoc");
    m_w.text(3, "AcDbDimAssoc");
    m_w.integer(90, 0);
    if (m_version >= DxfVersion::R2004) m_w.integer(91, count);
    m_w.integer(280, 0);
    m_w.integer(281, 0);
  }

  // Records.
  void copyRecord(std::size_t index);
  // A tag of a record copied from the file, the active viewport's brought
  // up to date.
  void writeSourceTag(std::size_t index, const DxfRecordOriginal& o, const DxfTag& t);
  // Whether the record holds a handle or owner the file layer could not
  // read; and, for such a tag, writes what the drawing gave the record.
  bool hasUnreadHandle(std::size_t index) const;
  bool writeUnreadHandle(std::size_t index, const DxfTag& t);
  void emitRecord(std::size_t index);
  void emitObject(const OdDbObject* obj);
  bool needsRewrite(const OdDbObject* obj) const;
  bool lacksHandle(const OdDbObject* obj) const;
  bool modelledOutOfR12Form(const OdDbObject* obj) const;
  // The linetypes ByLayer and ByBlock, which the drawing always has and R12
  // files leave out: written as R12, they stay out unless the file had them.
  bool impliedInR12(const OdDbObject* obj) const {
    const auto* lt = dynamic_cast<const OdDbLinetypeTableRecord*>(obj);
    if (!m_r12 || !lt || lt->fileRecord()) return false;
    const OdString name = lt->getName();
    return qrv::equalNoCase(name, "ByLayer") || qrv::equalNoCase(name, "ByBlock");
  }
  void copyWithHandle(std::size_t index, const OdDbObject* obj);
  bool copyTableEntryInLaterForm(std::size_t index, const OdDbObject* obj);
  bool namesRenamed(const OdDbObject* obj) const;
  void patchNames(std::size_t index, const std::vector<DxfRawRef>& refs);
  const DxfRecordSpan* recordOf(const OdDbObject* obj) const {
    return (m_doc && obj->fileRecord()) ? &m_src->spans[obj->fileRecord() - 1] : nullptr;
  }
  std::size_t beginOf(std::size_t i) const { return m_src->spans[i].begin; }
  std::size_t endOf(std::size_t i) const { return m_src->spans[i].begin + m_src->spans[i].size; }

  void emitTable(OdDbObjectId tableId, const DxfTable* table, std::string_view name);
  void emitBlock(OdDbObjectId blockId, const DxfBlock* block);
  void emitNewEntities(const OdDbBlockTableRecord* block);

  // Writers of modelled records.
  void head(const OdDbObject* obj, std::string_view type, const DxfRecordOriginal& o, int handleCode = 5);
  void entityHead(const OdDbEntity* e, std::string_view type, const DxfRecordOriginal& o);
  void xdata(const OdDbObject* obj, const DxfDimVarItems* overrides, const DxfDimVarItems* qrv);
  void writeEntity(const OdDbEntity* e, const DxfRecordOriginal& o);
  void writeTableRecord(const OdDbSymbolTableRecord* rec, const DxfRecordOriginal& o);
  void writeDimStyle(const OdDbDimStyleTableRecord* rec, const DxfRecordOriginal& o);
  void writeDictionary(const OdDbDictionary* d, const DxfRecordOriginal& o);
  void writeXrecord(const OdDbXrecord* x, const DxfRecordOriginal& o);
  void writeDimAssoc(const OdDbDimAssoc* a, const DxfRecordOriginal& o);
  void writeBlockBegin(const OdDbBlockTableRecord* b, const DxfRecordSpan* original);
  void writeBlockEnd(const OdDbBlockTableRecord* b, const DxfRecordSpan* original);

  DxfDimVarItems overrideItems(const OdDbDimStyleEntity* e) const {
    DxfDimVarItems items;
    for (const auto& [i, v] : e->dimOverrides().items()) items.emplace_back(i, v);
    return items;
  }

  const OdDbDatabase& m_db;
  const DxfDrawingSource* m_src;
  const DxfDocument* m_doc;
  DxfVersion m_version;
  DxfCodePage m_codePage;
  DxfWriter m_w;
  DxfOut m_out;
  bool m_transcode = false;
  bool m_r12 = false;            // written as R12
  bool m_sourceR12 = false;      // read from an R12 (or older) file
  // The active viewport's record when the drawing's grid or snap differs
  // from what it holds.
  std::optional<std::size_t> m_changedViewport;
  bool m_handles = true;         // records written anew carry handles
  DxfR12Losses m_losses;         // what R12 cannot hold, for the note
  bool m_regenerateAll = false;
  std::uint64_t m_nextHandle = 1;
  std::unordered_set<OdDbStub*> m_renamed;
  // Live objects owned, directly or through their owners, by an erased one
  // (the extension dictionary of an erased entity and what it holds): they
  // are written no more than their owner, and references to them are
  // left out as references to erased objects are.
  std::unordered_set<const OdDbStub*> m_orphans;
  void findOrphans();
  bool gone(const OdDbObject* obj) const {
    return !obj || obj->isErased() || (!m_orphans.empty() && m_orphans.count(obj->objectId().stub()));
  }
  bool gone(OdDbObjectId id) const { return gone(objectOf(id)); }
  bool holdsOrphan(const OdDbObject* obj) const;
  // Arrowhead blocks reading made for names an R12 file gave without
  // blocks, which something written anew names by the block's own name:
  // an R12 save must then hold the block.
  std::unordered_set<const OdDbStub*> m_arrowBlocksNamedAnew;
  void findArrowBlocksNamedAnew();
  bool m_needQrvApp = false;
  int m_writtenRank = -1;
  bool m_wroteNew = false;         // an object without a file record was written
  struct {
    std::uint64_t groups = 0, dictionary = 0, model = 0, paper = 0;
  } m_layouts;  // handles of the layout objects of a drawing never read
  void writeLayout(std::uint64_t handle, const char* name, int tab, OdDbObjectId block);
  void writeLayoutObjects();
  DxfDrawingText m_text;
  std::size_t m_generatedFrom = 0;
  std::uint64_t m_loadSeed = 0;    // the handle seed right after reading
};

// ---- sections -----------------------------------------------------------

DxfDrawingText Writer::write() {
  m_w.reserve(m_doc ? std::size_t(1) << 20 : std::size_t(1) << 16);
  if (m_doc) {
    writeFromSource();
  } else {
    writeMissingSections(6);
    m_w.text(0, "EOF");
  }
  flushGenerated();
  m_text.generated = m_w.release();
  if (m_doc) m_text.source = m_doc->bytes();
  if (m_r12) toR12Form();
  // After the body: converting light polylines gives out handles.
  m_text.header = headerText();
  return std::move(m_text);
}

// The body in R12 form: what was written anew, and everything read from a
// file of a later version, goes through DxfR12Form; records read from an
// R12 file stay as they were.
void Writer::toR12Form() {
  using Piece = DxfDrawingText::Piece;
  DxfDrawingText out;
  out.source = m_text.source;
  DxfWriter w(m_doc ? m_doc->lineEnding() : DxfLineEnding::Lf);
  std::string run;
  auto convertRun = [&] {
    if (run.empty()) return;
    const std::size_t from = w.size();
    std::size_t rest = run.size();
    {
      DxfR12Form form(w, m_handles, m_nextHandle, m_losses);
      DxfTokenizer tokenizer(run);
      DxfTag tag;
      while (tokenizer.next(tag)) {
        form.tag(tag);
        if (tag.code == 0 && tag.trimmed() == "EOF") {
          rest = tokenizer.offset();
          break;
        }
      }
    }
    w.verbatim(std::string_view(run).substr(rest));  // whatever followed the end-of-file marker
    if (w.size() > from) out.list.push_back({Piece::Generated, from, w.size()});
    run.clear();
  };
  for (const Piece& p : m_text.list) {
    if (p.kind == Piece::Header || (p.kind == Piece::Source && m_sourceR12)) {
      convertRun();
      out.list.push_back(p);
      continue;
    }
    const std::string_view from = p.kind == Piece::Source ? m_text.source : std::string_view(m_text.generated);
    run.append(from.substr(p.begin, p.end - p.begin));
  }
  convertRun();
  out.generated = w.release();
  m_text = std::move(out);
}

void Writer::writeFromSource() {
  std::size_t pos = 0;
  // What precedes the first section (a byte order mark, comments) stays
  // first, also when sections the file lacked are written before it.
  if (!m_doc->sections().empty()) {
    pos = m_doc->sections().front().byteBegin;
    source(m_doc->slice(0, pos));
  }
  for (const DxfSection& s : m_doc->sections()) {
    const int rank = sectionRank(s.name);
    if (rank >= 0) writeMissingSections(rank);
    if (m_r12 && (s.name == "CLASSES" || s.name == "OBJECTS")) {
      // R12 has neither: an R12 file's own such section stays as read.
      if (!m_sourceR12) {
        if (s.name == "OBJECTS") m_losses.add("objects (dictionaries, layouts...)", s.endRecord - s.firstRecord);
        source(m_doc->slice(pos, s.byteBegin));
        pos = s.byteEnd;
        m_writtenRank = std::max(m_writtenRank, rank);
        continue;
      }
    }
    source(m_doc->slice(pos, s.bodyBegin));
    if (s.name == "HEADER") {
      markHeader();
    } else if (s.name == "TABLES") {
      tablesBody(&s);
    } else if (s.name == "BLOCKS") {
      blocksBody(&s);
    } else if (s.name == "ENTITIES") {
      entitiesBody(&s);
    } else if (s.name == "OBJECTS") {
      objectsBody(&s);
    } else {
      std::size_t at = s.bodyBegin;
      for (std::size_t i = s.firstRecord; i < s.endRecord; ++i) {
        source(m_doc->slice(at, beginOf(i)));
        copyRecord(i);
        at = endOf(i);
      }
      if (s.name == "CLASSES") writeDimAssocClass(&s);
      source(m_doc->slice(at, s.bodyEnd));
    }
    if (rank >= 0) m_writtenRank = std::max(m_writtenRank, rank);
    source(m_doc->slice(s.bodyEnd, s.byteEnd));
    pos = s.byteEnd;
  }
  writeMissingSections(6);
  source(m_doc->slice(pos, m_doc->bytes().size()));
}

// Sections a drawing needs that the file had not (an R12 file of entities
// only, a new drawing), in their standard place.
void Writer::writeMissingSections(int belowRank) {
  static const std::pair<const char*, void (Writer::*)()> kSections[] = {
      {"HEADER", nullptr},
      {"CLASSES", &Writer::classesBody},
      {"TABLES", &Writer::newTablesBody},
      {"BLOCKS", &Writer::newBlocksBody},
      {"ENTITIES", &Writer::newEntitiesBody},
      {"OBJECTS", &Writer::newObjectsBody},
  };
  for (int rank = m_writtenRank + 1; rank < belowRank; ++rank) {
    // A drawing read without CLASSES needs none; R12 has neither CLASSES
    // nor OBJECTS.
    if (m_doc && (m_doc->section(kSections[rank].first) || rank == 1)) continue;
    if (m_r12 && (rank == 1 || rank == 5)) continue;
    m_w.text(0, "SECTION");
    m_w.text(2, kSections[rank].first);
    // Through a local: GCC's bounds check misreads an indexed
    // pointer-to-member call.
    const auto body = kSections[rank].second;
    if (rank == 0)
      markHeader();
    else
      (this->*body)();
    m_w.text(0, "ENDSEC");
    m_writtenRank = rank;
  }
}

std::string Writer::headerText() {
  DxfWriter hw(m_doc ? m_doc->lineEnding() : DxfLineEnding::Lf);
  const auto texts = dxfHeaderVariableTexts(m_db, m_version, m_codePage, m_doc ? m_doc->lineEnding()
                                                                              : DxfLineEnding::Lf);
  const std::uint64_t seed = std::max<std::uint64_t>(m_nextHandle, m_db.handseed().value());
  auto writeOwn = [&](std::string_view name) -> bool {
    if (name == "$ACADVER") {
      hw.text(9, name), hw.text(1, dxfVersionName(m_version));
      return true;
    }
    if (name == "$DWGCODEPAGE") {
      hw.text(9, name), hw.text(3, dxfCodePageName(m_codePage == DxfCodePage::Utf8 && m_doc
                                                        ? m_doc->codePage() : m_codePage));
      return true;
    }
    if (name == "$HANDSEED") {
      // R12 says first whether the file has handles at all.
      if (m_r12 && !m_handles) return true;
      if (m_r12 && !(m_doc && m_doc->headerVariable("$HANDLING"))) hw.text(9, "$HANDLING"), hw.integer(70, 1);
      hw.text(9, name), hw.handle(5, seed);
      return true;
    }
    return false;
  };
  std::unordered_set<std::string> present;
  // A file without a header (an R12 file of entities only) gets one whole,
  // as a new drawing does.
  if (const DxfSection* s = m_doc ? m_doc->section("HEADER") : nullptr) {
    const auto& vars = m_doc->headerVariables();
    std::size_t at = s->bodyBegin;
    std::unordered_map<std::string_view, const std::string*> now;
    for (const auto& [name, text] : texts) now.emplace(name, &text);
    // A header without a version (many small writers leave it out) is read
    // as R12; written as a later version, it must say so, and name the
    // handle seed, which that version's readers rely on. A header that goes
    // from R12 with handles to a later version drops $HANDLING.
    if (!m_r12) {
      hw.verbatim(m_doc->slice(at, vars.empty() ? s->bodyEnd : vars.front().byteBegin));
      at = vars.empty() ? s->bodyEnd : vars.front().byteBegin;
      for (const char* name : {"$ACADVER", "$HANDSEED"})
        if (!m_doc->headerVariable(name)) writeOwn(name);
    }
    for (const DxfHeaderVariable& v : vars) {
      hw.verbatim(m_doc->slice(at, v.byteBegin));
      at = v.byteEnd;
      const std::string name(v.name);
      present.insert(name);
      if (name == "$HANDLING" && !m_r12 && m_sourceR12) continue;
      // A later version's variable that R12 has not: written below under
      // the name an R12 save gives it.
      // (An R12 file that has one keeps it as it is.)
      if (m_r12 && !m_sourceR12 && !dxfHeaderVariableInR12(name) && now.count(dxfHeaderNameInR12(name))) continue;
      // One that no R12 file has and the drawing does not model: named in
      // the note. (Those of this system's own stay.)
      if (m_r12 && !m_sourceR12 && !now.count(v.name) && !dxfIsR12HeaderVariable(name) &&
          name.rfind("$QRV_", 0) != 0) {
        m_losses.add("header variables");
        continue;
      }
      bool own = false;
      if (name == "$ACADVER") own = m_version != m_doc->version();
      if (name == "$DWGCODEPAGE") own = m_transcode;
      if (name == "$HANDSEED") {
        std::uint64_t h = 0;
        for (const DxfTag& t : m_doc->tags(v)) {
          dxfParseHandle(t.trimmed(), h);
          break;
        }
        // A seed below the handles in use (some writers leave one) is
        // corrected only when new handles were given out: a drawing
        // written back unchanged stays the same file.
        own = h != seed && (m_wroteNew || m_nextHandle != m_db.handseed().value() || seed > m_loadSeed);
        // Handles of a later version's file kept in R12: the header says so.
        if (m_r12 && !m_sourceR12 && !m_doc->headerVariable("$HANDLING")) own = true;
      }
      if (own && writeOwn(name)) continue;
      auto it = now.find(v.name);
      auto was = m_src->header.find(name);
      if (it != now.end() && was != m_src->header.end() && *it->second != was->second) {
        if (it->second->empty()) continue;  // no longer applies
        hw.text(9, name);
        hw.verbatim(*it->second);
        continue;
      }
      if (m_transcode) {
        hw.text(9, name);
        for (const DxfTag& t : m_doc->tags(v)) {
          if (t.kind() == DxfValueKind::String)
            hw.text(t.code, dxfEncodeText(m_doc->text(t), m_codePage));
          else
            hw.tag(t);
        }
      } else {
        hw.verbatim(m_doc->verbatim(v));
      }
    }
    // Modelled variables the file had not, where they now differ from what
    // reading assumed.
    for (const auto& [name, text] : texts) {
      if (present.count(name) || text.empty()) continue;
      auto was = m_src->header.find(name);
      if (was != m_src->header.end() && was->second == text) continue;
      hw.text(9, name);
      hw.verbatim(text);
    }
    hw.verbatim(m_doc->slice(at, s->bodyEnd));
    return hw.release();
  }
  for (const char* name : {"$ACADVER", "$DWGCODEPAGE", "$HANDSEED"}) writeOwn(name);
  for (const auto& [name, text] : texts) {
    if (text.empty()) continue;
    hw.text(9, name);
    hw.verbatim(text);
  }
  return hw.release();
}

// ---- records ------------------------------------------------------------------

void Writer::copyRecord(std::size_t index) {
  // A record of an R12 file in a later version's form goes through the
  // conversion to R12 form as written anew.
  const bool reform = m_r12 && m_sourceR12 && !dxfIsInR12Form(m_src->tags(index));
  if (!m_transcode && !reform && m_changedViewport != index && !hasUnreadHandle(index)) {
    source(m_src->verbatim(index));
    return;
  }
  DxfRecordOriginal o(m_doc, &m_src->spans[index], m_transcode);
  for (const DxfTag& t : m_src->tags(index)) writeSourceTag(index, o, t);
}

void Writer::writeSourceTag(std::size_t index, const DxfRecordOriginal& o, const DxfTag& t) {
  if (m_changedViewport == index && dxfWriteActiveViewportTag(m_w, t, m_db.headerVars())) return;
  if (writeUnreadHandle(index, t)) return;
  o.writeTag(m_out, t);
}

namespace {

auto unreadHandlesOf(const DxfDocument& doc, std::size_t index) {
  const std::vector<DxfUnreadHandle>& all = doc.unreadHandles();
  return std::equal_range(all.begin(), all.end(), DxfUnreadHandle{index, 0},
                          [](const DxfUnreadHandle& a, const DxfUnreadHandle& b) { return a.record < b.record; });
}

}  // namespace

bool Writer::hasUnreadHandle(std::size_t index) const {
  if (m_doc->unreadHandles().empty()) return false;
  const auto [first, last] = unreadHandlesOf(*m_doc, index);
  return first != last;
}

// Copied back, a value that is no handle would be refused, or read as
// nothing again, by every reader, although reading put the record in its
// place: the record gets the owner the drawing gives it (the block record
// for a block's BLOCK and ENDBLK, none for a table's head) and the handle
// it was given, or a new one for a record that is not an object of its own.
bool Writer::writeUnreadHandle(std::size_t index, const DxfTag& t) {
  if (m_doc->unreadHandles().empty()) return false;
  const auto [first, last] = unreadHandlesOf(*m_doc, index);
  if (std::none_of(first, last, [&](const DxfUnreadHandle& u) { return u.line == t.line; })) return false;
  const OdDbObjectId id = m_src->objects[index];
  const OdDbObject* obj = objectOf(id);
  const std::string_view type = m_src->type(index);
  if (t.code == 330) {
    OdDbObjectId owner;
    if (type == "BLOCK" || type == "ENDBLK")
      owner = id;
    else if (obj)
      owner = obj->ownerId();
    m_out.handle(330, owner);
  } else if (obj && obj->fileRecord() == index + 1) {
    m_out.handle(t.code, id);
  } else {
    m_w.handle(t.code, m_nextHandle++);
  }
  return true;
}

bool Writer::namesRenamed(const OdDbObject* obj) const {
  if (m_renamed.empty()) return false;
  auto renamed = [&](OdDbObjectId id) { return id.stub() && m_renamed.count(id.stub()) > 0; };
  if (auto e = dynamic_cast<const OdDbEntity*>(obj)) {
    if (renamed(e->layerId()) || renamed(e->linetypeId())) return true;
    if (auto d = dynamic_cast<const OdDbDimStyleEntity*>(e); d && renamed(d->dimensionStyle())) return true;
    if (auto d = dynamic_cast<const OdDbDimension*>(e); d && renamed(d->dimBlockId())) return true;
    if (auto t = dynamic_cast<const OdDbText*>(e); t && renamed(t->textStyle())) return true;
    if (auto t = dynamic_cast<const OdDbMText*>(e); t && renamed(t->textStyle())) return true;
    if (auto b = dynamic_cast<const OdDbBlockReference*>(e); b && renamed(b->blockTableRecord())) return true;
  }
  if (auto l = dynamic_cast<const OdDbLayerTableRecord*>(obj); l && renamed(l->linetypeObjectId())) return true;
  return false;
}

bool Writer::needsRewrite(const OdDbObject* obj) const {
  return obj->fileRecord() == 0 || obj->isModifiedSinceLoad() || m_regenerateAll || namesRenamed(obj) ||
         lacksHandle(obj) || modelledOutOfR12Form(obj);
}

// A modelled record of an R12 file that holds groups R12 has not (a
// dimension style with DIMDEC or DIMAUNIT, as some writers give them): the
// conversion to R12 form would drop those groups, so it is written anew from
// what the drawing holds, which keeps every value.
bool Writer::modelledOutOfR12Form(const OdDbObject* obj) const {
  if (!m_r12 || !m_sourceR12 || obj->fileRecord() == 0) return false;
  const std::size_t index = obj->fileRecord() - 1;
  return !m_src->raw[index] && !dxfIsInR12Form(m_src->tags(index));
}

// A record the file gave no handle (some writers leave them out) got one
// when it was read; only writing it anew puts that in the file, and without
// it every reference to the record would dangle once the file is read again.
bool Writer::lacksHandle(const OdDbObject* obj) const {
  if (!m_handles) return false;  // an R12 file without handles stays without
  // R12 gives handles to entities only; its tables and blocks refer to
  // each other by name.
  if (m_r12 && !dynamic_cast<const OdDbEntity*>(obj)) return false;
  const DxfRecordSpan* r = recordOf(obj);
  return r && r->handle == 0;
}

// An unmodelled record whose name references follow a renamed record.
void Writer::patchNames(std::size_t index, const std::vector<DxfRawRef>& refs) {
  DxfRecordOriginal o(m_doc, &m_src->spans[index], m_transcode);
  std::uint32_t ordinal = 0;
  auto ref = refs.begin();
  for (const DxfTag& t : m_src->tags(index)) {
    while (ref != refs.end() && ref->tag < ordinal) ++ref;
    if (ref != refs.end() && ref->tag == ordinal && dxfIsNameRef(ref->code) && m_renamed.count(ref->id.stub()))
      m_out.str(t.code, nameOf(ref->id));
    else
      writeSourceTag(index, o, t);
    ++ordinal;
  }
}

// An unmodelled record the file gave no handle (an R12 file has none):
// copied with the handle it was given, where these versions have it: after
// the type, or for a table's head after the table's name.
void Writer::copyWithHandle(std::size_t index, const OdDbObject* obj) {
  DxfRecordOriginal o(m_doc, &m_src->spans[index], m_transcode);
  const bool tableHead = m_src->type(index) == "TABLE";
  bool done = false, dropped = false;
  for (const DxfTag& t : m_src->tags(index)) {
    // A handle the record had but could not keep (empty, or another
    // record's) gives way to its new one.
    if (!dropped && t.code == 5 && done) {
      dropped = true;
      continue;
    }
    writeSourceTag(index, o, t);
    if (!done && (tableHead ? t.code == 2 : true)) m_out.handle(5, obj->objectId()), done = true;
  }
}

// An R12 table entry the database does not model (VPORT, VIEW, UCS), in
// the form of later versions: handle, owner, subclass markers. False for
// other records.
bool Writer::copyTableEntryInLaterForm(std::size_t index, const OdDbObject* obj) {
  static const std::pair<std::string_view, std::string_view> kMarkers[] = {
      {"VPORT", "AcDbViewportTableRecord"}, {"VIEW", "AcDbViewTableRecord"},
      {"UCS", "AcDbUCSTableRecord"},        {"LTYPE", "AcDbLinetypeTableRecord"},
      {"LAYER", "AcDbLayerTableRecord"},    {"STYLE", "AcDbTextStyleTableRecord"},
      {"APPID", "AcDbRegAppTableRecord"},   {"DIMSTYLE", "AcDbDimStyleTableRecord"}};
  const std::string_view type = m_src->type(index);
  std::string_view marker;
  for (const auto& [t, m] : kMarkers)
    if (t == type) marker = m;
  if (marker.empty()) return false;
  for (const DxfTag& t : m_src->tags(index))
    if (t.code == 100) return false;  // already in that form
  DxfRecordOriginal o(m_doc, &m_src->spans[index], m_transcode);
  m_w.text(0, type);
  m_out.handle(type == "DIMSTYLE" ? 105 : 5, obj->objectId());
  m_out.handle(330, obj->ownerId());
  m_w.text(100, "AcDbSymbolTableRecord");
  m_w.text(100, marker);
  for (const DxfTag& t : m_src->tags(index))
    if (t.code != 0 && t.code != 105 && (t.code != 5 || type == "DIMSTYLE")) writeSourceTag(index, o, t);
  return true;
}

void Writer::emitRecord(std::size_t index) {
  OdDbObjectId id = m_src->objects[index];
  const OdDbObject* obj = objectOf(id);
  if (!obj) {
    copyRecord(index);
    return;
  }
  // Sub-records (vertices, attributes) and extension dictionaries go with
  // their entity.
  if (gone(obj)) return;
  if (m_src->raw[index]) {
    const std::vector<DxfRawRef>* refs = dxfRawRefs(obj);
    bool patch = false;
    if (!m_renamed.empty())
      for (const DxfRawRef& r : *refs) patch = patch || (dxfIsNameRef(r.code) && m_renamed.count(r.id.stub()));
    if (patch)
      patchNames(index, *refs);
    else if (!m_r12 && m_sourceR12 && copyTableEntryInLaterForm(index, obj))
      return;
    else if (lacksHandle(obj))
      copyWithHandle(index, obj);
    else
      copyRecord(index);
    return;
  }
  if (needsRewrite(obj) || holdsOrphan(obj))
    emitObject(obj);
  else
    copyRecord(index);
}

void Writer::findOrphans() {
  // Saving a drawing without erased objects (most saves) costs one pass.
  bool anyErased = false;
  m_db.forEachObject([&](OdDbObjectId id) {
    const OdDbObject* obj = objectOf(id);
    anyErased = anyErased || (obj && obj->isErased());
  });
  if (!anyErased) return;
  std::unordered_map<const OdDbStub*, bool> known;
  // Whether obj's owners reach an erased object; owner chains are short,
  // and a chain that loops (a damaged file) ends the walk.
  auto ownedByErased = [&](const OdDbObject* obj) {
    std::vector<const OdDbStub*> chain;
    bool result = false;
    for (const OdDbObject* at = objectOf(obj->ownerId()); at && chain.size() < 64; at = objectOf(at->ownerId())) {
      const OdDbStub* stub = at->objectId().stub();
      if (at->isErased()) {
        result = true;
        break;
      }
      if (auto k = known.find(stub); k != known.end()) {
        result = k->second;
        break;
      }
      if (std::find(chain.begin(), chain.end(), stub) != chain.end()) break;
      chain.push_back(stub);
    }
    for (const OdDbStub* s : chain) known.emplace(s, result);
    return result;
  };
  m_db.forEachObject([&](OdDbObjectId id) {
    const OdDbObject* obj = objectOf(id);
    if (obj && !obj->isErased() && ownedByErased(obj)) m_orphans.insert(id.stub());
  });
}

void Writer::findArrowBlocksNamedAnew() {
  if (!m_r12 || !m_src || m_src->madeArrowBlocks.empty()) return;
  struct Named : OdDbRefVisitor {
    const std::unordered_set<OdDbStub*>& made;
    std::unordered_set<const OdDbStub*>& named;
    Named(const std::unordered_set<OdDbStub*>& m, std::unordered_set<const OdDbStub*>& n) : made(m), named(n) {}
    void visit(OdDbObjectId id) override {
      if (made.count(id.stub())) named.insert(id.stub());
    }
  } named(m_src->madeArrowBlocks, m_arrowBlocksNamedAnew);
  // Records copied as read keep the names the file gave; those written anew
  // (a dimension's rebuilt block inserting the arrowhead, a changed style)
  // name the block.
  m_db.forEachObject([&](OdDbObjectId id) {
    const OdDbObject* obj = objectOf(id);
    if (!gone(obj) && needsRewrite(obj)) obj->forEachHardRef(named);
  });
  // So does a header arrowhead whose value changed since reading.
  const OdDbDimVars& header = m_db.headerVars().dim;
  for (const auto& [name, text] : dxfHeaderVariableTexts(m_db, m_version, m_codePage, DxfLineEnding::Lf)) {
    const auto was = m_src->header.find(name);
    if (name.rfind("$DIMBLK", 0) != 0 && name != "$DIMLDRBLK") continue;
    if (was != m_src->header.end() && was->second == text) continue;
    if (const auto index = OdDbDimVars::indexOf(name.substr(1))) {
      const OdDbDimVarValue value = header.get(*index);
      if (const auto* block = std::get_if<OdDbObjectId>(&value)) named.visit(*block);
    }
  }
}

// A dictionary read from the file that names an orphan: written anew without
// that entry, never with a handle to an object the file no longer holds.
bool Writer::holdsOrphan(const OdDbObject* obj) const {
  const auto* d = dynamic_cast<const OdDbDictionary*>(obj);
  if (m_orphans.empty() || !d) return false;
  for (auto it = d->newIterator(); !it->done(); it->next())
    if (m_orphans.count(it->objectId().stub())) return true;
  return false;
}

void Writer::emitObject(const OdDbObject* obj) {
  const DxfRecordSpan* r = recordOf(obj);
  if (!r) m_wroteNew = true;
  DxfRecordOriginal o(m_doc, r, m_transcode);
  if (auto e = dynamic_cast<const OdDbEntity*>(obj)) {
    // An unmodelled entity is written from its record; one that has none
    // (a copy made since reading) has nothing to write it from.
    if (dynamic_cast<const DxfRawEntity*>(obj))
      throw DxfError(0, "entity " + obj->getDbHandle().ascii() +
                            " is of a kind this program does not model and was added since the drawing was read;"
                            " it cannot be written");
    writeEntity(e, o);
  } else if (auto rec = dynamic_cast<const OdDbSymbolTableRecord*>(obj)) {
    writeTableRecord(rec, o);
  } else if (auto d = dynamic_cast<const OdDbDictionary*>(obj)) {
    writeDictionary(d, o);
  } else if (auto x = dynamic_cast<const OdDbXrecord*>(obj)) {
    writeXrecord(x, o);
  } else if (auto a = dynamic_cast<const OdDbDimAssoc*>(obj)) {
    writeDimAssoc(a, o);
  } else {
    throw DxfError(0, std::string("no DXF form for an object of class ") + obj->isA()->name());
  }
}

// ---- tables ---------------------------------------------------------------

void Writer::tablesBody(const DxfSection* s) {
  std::unordered_set<OdDbStub*> written;
  if (s) {
    std::unordered_map<std::size_t, const DxfTable*> heads;
    for (const DxfTable& t : m_doc->tables()) heads.emplace(t.head, &t);
    std::size_t at = s->bodyBegin;
    for (std::size_t i = s->firstRecord; i < s->endRecord; ++i) {
      source(m_doc->slice(at, beginOf(i)));
      if (auto it = heads.find(i); it != heads.end()) {
        OdDbObjectId tableId = m_src->objects[i];
        written.insert(tableId.stub());
        // R12 knows blocks by their BLOCK records alone.
        if (!(m_r12 && it->second->name == "BLOCK_RECORD")) emitTable(tableId, it->second, it->second->name);
        i = it->second->endTab;
      } else {
        copyRecord(i);
      }
      at = endOf(i);
    }
    source(m_doc->slice(at, s->bodyEnd));
  }
  // Tables the file had not (an R12 drawing has no BLOCK_RECORD table).
  const OdDbDatabase::TableIds& ids = m_db.tableIds();
  if (!s) {
    for (const char* name : {"VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE",
                             "BLOCK_RECORD"}) {
      const std::string_view n = name;
      OdDbObjectId id = n == "LTYPE" ? ids.linetypeTable : n == "LAYER" ? ids.layerTable
                      : n == "STYLE" ? ids.textStyleTable : n == "APPID" ? ids.regAppTable
                      : n == "DIMSTYLE" ? ids.dimStyleTable : n == "BLOCK_RECORD" ? ids.blockTable : OdDbObjectId();
      written.insert(id.stub());
      if (!(m_r12 && n == "BLOCK_RECORD")) emitTable(id, nullptr, name);
    }
    return;
  }
  const std::pair<OdDbObjectId, const char*> modelled[] = {
      {ids.linetypeTable, "LTYPE"}, {ids.layerTable, "LAYER"},       {ids.textStyleTable, "STYLE"},
      {ids.regAppTable, "APPID"},   {ids.dimStyleTable, "DIMSTYLE"}, {ids.blockTable, "BLOCK_RECORD"}};
  for (const auto& [id, name] : modelled)
    if (!id.isNull() && !written.count(id.stub()) && !(m_r12 && std::string_view(name) == "BLOCK_RECORD"))
      emitTable(id, nullptr, name);
}

void Writer::emitTable(OdDbObjectId tableId, const DxfTable* table, std::string_view name) {
  const auto* symbols = dynamic_cast<const OdDbSymbolTable*>(objectOf(tableId));
  if (table && !symbols) {  // a table the database does not model
    for (std::size_t i = table->head; i <= table->endTab; ++i) emitRecord(i);
    return;
  }
  int live = 0;
  bool sameEntries = true;  // every entry read from the file, none erased
  if (symbols)
    for (OdDbObjectId id : symbols->recordIds()) {
      const OdDbObject* rec = objectOf(id);
      if (impliedInR12(rec)) continue;
      live += rec && !rec->isErased();
      sameEntries = sameEntries && rec && !rec->isErased() && rec->fileRecord() != 0;
    }
  const bool addQrvApp = name == "APPID" && m_needQrvApp && symbols && !symbols->has(kDxfDimVarsApp);
  live += addQrvApp;
  // The head: as read, with the count brought up to date.
  if (table) {
    DxfRecordOriginal o(m_doc, &m_src->spans[table->head], m_transcode);
    // The count is brought up to date only when entries were added or
    // removed: an unchanged table keeps its head as it was, right or not.
    bool counted = false;
    const bool changed = !sameEntries || addQrvApp || std::size_t(live) != table->endTab - table->head - 1;
    // A head without a handle (R12 files have none) gets the one it was
    // given when read, after the table's name, where these versions have it.
    // (R12 refers to no table head: one written as R12 stays as it was.)
    const bool addHandle = m_src->spans[table->head].handle == 0 && !tableId.isNull() && !m_r12;
    // An R12 head written into a later version gets that version's owner
    // and subclass marker.
    bool addMarker = false;
    if (!m_r12 && m_sourceR12) {
      addMarker = true;
      for (const DxfTag& t : m_src->tags(table->head)) addMarker = addMarker && t.code != 100;
    }
    if (!changed && !addHandle && !addMarker) {
      copyRecord(table->head);
    } else {
      bool styleList = false;  // DIMSTYLE heads may list their entries (71, 340...)
      bool named = false;
      for (const DxfTag& t : m_src->tags(table->head)) {
        if (t.code == 100) styleList = t.trimmed() == "AcDbDimStyleTable";
        if (changed && t.code == 70 && !counted) {
          counted = true;
          m_w.integer(70, live);
        } else if (changed && styleList && t.code == 71 && symbols) {
          m_w.integer(71, live - addQrvApp);
          for (OdDbObjectId id : symbols->recordIds())
            if (!gone(id)) m_out.handle(340, id);
        } else if (addHandle && t.code == 5) {
          // one it could not keep: the new one is written after the name
        } else if (!(changed && styleList && t.code == 340)) {
          writeSourceTag(table->head, o, t);
        }
        if (addHandle && t.code == 2 && !named) m_out.handle(5, tableId);
        if (addMarker && t.code == 2 && !named) {
          m_w.handle(330, 0);
          m_w.text(100, "AcDbSymbolTable");
        }
        named = named || t.code == 2;
      }
    }
  } else {
    m_w.text(0, "TABLE");
    m_w.text(2, name);
    const std::uint64_t h = tableId.isNull() ? m_nextHandle++ : tableId.getHandle().value();
    m_w.handle(5, h);
    m_w.handle(330, 0);
    m_w.text(100, "AcDbSymbolTable");
    m_w.integer(70, live);
    if (name == "DIMSTYLE") {
      m_w.text(100, "AcDbDimStyleTable");
      m_w.integer(71, 0);
    }
  }
  if (symbols) {
    for (OdDbObjectId id : symbols->recordIds()) {
      const OdDbObject* obj = objectOf(id);
      if (!obj || obj->isErased() || impliedInR12(obj)) continue;
      if (obj->fileRecord() && !needsRewrite(obj))
        copyRecord(obj->fileRecord() - 1);
      else
        emitObject(obj);
    }
  }
  if (addQrvApp) {
    m_w.text(0, "APPID");
    m_w.handle(5, m_nextHandle++);
    m_out.handle(330, tableId);
    m_w.text(100, "AcDbSymbolTableRecord");
    m_w.text(100, "AcDbRegAppTableRecord");
    m_w.text(2, kDxfDimVarsApp);
    m_w.integer(70, 0);
  }
  if (table)
    copyRecord(table->endTab);
  else
    m_w.text(0, "ENDTAB");
}

void Writer::head(const OdDbObject* obj, std::string_view type, const DxfRecordOriginal& o, int handleCode) {
  m_w.text(0, type);
  m_w.handle(handleCode, obj->getDbHandle().value());
  if (OdDbObjectId xd = obj->extensionDictionary(); !xd.isNull() && objectOf(xd) && !objectOf(xd)->isErased()) {
    m_w.text(102, "{ACAD_XDICTIONARY");
    m_out.handle(360, xd);
    m_w.text(102, "}");
  }
  o.writeKeptGroups(m_out);
  m_out.handle(330, obj->ownerId());
}

void Writer::writeTableRecord(const OdDbSymbolTableRecord* rec, const DxfRecordOriginal& o) {
  if (auto ds = dynamic_cast<const OdDbDimStyleTableRecord*>(rec)) return writeDimStyle(ds, o);
  const char* type = "APPID";
  const char* marker = "AcDbRegAppTableRecord";
  if (dynamic_cast<const OdDbTextStyleTableRecord*>(rec)) type = "STYLE", marker = "AcDbTextStyleTableRecord";
  if (dynamic_cast<const OdDbLinetypeTableRecord*>(rec)) type = "LTYPE", marker = "AcDbLinetypeTableRecord";
  if (dynamic_cast<const OdDbLayerTableRecord*>(rec)) type = "LAYER", marker = "AcDbLayerTableRecord";
  if (dynamic_cast<const OdDbBlockTableRecord*>(rec)) type = "BLOCK_RECORD", marker = "AcDbBlockTableRecord";
  head(rec, type, o);
  m_w.text(100, "AcDbSymbolTableRecord");
  o.writeKept(m_out, "AcDbSymbolTableRecord", {});
  m_w.text(100, marker);
  m_out.str(2, rec->getName());
  const bool block = dynamic_cast<const OdDbBlockTableRecord*>(rec) != nullptr;
  if (!block) m_w.integer(70, rec->storedFlags());
  if (auto ts = dynamic_cast<const OdDbTextStyleTableRecord*>(rec)) {
    m_w.real(40, ts->textSize());
    m_w.real(41, ts->xScale());
    m_w.real(50, ts->obliquingAngle() * kToDegrees);
    m_w.real(42, ts->priorSize());
    m_out.str(3, ts->fileName());
    m_out.str(4, ts->bigFontFileName());
    o.writeKept(m_out, marker, {2, 70, 40, 41, 50, 42, 3, 4});
    if (!o.exists()) m_w.integer(71, 0);
  } else if (auto lt = dynamic_cast<const OdDbLinetypeTableRecord*>(rec)) {
    m_out.str(3, lt->comments());
    // The dash list as read (with its shapes and texts) while the dashes
    // are the same; a changed list is written plain.
    std::vector<double> before;
    for (const DxfTag& t : o.subclassTags(marker))
      if (t.code == 49) before.push_back(t.toDouble());
    o.writeKept(m_out, marker, {2, 70, 3, 73, 40, 49, 74, 75, 340, 46, 50, 44, 45, 9});
    if (!o.exists()) m_w.integer(72, 65);
    m_w.integer(73, lt->numDashes());
    m_w.real(40, lt->patternLength());
    if (o.exists() && before == lt->dashes()) {
      bool inDashes = false;
      for (const DxfTag& t : o.subclassTags(marker)) {
        inDashes = inDashes || t.code == 49;
        if (inDashes && (t.code == 49 || t.code == 74 || t.code == 75 || t.code == 340 || t.code == 46 ||
                         t.code == 50 || t.code == 44 || t.code == 45 || t.code == 9))
          o.writeTag(m_out, t);
      }
    } else {
      for (double d : lt->dashes()) {
        m_w.real(49, d);
        m_w.integer(74, 0);
      }
    }
  } else if (auto layer = dynamic_cast<const OdDbLayerTableRecord*>(rec)) {
    const OdCmColor c = layer->color();
    const int index = c.colorIndex();
    m_w.integer(62, layer->isOff() ? -index : index);
    if (c.isByColor()) m_w.integer(420, c.rgb24());
    m_out.str(6, layer->linetypeObjectId().isNull() ? std::string("Continuous") : nameOf(layer->linetypeObjectId()));
    if (!layer->isPlottable() || o.find(marker, 290)) m_w.integer(290, layer->isPlottable() ? 1 : 0);
    m_w.integer(370, layer->lineWeight());
    o.writeKept(m_out, marker, {2, 70, 62, 420, 6, 290, 370});
  } else if (block) {
    o.writeKept(m_out, marker, {2});  // its 70 is not the block's flags
    // An R12 file's block record may name its layout all the same: kept
    // while that layout is in the drawing.
    if (const DxfTag* layout = o.markerless() ? o.find("", 340) : nullptr) {
      std::uint64_t h = 0;
      const OdDbObject* target =
          dxfParseHandle(layout->trimmed(), h) ? objectOf(m_db.getOdDbObjectId(OdDbHandle(h))) : nullptr;
      if (target && !target->isErased()) o.writeTag(m_out, *layout);
    }
    if (m_layouts.model && !o.exists()) {
      const auto* b = static_cast<const OdDbBlockTableRecord*>(rec);
      if (b->isModelSpace()) m_w.handle(340, m_layouts.model);
      if (qrv::equalNoCase(b->getName(), OdDbBlockTableRecord::paperSpaceName())) m_w.handle(340, m_layouts.paper);
    }
  } else {
    o.writeKept(m_out, marker, {2, 70});
  }
  o.writeOtherSubclasses(m_out, {"AcDbSymbolTableRecord", marker});
  xdata(rec, nullptr, nullptr);
}

void Writer::writeDimStyle(const OdDbDimStyleTableRecord* rec, const DxfRecordOriginal& o) {
  head(rec, "DIMSTYLE", o, 105);
  m_w.text(100, "AcDbSymbolTableRecord");
  m_w.text(100, "AcDbDimStyleTableRecord");
  m_out.str(2, rec->getName());
  m_w.integer(70, rec->storedFlags());
  const OdDbDimVars& vars = rec->dimVars();
  const OdDbDimVars defaults = OdDbDimVars::imperialDefaults();
  DxfDimVarItems qrv;
  for (int i = 0; i < OdDbDimVars::kCount; ++i) {
    const OdDbDimVarDesc& d = OdDbDimVars::describe(i);
    const OdDbDimVarValue v = vars.get(i);
    if (m_r12 && (d.dxfCode == 342 || d.dxfCode == 343 || d.dxfCode == 344)) {
      // R12 names its arrowheads (DIMBLK, DIMBLK1, DIMBLK2) by block name.
      m_out.str(d.dxfCode - 337, nameOf(std::get<OdDbObjectId>(v)));
      continue;
    }
    if (!dxfDimVarHasCode(i, m_version)) {
      if (!vars.equal(i, defaults)) qrv.emplace_back(i, v);
      continue;
    }
    switch (d.type) {
      case OdDbDimVarType::kDouble: {
        const OdDbDimVarValue inFile = dxfDimVarToFile(i, v);
        m_w.real(d.dxfCode, std::get<double>(inFile));
        // Not every angle in radians is a degree value's (there are more
        // radian values than degree values near 45): one that none gives
        // back travels exactly as well, as true colours do.
        if (dxfDimVarFromFile(i, inFile) != v) qrv.emplace_back(i, v);
        break;
      }
      case OdDbDimVarType::kString: m_out.str(d.dxfCode, std::get<OdString>(v)); break;
      case OdDbDimVarType::kBool: m_w.integer(d.dxfCode, std::get<bool>(v) ? 1 : 0); break;
      case OdDbDimVarType::kColor: {
        const OdCmColor c = std::get<OdCmColor>(v);
        m_w.integer(d.dxfCode, c.colorIndex());
        if (c.isByColor()) qrv.emplace_back(i, v);
        break;
      }
      case OdDbDimVarType::kObjectId: {
        OdDbObjectId id = std::get<OdDbObjectId>(v);
        if (!id.isNull() && objectOf(id) && !objectOf(id)->isErased()) m_out.handle(d.dxfCode, id);
        break;
      }
      default: m_w.integer(d.dxfCode, std::get<int>(v)); break;
    }
  }
  xdata(rec, nullptr, &qrv);
}

// ---- blocks and entities ---------------------------------------------------

void Writer::blocksBody(const DxfSection* s) {
  std::unordered_set<OdDbStub*> written;
  if (s) {
    std::unordered_map<std::size_t, const DxfBlock*> begins;
    for (const DxfBlock& b : m_doc->blocks()) begins.emplace(b.begin, &b);
    std::size_t at = s->bodyBegin;
    for (std::size_t i = s->firstRecord; i < s->endRecord; ++i) {
      source(m_doc->slice(at, beginOf(i)));
      if (auto it = begins.find(i); it != begins.end()) {
        OdDbObjectId blockId = m_src->objects[i];
        written.insert(blockId.stub());
        emitBlock(blockId, it->second);
        i = it->second->end;
      } else {
        copyRecord(i);
      }
      at = endOf(i);
    }
    source(m_doc->slice(at, s->bodyEnd));
  }
  const auto* table = dynamic_cast<const OdDbSymbolTable*>(objectOf(m_db.getBlockTableId()));
  if (!table) return;
  for (OdDbObjectId id : table->recordIds())
    if (!written.count(id.stub())) emitBlock(id, nullptr);
}

void Writer::emitBlock(OdDbObjectId blockId, const DxfBlock* b) {
  const auto* block = dynamic_cast<const OdDbBlockTableRecord*>(objectOf(blockId));
  if (!block || block->isErased()) return;
  // Model space and the active paper space keep their entities in the
  // ENTITIES section; their blocks stay empty.
  const bool inEntitiesSection =
      block->isModelSpace() || qrv::equalNoCase(block->getName(), OdDbBlockTableRecord::paperSpaceName());
  // R12 has no blocks for them: R12 files name them in no BLOCK record.
  if (m_r12 && inEntitiesSection && (!b || !m_sourceR12)) return;
  // A built-in arrowhead's block that reading made for a name alone: R12
  // knows it by that name.
  if (m_r12 && !b && m_src && m_src->madeArrowBlocks.count(blockId.stub()) && !block->isModifiedSinceLoad() &&
      !m_arrowBlocksNamedAnew.count(blockId.stub()))
    return;
  const DxfRecordSpan* begin = b ? &m_src->spans[b->begin] : nullptr;
  bool rewrite = needsRewrite(block);
  // The block of an R12 file has no block record: its BLOCK record is its
  // only one, kept as read while the block is unchanged.
  if (rewrite && b && m_r12 && m_sourceR12 && block->fileRecord() == 0)
    rewrite = block->isModifiedSinceLoad() || m_regenerateAll || m_renamed.count(blockId.stub()) > 0;
  if (b && !rewrite)
    copyRecord(b->begin);
  else
    writeBlockBegin(block, begin);
  if (b) {
    for (std::size_t i = b->begin + 1; i < b->end; ++i) emitRecord(i);
    if (!inEntitiesSection) emitNewEntities(block);
    copyRecord(b->end);
  } else {
    if (!inEntitiesSection) emitNewEntities(block);
    writeBlockEnd(block, nullptr);
  }
}

void Writer::emitNewEntities(const OdDbBlockTableRecord* block) {
  for (OdDbObjectId id : block->entityIds()) {
    const OdDbObject* obj = objectOf(id);
    if (!gone(obj) && obj->fileRecord() == 0) emitObject(obj);
  }
}

void Writer::writeBlockBegin(const OdDbBlockTableRecord* b, const DxfRecordSpan* original) {
  DxfRecordOriginal o(m_doc, original, m_transcode);
  m_w.text(0, "BLOCK");
  m_w.handle(5, original && original->handle ? original->handle : m_nextHandle++);
  o.writeKeptGroups(m_out);
  m_out.handle(330, b->objectId());
  m_w.text(100, "AcDbEntity");
  if (b->getName().rfind("*Paper_Space", 0) == 0) m_w.integer(67, 1);
  m_w.text(8, "0");
  o.writeKept(m_out, "AcDbEntity", {8, 67});
  m_w.text(100, "AcDbBlockBegin");
  m_out.str(2, b->getName());
  m_w.integer(70, b->storedFlags());
  m_out.point(10, b->origin());
  m_out.str(3, b->getName());
  o.writeKept(m_out, "AcDbBlockBegin", {2, 70, 10, 20, 30, 3});
  if (!o.exists()) m_w.text(1, "");
}

void Writer::writeBlockEnd(const OdDbBlockTableRecord* b, const DxfRecordSpan* original) {
  m_w.text(0, "ENDBLK");
  m_w.handle(5, original && original->handle ? original->handle : m_nextHandle++);
  m_out.handle(330, b->objectId());
  m_w.text(100, "AcDbEntity");
  if (b->getName().rfind("*Paper_Space", 0) == 0) m_w.integer(67, 1);
  m_w.text(8, "0");
  m_w.text(100, "AcDbBlockEnd");
}

void Writer::entitiesBody(const DxfSection* s) {
  if (s) {
    std::size_t at = s->bodyBegin;
    for (std::size_t i = s->firstRecord; i < s->endRecord; ++i) {
      source(m_doc->slice(at, beginOf(i)));
      emitRecord(i);
      at = endOf(i);
    }
    source(m_doc->slice(at, s->bodyEnd));
  }
  for (OdDbObjectId id : {m_db.getModelSpaceId(), m_db.getPaperSpaceId()})
    if (auto block = dynamic_cast<const OdDbBlockTableRecord*>(objectOf(id))) emitNewEntities(block);
}

void Writer::entityHead(const OdDbEntity* e, std::string_view type, const DxfRecordOriginal& o) {
  head(e, type, o);
  m_w.text(100, "AcDbEntity");
  if (auto owner = dynamic_cast<const OdDbBlockTableRecord*>(objectOf(e->ownerId()));
      owner && owner->isLayout() && !owner->isModelSpace())
    m_w.integer(67, 1);
  m_out.str(8, e->layerId().isNull() ? std::string("0") : nameOf(e->layerId()));
  if (!e->linetypeId().isNull() && e->linetypeId() != m_db.getLinetypeByLayerId())
    m_out.str(6, nameOf(e->linetypeId()));
  const OdCmColor c = e->color();
  if (!c.isByLayer()) m_w.integer(62, c.colorIndex());
  if (c.isByColor()) m_w.integer(420, c.rgb24());
  if (e->lineWeight() != OdDb::kLnWtByLayer) m_w.integer(370, e->lineWeight());
  if (e->linetypeScale() != 1.0) m_w.real(48, e->linetypeScale());
  if (!e->visibility()) m_w.integer(60, 1);
  o.writeKept(m_out, "AcDbEntity", {8, 6, 62, 420, 370, 48, 60, 67});
}

void Writer::xdata(const OdDbObject* obj, const DxfDimVarItems* overrides, const DxfDimVarItems* qrv) {
  DxfDimVarItems withCode, withoutCode;
  if (overrides) dxfSplitDimVarItems(*overrides, m_version, withCode, withoutCode);
  if (qrv) withoutCode.insert(withoutCode.end(), qrv->begin(), qrv->end());
  bool acadDone = false;
  for (const OdString& app : obj->xDataApplications()) {
    if (app == kDxfDimVarsApp) continue;
    OdResBufPtr chain = obj->xData(app);
    if (app == "ACAD" && overrides) {
      dxfWriteAcadXData(m_out, chain ? chain->next().get() : nullptr, withCode);
      acadDone = true;
      continue;
    }
    dxfWriteXDataChain(m_out, chain.get());
  }
  if (!acadDone && !withCode.empty()) dxfWriteAcadXData(m_out, nullptr, withCode);
  if (!withoutCode.empty()) {
    m_needQrvApp = true;
    dxfWriteQrvDimVars(m_out, withoutCode);
  }
}

void Writer::writeEntity(const OdDbEntity* e, const DxfRecordOriginal& o) {
  const DxfEntityForm* form = dxfEntityFormOf(e->isA());
  // Never a silent loss: a class added to the database needs its form.
  if (!form) throw DxfError(0, std::string("no DXF form for an entity of class ") + e->isA()->name());
  entityHead(e, form->type(), o);
  // Each subclass: its marker, what the object gives, and where the form
  // says so (after its fields unless told otherwise) what the record held
  // under the marker beyond that.
  for (std::size_t i = 0; i < form->subclasses.size(); ++i) {
    const DxfSubclassForm& s = form->subclass(i);
    m_w.text(100, s.marker);
    DxfFieldWrite w{m_out, o, *form, s.marker};
    for (std::size_t k = 0; k <= s.fields.size(); ++k) {
      if (form->firstOfMarker[i] && k == std::min(s.keptAt, s.fields.size()))
        o.writeKept(m_out, s.marker, form->modelled[i], s.r12Kept);
      if (k < s.fields.size() && s.fields[k].write) s.fields[k].write(e, w);
    }
  }
  o.writeOtherSubclasses(m_out, form->knownMarkers);
  switch (form->kind()) {
    case OdDbEntityKind::kDimension:
    case OdDbEntityKind::kLeader: {
      const DxfDimVarItems items = overrideItems(static_cast<const OdDbDimStyleEntity*>(e));
      return xdata(e, &items, nullptr);
    }
    case OdDbEntityKind::kForeign:
    case OdDbEntityKind::kLine:
    case OdDbEntityKind::kCircle:
    case OdDbEntityKind::kArc:
    case OdDbEntityKind::kPolyline:
    case OdDbEntityKind::kText:
    case OdDbEntityKind::kMText:
    case OdDbEntityKind::kInsert:
    case OdDbEntityKind::kPoint:
    case OdDbEntityKind::kSolid:
    case OdDbEntityKind::kEllipse:
    case OdDbEntityKind::kSpline:
    case OdDbEntityKind::kRay:
    case OdDbEntityKind::kXline:
    case OdDbEntityKind::kFace:
    case OdDbEntityKind::kTrace: return xdata(e, nullptr, nullptr);
  }
}

// ---- objects ------------------------------------------------------------------

void Writer::objectsBody(const DxfSection* s) {
  if (s) {
    std::size_t at = s->bodyBegin;
    for (std::size_t i = s->firstRecord; i < s->endRecord; ++i) {
      source(m_doc->slice(at, beginOf(i)));
      emitRecord(i);
      at = endOf(i);
    }
    source(m_doc->slice(at, s->bodyEnd));
  }
  // Dictionaries and records made since reading, the drawing's root first.
  auto isNew = [this](const OdDbObject* obj) {
    return !gone(obj) && obj->fileRecord() == 0 &&
           (dynamic_cast<const OdDbDictionary*>(obj) || dynamic_cast<const OdDbXrecord*>(obj) ||
            dynamic_cast<const OdDbDimAssoc*>(obj));
  };
  const OdDbObject* root = objectOf(m_db.getNamedObjectsDictionaryId());
  if (isNew(root)) emitObject(root);
  if (m_layouts.dictionary) writeLayoutObjects();
  m_db.forEachObject([&](OdDbObjectId id) {
    const OdDbObject* obj = objectOf(id);
    if (obj != root && isNew(obj)) emitObject(obj);
  });
}

void Writer::writeLayoutObjects() {
  const OdDbObjectId root = m_db.getNamedObjectsDictionaryId();
  const auto* rootDict = dynamic_cast<const OdDbDictionary*>(objectOf(root));
  if (!rootDict || !rootDict->has("ACAD_GROUP")) {
    m_w.text(0, "DICTIONARY");
    m_w.handle(5, m_layouts.groups);
    m_out.handle(330, root);
    m_w.text(100, "AcDbDictionary");
    m_w.integer(281, 1);
  }
  if (rootDict && rootDict->has("ACAD_LAYOUT")) return;
  m_w.text(0, "DICTIONARY");
  m_w.handle(5, m_layouts.dictionary);
  m_out.handle(330, root);
  m_w.text(100, "AcDbDictionary");
  m_w.integer(281, 1);
  m_w.text(3, "Layout1");
  m_w.handle(350, m_layouts.paper);
  m_w.text(3, "Model");
  m_w.handle(350, m_layouts.model);
  writeLayout(m_layouts.model, "Model", 0, m_db.getModelSpaceId());
  writeLayout(m_layouts.paper, "Layout1", 1, m_db.getPaperSpaceId());
}

// A layout with the plot settings of a new drawing: an A3 sheet in
// millimetres, nothing chosen to plot with.
void Writer::writeLayout(std::uint64_t handle, const char* name, int tab, OdDbObjectId block) {
  m_w.text(0, "LAYOUT");
  m_w.handle(5, handle);
  m_w.text(102, "{ACAD_REACTORS");
  m_w.handle(330, m_layouts.dictionary);
  m_w.text(102, "}");
  m_w.handle(330, m_layouts.dictionary);
  m_w.text(100, "AcDbPlotSettings");
  m_w.text(1, "");
  m_w.text(2, "none_device");
  m_w.text(4, "");
  m_w.text(6, "");
  for (int code : {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 140, 141}) m_w.real(code, 0.0);
  m_w.real(142, 1.0);
  m_w.real(143, 1.0);
  m_w.integer(70, tab == 0 ? 1712 : 688);
  m_w.integer(72, 1);
  m_w.integer(73, 0);
  m_w.integer(74, 5);
  m_w.text(7, "");
  m_w.integer(75, 16);
  m_w.real(147, 1.0);
  m_w.real(148, 0.0);
  m_w.real(149, 0.0);
  m_w.text(100, "AcDbLayout");
  m_w.text(1, name);
  m_w.integer(70, 1);
  m_w.integer(71, tab);
  m_out.point(10, OdGePoint3d(0, 0), false);
  m_out.point(11, OdGePoint3d(420, 297), false);
  m_out.point(12, OdGePoint3d(0, 0, 0));
  m_out.point(14, OdGePoint3d(1e20, 1e20, 1e20));
  m_out.point(15, OdGePoint3d(-1e20, -1e20, -1e20));
  m_w.real(146, 0.0);
  m_out.point(13, OdGePoint3d(0, 0, 0));
  m_out.point(16, OdGePoint3d(1, 0, 0));
  m_out.point(17, OdGePoint3d(0, 1, 0));
  m_w.integer(76, 0);
  m_out.handle(330, block);
}

void Writer::writeDictionary(const OdDbDictionary* d, const DxfRecordOriginal& o) {
  head(d, "DICTIONARY", o);
  m_w.text(100, "AcDbDictionary");
  o.writeKept(m_out, "AcDbDictionary", {3, 350, 360});
  const DxfTag* owner = o.find("AcDbDictionary", 280);
  bool hard = keptInteger(owner, 0) == 1;
  for (const DxfTag& t : o.subclassTags("AcDbDictionary")) hard = hard || t.code == 360;
  // A dimension's association is owned by its dictionary.
  if (!hard && d->has(kOdDbDimAssocKey) && OdDbDimAssoc::cast(objectOf(d->getAt(kOdDbDimAssocKey)))) {
    hard = true;
    if (!owner) m_w.integer(280, 1);
  }
  for (auto it = d->newIterator(); !it->done(); it->next()) {
    const OdDbObject* entry = objectOf(it->objectId());
    if (gone(entry)) continue;
    m_out.str(3, it->name());
    m_out.handle(hard ? 360 : 350, it->objectId());
  }
  if (m_layouts.dictionary && d->objectId() == m_db.getNamedObjectsDictionaryId()) {
    if (!d->has("ACAD_GROUP")) m_w.text(3, "ACAD_GROUP"), m_w.handle(350, m_layouts.groups);
    if (!d->has("ACAD_LAYOUT")) m_w.text(3, "ACAD_LAYOUT"), m_w.handle(350, m_layouts.dictionary);
  }
  o.writeOtherSubclasses(m_out, {"AcDbDictionary"});
  xdata(d, nullptr, nullptr);
}

void Writer::writeDimAssoc(const OdDbDimAssoc* a, const DxfRecordOriginal& o) {
  head(a, "DIMASSOC", o);
  m_w.text(100, "AcDbDimAssoc");
  dxfWriteDimAssoc(m_out, *a);
  o.writeKept(m_out, "AcDbDimAssoc", kDxfDimAssocCodes);
  o.writeOtherSubclasses(m_out, {"AcDbDimAssoc"});
  xdata(a, nullptr, nullptr);
}

void Writer::writeXrecord(const OdDbXrecord* x, const DxfRecordOriginal& o) {
  head(x, "XRECORD", o);
  m_w.text(100, "AcDbXrecord");
  const DxfTag* flag = o.find("AcDbXrecord", 280);
  m_w.integer(280, keptInteger(flag, 1));
  for (OdResBufPtr rb = x->rbChain(); rb; rb = rb->next()) {
    if (dxfValueKind(rb->restype()) == DxfValueKind::String)
      m_out.str(rb->restype(), rb->getString());
    else
      m_w.text(rb->restype(), rb->getString());
  }
  xdata(x, nullptr, nullptr);
}

}  // namespace

std::vector<std::string_view> DxfDrawingText::pieces() const {
  std::vector<std::string_view> out;
  out.reserve(list.size());
  for (const Piece& p : list) {
    if (p.kind == Piece::Source)
      out.push_back(source.substr(p.begin, p.end - p.begin));
    else if (p.kind == Piece::Generated)
      out.push_back(std::string_view(generated).substr(p.begin, p.end - p.begin));
    else
      out.push_back(header);
  }
  return out;
}

std::string DxfDrawingText::join() const {
  std::string out;
  std::size_t size = 0;
  const auto all = pieces();
  for (std::string_view p : all) size += p.size();
  out.reserve(size);
  for (std::string_view p : all) out.append(p);
  return out;
}

DxfDrawingText dxfWriteDrawing(const OdDbDatabase& db, DxfVersion version, std::string* lossNote) {
  if (version != DxfVersion::R12 && version < DxfVersion::R2000)
    throw DxfError(0, "cannot write " + std::string(dxfVersionRelease(version)) +
                          ": drawings are written as R12 or R2000 to R2018");
  Writer writer(db, version);
  DxfDrawingText text = writer.write();
  if (lossNote) *lossNote = writer.lossNote();
  return text;
}
