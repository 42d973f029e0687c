// Every text of every dialog of the module fits its control in the Qt
// backend's dialog font, in English and in Russian: labels, check boxes,
// radio buttons, buttons and group captions are never cut short.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "backend.h"
#include "qt_backend.h"
#include "res/dialog_templates.h"
#include "../shared/qt_dialog_test_support.h"

using namespace qttest;

namespace {

struct TextsFit : QtDialogTest<> {};

// The text as shown: without the mnemonic's "&" ("&&" is one "&").
QString shown(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace("&&", "\x01");
  s.remove('&');
  s.replace("\x01", "&");
  return s;
}

}  // namespace

TEST_F(TextsFit, EveryLabelCheckBoxAndButtonHoldsItsTextInBothLanguages) {
  startIn(HostLanguage::kEnglish);
  const ui::DialogUnits units = ui::backend().dialogUnits();
  const ui::DialogResourceTable& table = dds::res::dialogTemplates();
  QStringList cut;
  for (std::size_t i = 0; i < table.count; ++i) {
    const ui::DialogResource& r = table.items[i];
    for (std::size_t k = 0; k < r.controlCount; ++k) {
      const ui::ControlTemplate& c = r.controls[k];
      const QString text = shown(c.text ? c.text : "");
      if (text.isEmpty() || text.contains('\n')) continue;
      // Room beside a check box's or a radio button's mark, inside a
      // button's bevel, after a group box's corner.
      int margin = 0;
      switch (c.kind) {
        case ui::ControlKind::kLabel: margin = 0; break;
        case ui::ControlKind::kCheckBox:
        case ui::ControlKind::kRadioButton: margin = 22; break;
        case ui::ControlKind::kButton: margin = 8; break;
        case ui::ControlKind::kGroupBox: margin = 16; break;
        default: continue;
      }
      if (c.kind == ui::ControlKind::kButton && (c.style & ui::kStyleIcon)) continue;
      // A label as tall as two lines or more wraps its text.
      const int lines = c.kind == ui::ControlKind::kLabel ? std::max(1, units.y(c.rect.cy) / units.baseY) : 1;
      const int room = (units.x(c.rect.cx) - margin) * lines;
      const int needed = ui::measureText(text.toStdString()).x;
      if (needed > room)
        cut << QString("%1 %2 control %3 \"%4\": %5 px for %6")
                   .arg(r.id)
                   .arg(r.language == HostLanguage::kRussian ? "ru" : "en")
                   .arg(c.id)
                   .arg(text)
                   .arg(room)
                   .arg(needed);
    }
  }
  EXPECT_TRUE(cut.isEmpty()) << cut.join('\n').toStdString();
}
