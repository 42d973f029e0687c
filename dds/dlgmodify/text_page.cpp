#include "text_page.h"

#include <cmath>

#include "OdDbTextStyleTableRecord.h"
#include "editor_store.h"
#include "text_style_command.h"
#include "page_text_template.h"
#include "editor_pages.h"
#include "stdafx/module_log.h"
#include "stdafx/value_text.h"
#include "style_editor_dialog.h"
#include "tolerances_page.h"
#include "wndpreview/style_preview.h"

namespace dds {
namespace {

using namespace res::text;

// The text style a DIMTXSTY value refers to; null when it cannot be opened.
OdDbTextStyleTableRecordPtr openTextStyle(OdDbObjectId id) {
  if (id.isNull()) return OdDbTextStyleTableRecordPtr();
  try {
    return OdDbTextStyleTableRecordPtr(id.safeOpenObject());
  } catch (const OdError&) {
    return OdDbTextStyleTableRecordPtr();
  }
}

// A text style of a drawing by name; null when the drawing has none so named.
OdDbTextStyleTableRecordPtr findTextStyle(OdDbDatabase* db, const OdString& name) {
  if (!db || name.empty()) return OdDbTextStyleTableRecordPtr();
  OdDbTextStyleTablePtr table = db->getTextStyleTableId().safeOpenObject();
  return openTextStyle(table->getAt(name));
}

// The Tolerances page shows DIMTFAC as well; both fields keep one text.
constexpr int kToleranceScale = 1158;
constexpr int kToleranceMethod = 1147;

void copyToToleranceScale(StyleEditorDialog& e, const std::string& text) {
  EditorPage* tolerances = e.page(kTabTolerances);
  ui::Control* field = tolerances && tolerances->window() ? tolerances->window()->control(kToleranceScale) : nullptr;
  if (field && field->text() != text) field->setText(text);
}

}  // namespace

void TextPage::created() {
  ui::Dialog& page = *window();
  m_color.attach(page, kColor);
  m_fill.attach(page, kFill);
  m_color.onChanged([this](const OdCmColor&) { editor().requestPreviewUpdate(); });
  m_fill.onChanged([this](const QrFillColor&) { editor().requestPreviewUpdate(); });
}

void TextPage::destroyed() {
  m_color.detach();
  m_fill.detach();
}

void TextPage::load(const EditorSource& source) {
  const StyleEditorDialog& e = editor();
  ui::Control* styles = control(kStyle);
  OdDbTextStyleTableRecordPtr style = openTextStyle(std::get<OdDbObjectId>(source.get("DIMTXSTY")));
  if (styles) styles->setSelection(style ? styles->findItemText(style->getName()) : -1);
  const bool fixedHeight = style && style->textSize() > 0.0;
  // A style's fixed height governs the text; DIMTXT stays as it is while
  // the field shows that height.
  loadNumber(kHeight, fixedHeight ? style->textSize() : source.number("DIMTXT"), source.number("DIMTXT"));
  enable({kHeight, kHeightSpin}, !fixedHeight);

  m_color.setValue(std::get<OdCmColor>(source.get("DIMCLRT")));
  m_fill.setValue(QrFillColor{OdInt32(source.number("DIMTFILL")), std::get<OdCmColor>(source.get("DIMTFILLCLR"))});

  const double gap = source.number("DIMGAP");
  setChecked(kFrame, gap < 0.0);
  m_loadedGap = gap;
  loadNumber(kOffset, std::fabs(gap));
  loadNumber(kFractionScale, source.number("DIMTFAC"));
  enable({kFractionScaleSpin}, e.notLeader());
  // The fraction scale counts only for units that write fractions.
  const int lunit = int(source.number("DIMLUNIT"));
  enable({kFractionScale}, (lunit == 4 || lunit == 5) && e.notLeader());

  if (ui::Control* c = control(kVertical)) c->setSelection(int(source.number("DIMTAD")));
  if (ui::Control* c = control(kHorizontal)) c->setSelection(int(source.number("DIMJUST")));
  enable({kHorizontal}, e.notRadius() && e.notLeader() && e.notDiameter() && e.notOrdinate());

  const bool inside = source.flag("DIMTIH"), outside = source.flag("DIMTOH");
  setChecked(kAlignHorizontal, inside && outside);
  setChecked(kAlignAligned, !inside && !outside);
  setChecked(kAlignIso, !inside && outside);
  enable({kAlignHorizontal, kAlignAligned, kAlignIso}, e.notLeader() && e.notOrdinate());
}

void TextPage::command(int id, unsigned code) {
  if (id == kFractionScale && code == ui::kCmdEditChange) {
    if (ui::Control* c = control(kFractionScale)) copyToToleranceScale(editor(), c->text());
  } else if (id == kStyle && code == ui::kCmdSelChange) {
    showHeightOfChosenStyle();
  } else if (id == kFrame && code == ui::kCmdClicked) {
    frameClicked();
  } else if (id == kStyleButton && code == ui::kCmdClicked) {
    editTextStyles();
  }
}

// A frame around the text is the "Basic" tolerance (a negative DIMGAP), so
// the box and the Tolerances page's method list change together: checking
// the box chooses "Basic", clearing it while "Basic" is chosen chooses
// "None". A leader has no tolerance and so no frame.
void TextPage::frameClicked() {
  StyleEditorDialog& e = editor();
  ui::Control* method = controlOf(kTabTolerances, kToleranceMethod);
  if (!method) {
    DDS_LOG_ERROR(kSrcDlgModify, "the Tolerances page is missing: the frame box cannot change");
    setChecked(kFrame, false);
    return;
  }
  if (isChecked(kFrame)) {
    if (!e.notLeader()) {
      setChecked(kFrame, false);
      return;
    }
    method->setSelection(kTolBasic);
    e.applyToleranceMethod(kTolBasic);
  } else if (method->selection() == kTolBasic) {
    method->setSelection(kTolNone);
    e.applyToleranceMethod(kTolNone);
  }
}

void TextPage::showHeightOfChosenStyle() {
  StyleEditorDialog& e = editor();
  double height = readControlDouble(control(kHeight) ? control(kHeight)->text() : OdString());
  if (const OdDbDimStyleTableRecord* copy = e.previewCopy()) {
    height = copy->dimtxt();
  } else if (OdDbDatabase* sample = e.preview() ? e.preview()->sampleDatabase() : nullptr; e.isOverride() && sample) {
    height = sample->dimtxt();  // override mode previews the sample drawing's current values
  } else {
    DDS_LOG_WARNING(kSrcDlgModify, "no preview copy: the text height stays as shown");
  }
  OdDbDatabase* sample = e.preview() ? e.preview()->sampleDatabase() : nullptr;
  if (!sample) DDS_LOG_WARNING(kSrcDlgModify, "no sample drawing: the text style's own height is unknown");
  const ui::Control* styles = control(kStyle);
  OdDbTextStyleTableRecordPtr style;
  if (styles && styles->selection() >= 0) {
    try {
      style = findTextStyle(sample, styles->itemText(styles->selection()));
    } catch (const OdError& err) {
      DDS_LOG_ERROR(kSrcDlgModify, err.description());
    }
  }
  const bool fixedHeight = style && style->textSize() > 0.0;
  if (fixedHeight) height = style->textSize();
  enable({kHeight, kHeightSpin}, !fixedHeight);
  setNumber(kHeight, height);
}

void TextPage::editTextStyles() {
  StyleEditorDialog& e = editor();
  if (!runHostTextStyleDialog(e.window())) return;
  if (StylePreview* preview = e.preview()) {
    try {
      preview->synchronize(e.database());
    } catch (const OdError& err) {
      DDS_LOG_ERROR(kSrcDlgModify, err.description());
    }
  }
  // The preview shows the changed styles at once, not after the queue.
  if (ui::Dialog* frame = e.window()) frame->send(ui::Message{.msg = StyleEditorDialog::kUmUpdatePreview});
  showHeightOfChosenStyle();
}

void TextPage::store(EditorStore& out) const {
  const ui::Control* styles = control(kStyle);
  OdDbObjectId styleId;
  if (styles && styles->selection() >= 0) {
    OdDbTextStyleTableRecordPtr style = findTextStyle(out.database(), styles->itemText(styles->selection()));
    if (style && !style->isShapeFile()) styleId = style->objectId();
  }
  out.put("DIMTXSTY", styleId);
  out.put("DIMCLRT", m_color.value());
  const QrFillColor fill = m_fill.value();
  out.put("DIMTFILL", int(fill.mode));
  if (fill.mode == 2) out.put("DIMTFILLCLR", fill.color);
  // A value no item stands for shows no selection and is kept as it is.
  for (auto [id, name] : {std::pair{kVertical, "DIMTAD"}, std::pair{kHorizontal, "DIMJUST"}})
    if (const ui::Control* list = control(id); list && list->selection() >= 0) out.put(name, list->selection());
  putNumber(out, "DIMTXT", kHeight);
  putNumber(out, "DIMTFAC", kFractionScale);
  // DIMTIH set with DIMTOH clear has no button: with none selected both
  // keep what they hold, so that OK alone changes nothing.
  const bool horizontal = isChecked(kAlignHorizontal), aligned = isChecked(kAlignAligned), iso = isChecked(kAlignIso);
  if (horizontal || aligned || iso) {
    out.put("DIMTIH", horizontal);
    out.put("DIMTOH", !aligned);
  }
  if (const std::optional<double> gap = gapToStore(out, isChecked(kFrame))) out.put("DIMGAP", *gap);
}

std::optional<double> TextPage::gapToStore(EditorStore& out, bool framed) const {
  const auto* tolerances = dynamic_cast<const TolerancesPage*>(editor().page(kTabTolerances));
  if (untouchedValue(kOffset) && tolerances && tolerances->window() && tolerances->methodAsLoaded()) return m_loadedGap;
  const std::optional<double> offset = fieldValue(out, kOffset);
  if (!offset) return std::nullopt;
  return framed ? -std::fabs(*offset) : std::fabs(*offset);
}

}  // namespace dds
