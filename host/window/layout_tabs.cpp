#include "layout_tabs.h"

#include "OdDbDatabase.h"
#include "layout_names.h"
#include "window_texts.h"

namespace qrvwindow {

LayoutTabs::LayoutTabs(QWidget* parent) : QTabBar(parent) {
  setObjectName("layoutTabs");
  setShape(QTabBar::RoundedSouth);
  setAutoHide(true);
  setExpanding(false);
  setDocumentMode(true);
  connect(this, &QTabBar::currentChanged, this, [this](int index) {
    if (m_syncing || index < 0 || !typeLines) return;
    typeLines({"CTAB", tabText(index)});
  });
}

void LayoutTabs::sync(OdDbDatabase* db) {
  m_syncing = true;
  QStringList captions;
  if (db)
    for (const OdString& caption : hostLayoutCaptions(db)) captions << qs(caption);
  // One tab (model space alone) hides the bar.
  if (captions.size() < 2) captions.clear();
  while (count() > captions.size()) removeTab(count() - 1);
  for (int i = 0; i < captions.size(); ++i) {
    if (i >= count()) addTab(captions[i]);
    if (tabText(i) != captions[i]) setTabText(i, captions[i]);
  }
  if (db && !captions.isEmpty()) setCurrentIndex(int(captions.indexOf(qs(hostLayoutCaption(db->getCTAB())))));
  m_syncing = false;
}

}  // namespace qrvwindow
