#pragma once
// A host with one drawing whose property manager holds the module's palette
// properties, and a palette model on chosen entities.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDmUtil.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLeader.h"
#include "OdDbSymbolTable.h"
#include "console.h"
#include "dds/doc_manager_reactor.h"
#include "documents.h"
#include "host_services.h"
#include "opm/opm_services.h"
#include "opm/palette_model.h"
#include "stdafx/module_resources.h"
#include "translation.h"

struct PaletteHost : ::testing::Test {
  std::istringstream in;
  std::ostringstream out;
  ScriptInput script{in};
  HostConsole console{script, out};
  std::unique_ptr<HostServices> services;
  HostApDocument* doc = nullptr;
  OdDbDatabase* db = nullptr;

  void SetUp() override {
    Supp_InitResTranslation(&dds::moduleResources());
    setHostLanguage(HostLanguage::kEnglish);
    services = std::make_unique<HostServices>(console);
    services->documents().addReactor(&dds::documentReactor());
    doc = services->documents().addDocument(std::make_unique<OdDbDatabase>(OdDb::kMetric), "", "a.dxf");
    db = doc->database();
  }
  void TearDown() override {
    services.reset();
    setHostLanguage(HostLanguage::kEnglish);
  }

  template <class D>
  OdDbObjectId addDim(double asz, const char* layer = "0") {
    OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    OdSmartPtr<D> d = D::createObject();
    d->setDatabaseDefaults(db);
    d->setDimensionStyle(db->getDimStyleStandardId());
    if constexpr (std::is_same_v<D, OdDbLeader>) {
      d->appendVertex({0, 0});
      d->appendVertex({5, 5});
    }
    const OdDbObjectId id = ms->appendOdDbEntity(d);
    d->setLayer(OdString(layer));
    d->setDimasz(asz);
    return id;
  }

  OdDbObjectId addLayer(const char* name, bool locked) {
    OdDbSymbolTablePtr layers = db->getLayerTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLayerTableRecordPtr rec = OdDbLayerTableRecord::createObject();
    rec->setName(name);
    rec->setIsLocked(locked);
    return layers->add(rec);
  }

  template <class T>
  OdSmartPtr<T> open(OdDbObjectId id) {
    return OdSmartPtr<T>(dynamic_cast<T*>(id.openObject().get()));
  }

  // The palette row's text, or "<no row>".
  static std::string rowText(PaletteModel& p, const char* name) {
    const PaletteModel::Row* row = p.findRow(name);
    if (!row) return "<no row>";
    return p.varies(*row) ? "*VARIES*" : p.valueText(*row);
  }
  static bool set(PaletteModel& p, const char* name, const char* text, OdString* message = nullptr) {
    const PaletteModel::Row* row = p.findRow(name);
    OdString m;
    const bool ok = row && p.setValue(*row, text, m);
    if (message) *message = m;
    return ok;
  }
};
