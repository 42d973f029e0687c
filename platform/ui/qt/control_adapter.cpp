#include "control_adapter.h"

#include <stdexcept>

#include "dialog_script.h"

namespace ui::qt {

QString qs(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

std::string quoted(const QString& text) { return dumpQuoted(text.toStdString()); }

std::string withoutMnemonic(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

Key keyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_F1: return Key::kF1;
    case Qt::Key_F2: return Key::kF2;
    case Qt::Key_Delete: return Key::kDelete;
    case Qt::Key_Space: return Key::kSpace;
    case Qt::Key_Escape: return Key::kEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::kEnter;
    default: return Key::kNone;
  }
}

std::unique_ptr<ControlAdapter> makeAdapter(Control& control) {
  switch (control.kind()) {
    case ControlKind::kLabel: return makeLabelAdapter(control);
    case ControlKind::kButton: return makeButtonAdapter(control);
    case ControlKind::kCheckBox: return makeCheckBoxAdapter(control);
    case ControlKind::kRadioButton: return makeRadioButtonAdapter(control);
    case ControlKind::kEdit: return makeEditAdapter(control);
    case ControlKind::kSpin: return makeSpinAdapter(control);
    case ControlKind::kDropDown: return makeDropDownAdapter(control);
    case ControlKind::kListView: return makeListViewAdapter(control);
    case ControlKind::kTab: return makeTabAdapter(control);
    case ControlKind::kGroupBox: return makeGroupBoxAdapter(control);
    case ControlKind::kEtchedLine: return makeEtchedLineAdapter(control);
    case ControlKind::kFrame: return makeFrameAdapter(control);
  }
  // A kind added to the layer without an adapter is a programming error
  // that must show at once, not as an empty window.
  throw std::logic_error(std::string("no Qt adapter for control kind ") + controlKindName(control.kind()));
}

}  // namespace ui::qt
