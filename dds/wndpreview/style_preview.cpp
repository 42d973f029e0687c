#include "style_preview.h"

#include "OdDbTextStyleTableRecord.h"
#include "app_services.h"
#include "control.h"
#include "device_context.h"
#include "dlgdimstyle/style_store.h"
#include "host_entry.h"
#include "picture_painter.h"
#include "picture_scaling.h"
#include "sample_values.h"
#include "stdafx/host_access.h"
#include "stdafx/module_log.h"

namespace dds {
namespace {

constexpr const char* kSrcPreview = "dds/wndpreview";
// The frame remembers its preview under this name.
constexpr const char* kFrameProperty = "QrvStylePreview";
// Room left free around the picture, so that nothing drawn touches the
// frame's edge.
constexpr int kPictureMarginPx = 6;
// The child types whose styles kind 0 looks for, in the order of the groups.
constexpr int kGroupDigits[] = {kChildLinear, kChildAngular, kChildRadius, kChildOrdinate, kChildLeader};

}  // namespace

// Lives in the frame's painter: when the frame goes, so does the link, and
// the preview learns that it has no frame any more.
struct StylePreview::FrameLink {
  StylePreview* preview = nullptr;
  ~FrameLink() {
    if (preview) {
      preview->m_frame = nullptr;
      preview->m_link.reset();
    }
  }
};

// Values ready for the sample drawing, with the style they came from
// (empty for a drawing's current values).
struct StylePreview::ValueSource {
  OdString styleName;
  OdDbDimStyleTableRecordPtr record;  // a record outside any drawing holding the values

  ValueSource(const OdDbDimVars& values, OdString name) : styleName(std::move(name)) {
    record = OdDbDimStyleTableRecord::createObject();
    record->setDimVars(values);
  }
  const OdDbDimVars& values() const { return record->dimVars(); }
};

StylePreview::StylePreview(OdDbDatabase* current) {
  if (!current) current = currentDatabase();
  createSampleDrawing(current);
}

StylePreview::~StylePreview() {
  detach();
  if (m_keysGate && m_keysGate == gpQrNativeGate && !m_keys.empty()) {
    std::vector<HostGateKey> keys;
    for (const auto& [entity, key] : m_keys) keys.push_back(key);
    m_keysGate->releaseEntities(keys);
  }
  m_picture.reset();
  m_entities = SampleEntities();  // closes the entities before their drawing goes
}

void StylePreview::createSampleDrawing(OdDbDatabase* current) {
  const OdDb::MeasurementValue measurement = current ? current->getMEASUREMENT() : OdDb::kEnglish;
  HostAppServices* app = hostAppServices();
  if (!app) {
    DDS_LOG_ERROR(kSrcPreview, "no application services: the preview has no sample drawing");
    return;
  }
  try {
    m_sample = app->createDatabase(measurement);
    if (!m_sample) {
      DDS_LOG_ERROR(kSrcPreview, "the sample drawing could not be created");
      return;
    }
    m_sample->blockUndoRecording(true);
    if (current) synchronizeDrawings(current, m_sample.get());
    m_entities = createSampleEntities(m_sample.get(), childTypeName(kChildLeader));
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcPreview, e.description());
    m_entities = SampleEntities();
    m_sample.reset();
  }
}

bool StylePreview::attach(ui::Control* frame) {
  if (!frame) {
    DDS_LOG_ERROR(kSrcPreview, "the preview frame is not a window");
    return false;
  }
  detach();
  auto link = std::make_shared<FrameLink>();
  link->preview = this;
  m_frame = frame;
  m_link = link;
  frame->setProperty(kFrameProperty, reinterpret_cast<std::intptr_t>(this));
  frame->setPainter([link](ui::DeviceContext& dc, const ui::Rect& client) {
    if (link->preview) link->preview->paint(dc, client);
  });
  frame->invalidate();
  return true;
}

void StylePreview::detach() {
  std::shared_ptr<FrameLink> link = m_link.lock();
  if (link) {
    link->preview = nullptr;
    if (m_frame) {
      m_frame->removeProperty(kFrameProperty);
      m_frame->setPainter(nullptr);
    }
  }
  m_frame = nullptr;
  m_link.reset();
}

void StylePreview::invalidate() {
  if (m_frame) m_frame->invalidate();
}

void StylePreview::dropPicture() { m_picture.reset(); }

void StylePreview::synchronize(OdDbDatabase* source) {
  if (!source) source = currentDatabase();
  if (!m_sample || !source) return;
  synchronizeDrawings(source, m_sample.get());
}

void StylePreview::setSampleCurrentValues(const OdDbDimVars& values) {
  try {
    OdDbDimStyleTableRecordPtr temp = OdDbDimStyleTableRecord::createObject();
    temp->setDimVars(values);
    m_sample->setDimstyleData(temp.get());
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcPreview, e.description());
  }
}

void StylePreview::setSampleScale(double dimscale) {
  try {
    m_sample->setDimscale(dimscale);
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcPreview, e.description());
  }
}

void StylePreview::showStyle(int kind, const OdDbDimStyleTableRecord* record) {
  if (!record) return;
  if (kind < 0 || kind >= kPreviewKindCount) {
    DDS_LOG_ERROR(kSrcPreview, "no preview kind " + std::to_string(kind));
    return;
  }
  m_kind = kind;
  dropPicture();
  invalidate();
  OdDbDatabase* db = record->database();
  OdDbDimStyleTablePtr table = db ? OdDbDimStyleTable::cast(db->getDimStyleTableId().openObject()) : nullptr;
  if (!table) throw OdError(eInvalidContext, "Error opening dimstyle table");
  if (!m_sample || !m_entities.complete()) return;

  try {
    OdDbDatabase* sample = m_sample.get();
    const OdDbObjectId current = db->getDimstyle();
    const OdString name = record->getName();
    if (kind != kPreviewAll) {
      const std::size_t dollar = name.rfind('$');
      const OdDbObjectId parentId = dollar == OdString::npos ? OdDbObjectId() : table->getAt(name.substr(0, dollar));
      if (!parentId.isNull()) {
        OdDbDimStyleTableRecordPtr parent = parentId.safeOpenObject();
        setSampleCurrentValues(valuesForDrawing(parentId == current ? db->dimVars() : parent->dimVars(), sample));
        setSampleScale(parent->dimscale());
      }
      applyToKind(kind, ValueSource(valuesForDrawing(record->dimVars(), sample), name));
      return;
    }
    setSampleCurrentValues(valuesForDrawing(record->objectId() == current ? db->dimVars() : record->dimVars(), sample));
    setSampleScale(record->dimscale());
    const ValueSource own(valuesForDrawing(record->dimVars(), sample), name);
    for (int digit : kGroupDigits) {
      const OdString childName = name + "$" + std::to_string(digit);
      const OdDbObjectId childId = table->getAt(childName);
      if (childId.isNull()) {
        applyToGroup(digit, own);
        continue;
      }
      OdDbDimStyleTableRecordPtr child = childId.safeOpenObject();
      applyToGroup(digit, ValueSource(valuesForDrawing(child->dimVars(), sample), child->getName()));
    }
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcPreview, e.description());
  }
}

void StylePreview::showCurrentValues(int kind, OdDbDatabase* db) {
  if (!db) return;
  if (kind < 0 || kind >= kPreviewKindCount) {
    DDS_LOG_ERROR(kSrcPreview, "no preview kind " + std::to_string(kind));
    return;
  }
  m_kind = kind;
  dropPicture();
  invalidate();
  if (!m_sample || !m_entities.complete()) return;
  try {
    const OdDbDimVars values = valuesForDrawing(db->dimVars(), m_sample.get());
    setSampleCurrentValues(values);
    const ValueSource source(values, OdString());
    for (int digit : kGroupDigits) applyToGroup(digit, source);
    // The diametric dimension is shown only with its own kind; then it
    // must show these values too, not those of an earlier style.
    if (kind == kPreviewDiameter) applyToKind(kPreviewDiameter, source);
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcPreview, e.description());
  }
}

void StylePreview::applyToKind(int kind, const ValueSource& source) {
  switch (kind) {
    case kPreviewLinear: applyToGroup(kChildLinear, source); break;
    case kPreviewDiameter: applyToDimension(m_entities.diametric.get(), source); break;
    case kPreviewRadius: applyToGroup(kChildRadius, source); break;
    case kPreviewAngular: applyToGroup(kChildAngular, source); break;
    case kPreviewOrdinate: applyToGroup(kChildOrdinate, source); break;
    case kPreviewLeader: applyToGroup(kChildLeader, source); break;
    default: break;
  }
}

void StylePreview::applyToGroup(int childDigit, const ValueSource& source) {
  switch (childDigit) {
    case kChildLinear:
      for (const auto& d : m_entities.linear) applyToDimension(d.get(), source);
      break;
    case kChildAngular: applyToDimension(m_entities.angular.get(), source); break;
    case kChildRadius: applyToDimension(m_entities.radial.get(), source); break;
    case kChildOrdinate:
      for (const auto& d : m_entities.ordinate) applyToDimension(d.get(), source);
      break;
    case kChildLeader: applyToLeader(source); break;
    default: break;
  }
}

void StylePreview::applyToDimension(OdDbDimension* dim, const ValueSource& source) {
  if (!dim) return;
  try {
    dim->upgradeOpen();
    if (!source.styleName.empty()) {
      OdDbDimStyleTablePtr table = m_sample->getDimStyleTableId().safeOpenObject();
      const OdDbObjectId style = table->getAt(source.styleName);
      if (!style.isNull())
        dim->setDimensionStyle(style);
      else
        DDS_LOG_WARNING(kSrcPreview, "no style \"" + source.styleName + "\" in the sample drawing");
    }
    // The block is rebuilt when the picture is made, at the scale it is
    // drawn at: rebuilding it here too, at another scale, would only
    // alternate two layouts and leave erased entities behind each time.
    dim->setDimstyleData(source.record.get());
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcPreview, e.description());
  }
}

void StylePreview::applyToLeader(const ValueSource& source) {
  OdDbLeader* leader = m_entities.leader.get();
  OdDbMText* text = m_entities.leaderText.get();
  const OdDbDimVars& v = source.values();
  try {
    double height = v.txt;
    if (OdDbTextStyleTableRecordPtr style = OdDbTextStyleTableRecord::cast(v.txsty.openObject());
        style && style->textSize() != 0)
      height = style->textSize();
    leader->upgradeOpen();
    // Arrowhead, overall scale, text style, gap, arrow size, line colour,
    // lineweight and the separate-arrowheads flag travel with the values.
    leader->setDimstyleData(source.record.get());
    leader->setDimtxt(height);

    text->upgradeOpen();
    if (!v.txsty.isNull()) text->setTextStyle(v.txsty);
    text->setTextHeight(height);
    text->setColor(v.clrt);
    const double unit = sampleUnit(m_sample->getMEASUREMENT());
    // The style's own height: an overall scale the picture fits by its
    // own rule (it scales the whole picture, the note with the rest).
    const double shownHeight = height;
    text->setAttachment(kSampleLeaderAttachment);
    text->setLocation(sampleLeaderTextLocation(unit, shownHeight));
    // The leader ends where its note starts.
    leader->setVertexAt(leader->numVertices() - 1, sampleLeaderEnd(unit, shownHeight));
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcPreview, e.description());
  }
}

HostPicturePtr StylePreview::picture(const HostPictureOptions& options) {
  if (m_picture) return m_picture;
  if (!m_sample || !m_entities.complete()) return nullptr;
  HostNativeGate* gate = gpQrNativeGate;
  if (!gate) {
    DDS_LOG_WARNING(kSrcPreview, "the host offers no drawing gate: no preview picture");
    return nullptr;
  }
  if (gate != m_keysGate) {
    m_keys.clear();
    m_keysGate = gate;
  }
  try {
    const std::vector<OdDbEntity*> shown = m_entities.shown(m_kind);
    std::vector<HostGateKey> keys;
    keys.reserve(shown.size());
    for (OdDbEntity* e : shown) {
      HostGateKey& key = m_keys[e];
      if (!key) key = gate->addEntity(e->objectId());
      keys.push_back(key);
    }
    PictureScaling scaling(shown, previewScaleOf(m_sample->dimscale()));
    m_picture = gate->renderPicture(keys, options);
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcPreview, e.description());
    m_picture.reset();
  }
  return m_picture;
}

void StylePreview::paint(ui::DeviceContext& dc, const ui::Rect& client) {
  dc.fillRect(client, dc.windowColor());
  const ui::Color bg = dc.windowColor(), fg = dc.windowTextColor();
  HostPictureOptions options;
  options.background = {bg.r, bg.g, bg.b};
  options.foreground = {fg.r, fg.g, fg.b};
  HostPicturePtr pic = picture(options);
  if (!pic || pic->empty()) return;
  playPicture(*pic, dc, fittedPictureRect(*pic, dc, client, kPictureMarginPx));
}

}  // namespace dds
