#pragma once
// The annotative property of styles, dimensions, leaders and text. It is
// kept as the extended data of the application "AcadAnnotative", the form
// drawing files use, so it survives saving without anything special.
#include "OdDbObject.h"

class OdDbAnnotativeObjectPE {
public:
  // The protocol for objects that can be annotative; null for others.
  static const OdDbAnnotativeObjectPE* cast(const OdDbObject* obj);

  bool isAnnotative(const OdDbObject* obj) const;
  // The object must be open for write; registers the application as needed.
  void setAnnotative(OdDbObject* obj, bool annotative) const;
};
