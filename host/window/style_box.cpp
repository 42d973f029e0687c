#include "style_box.h"

#include <QMessageBox>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbSymbolTable.h"
#include "window_texts.h"

namespace qrvwindow {

namespace {

OdDbDimStyleTableRecordPtr currentStyle(OdDbDatabase* db) {
  return OdDbDimStyleTableRecord::cast(db->getDimstyle().openObject());
}

}  // namespace

bool hasStyleOverrides(OdDbDatabase* db) {
  if (!db) return false;
  OdDbDimStyleTableRecordPtr style = currentStyle(db);
  if (!style) return false;
  for (int i = 0; i < OdDbDimVars::kCount; ++i)
    if (!style->dimVars().equal(i, db->dimVars())) return true;
  return false;
}

DimStyleBox::DimStyleBox(QWidget* parent) : QComboBox(parent) {
  setObjectName("dimStyleBox");
  setMinimumContentsLength(16);
  setToolTip(say("The current dimension style", "Текущий размерный стиль"));
  confirm = [this](const QString& question) {
    return QMessageBox::question(window(), say("Dimension style", "Размерный стиль"), question) ==
           QMessageBox::Yes;
  };
  connect(this, &QComboBox::activated, this, [this](int index) { chosen(index); });
}

void DimStyleBox::fill(OdDbDatabase* db) {
  m_filling = true;
  m_db = db;
  clear();
  if (db) {
    if (auto table = OdDbSymbolTable::cast(db->getDimStyleTableId().openObject()))
      for (auto it = table->newIterator(); !it->done(); it->step())
        if (auto rec = it->getRecord()) addItem(qs(rec->getName()));
    if (OdDbDimStyleTableRecordPtr style = currentStyle(db)) setCurrentText(qs(style->getName()));
  }
  m_filling = false;
}

void DimStyleBox::chosen(int index) {
  if (m_filling || !m_db) return;
  OdDbDimStyleTableRecordPtr current = currentStyle(m_db);
  const QString currentName = current ? qs(current->getName()) : QString();
  const QString name = itemText(index);
  if (name == currentName) return;
  if (hasStyleOverrides(m_db) &&
      !(confirm && confirm(say("Setting another style current will discard your style overrides.\n\nContinue?",
                               "При назначении текущим другого стиля переопределения стиля будут "
                               "потеряны.\n\nПродолжить?")))) {
    setCurrentText(currentName);  // No: the current style stays, and shows
    return;
  }
  if (makeCurrent) makeCurrent(name);
}

}  // namespace qrvwindow
