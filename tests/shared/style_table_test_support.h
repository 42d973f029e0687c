#pragma once
// Dimension styles a test adds to a drawing: copies of its Standard under
// other names, so that only what a test changes differs; and text styles.
#include <optional>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbTextStyleTableRecord.h"

// A copy of Standard named `name`, with `arrows` as its arrow size if given.
inline OdDbObjectId addStandardCopy(OdDbDatabase& db, const OdString& name, std::optional<double> arrows = {}) {
  OdDbDimStyleTablePtr table = db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
  OdDbDimStyleTableRecordPtr copy = OdDbDimStyleTableRecordPtr(db.getDimStyleStandardId().safeOpenObject())->clone();
  copy->setName(name);
  if (arrows) copy->setDimasz(*arrows);
  return table->add(copy);
}

// The style of that name (null when the drawing has none).
inline OdDbObjectId styleNamed(const OdDbDatabase& db, const OdString& name) {
  OdDbDimStyleTablePtr table = db.getDimStyleTableId().safeOpenObject();
  return table->getAt(name);
}

// A text style named `name`; a height above 0 makes it a fixed-height style.
inline OdDbObjectId addTextStyle(OdDbDatabase& db, const OdString& name, double fixedHeight = 0.0) {
  OdDbTextStyleTablePtr table = db.getTextStyleTableId().safeOpenObject(OdDb::kForWrite);
  OdDbTextStyleTableRecordPtr style = OdDbTextStyleTableRecord::createObject();
  style->setName(name);
  style->setTextSize(fixedHeight);
  return table->add(style);
}
