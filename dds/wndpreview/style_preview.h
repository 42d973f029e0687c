#pragma once
// The preview of a dimension style: a private sample drawing whose sample
// dimensions and leader take a style's values, drawn by the host's drawing
// gate into a picture that is painted, scaled to fit and centred, into a
// frame of the owning dialog. The style manager and the style editor each
// own one. The picture and where it is painted can be had without any
// window (tests, the DIMPREVIEW command).
#include <memory>
#include <unordered_map>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "drawing_gate.h"
#include "sample_drawing.h"
#include "ui_types.h"

namespace ui {
class Control;
class DeviceContext;
}  // namespace ui

namespace dds {

class StylePreview {
public:
  // Creates the sample drawing in the measurement system of `current` (the
  // host's current drawing when null; imperial when there is none) and
  // synchronises it with that drawing. Failures are logged and leave the
  // preview without a sample drawing, showing nothing.
  explicit StylePreview(OdDbDatabase* current = nullptr);
  ~StylePreview();
  StylePreview(const StylePreview&) = delete;
  StylePreview& operator=(const StylePreview&) = delete;

  // Takes over the painting of the frame. False (logged) without a frame.
  bool attach(ui::Control* frame);
  // Gives the frame back; also happens by itself when the frame goes.
  void detach();
  ui::Control* frame() const { return m_frame; }

  // Shows a style record with a kind (PreviewKind). A child kind shows the
  // record on the entities of its kind, over its parent's values; kind 0
  // shows a style with its child styles. Throws OdError "Error opening
  // dimstyle table" when the record's table cannot be opened; a null record
  // does nothing.
  void showStyle(int kind, const OdDbDimStyleTableRecord* record);
  // Shows the current values of db with a kind (db may be the sample
  // drawing itself).
  void showCurrentValues(int kind, OdDbDatabase* db);
  // Brings the text styles, linetypes and dimension styles of `source`
  // (the host's current drawing when null) into the sample drawing.
  void synchronize(OdDbDatabase* source = nullptr);

  OdDbDatabase* sampleDatabase() const { return m_sample.get(); }
  const SampleEntities& sampleEntities() const { return m_entities; }
  int kind() const { return m_kind; }

  // The picture, made now when there is none; null without a sample
  // drawing or without the host's drawing gate.
  HostPicturePtr picture(const HostPictureOptions& options = {});
  bool hasPicture() const { return bool(m_picture); }
  void dropPicture();

  // Paints the frame's client rectangle: the window colour, then the
  // picture fitted with a margin, text as the context draws it included
  // (fittedPictureRect).
  void paint(ui::DeviceContext& dc, const ui::Rect& client);

private:
  struct FrameLink;
  struct ValueSource;

  void createSampleDrawing(OdDbDatabase* current);
  void setSampleCurrentValues(const OdDbDimVars& values);
  void setSampleScale(double dimscale);
  void applyToKind(int kind, const ValueSource& source);
  void applyToGroup(int childDigit, const ValueSource& source);
  void applyToDimension(OdDbDimension* dim, const ValueSource& source);
  void applyToLeader(const ValueSource& source);
  void invalidate();

  std::unique_ptr<OdDbDatabase> m_sample;
  SampleEntities m_entities;
  std::unordered_map<const OdDbEntity*, HostGateKey> m_keys;
  HostNativeGate* m_keysGate = nullptr;  // the gate the keys came from
  HostPicturePtr m_picture;
  int m_kind = kPreviewAll;
  ui::Control* m_frame = nullptr;
  std::weak_ptr<FrameLink> m_link;
};

}  // namespace dds
