#pragma once
// A small dialog with one control of every kind and a procedure that keeps
// every message it gets, for the window layer's tests.
#include <functional>
#include <string>
#include <vector>

#include "../shared/expect_text.h"
#include "dialog.h"
#include "headless_backend.h"

namespace uitest {

enum : int {
  kLabel = 100, kButton = 101, kCheck = 102, kRadio1 = 103, kRadio2 = 104, kEdit = 105, kSpin = 106,
  kDrop = 107, kOwnerDrop = 108, kList = 109, kTab = 110, kGroup = 111, kLine = 112, kFrame = 113,
  kHidden = 114, kDefault = 1,
};

inline ui::DialogTemplate sampleTemplate() {
  using K = ui::ControlKind;
  ui::DialogTemplate t;
  t.id = 4000;
  t.caption = "Sample";
  t.cx = 200;
  t.cy = 150;
  t.controls = {
      {kLabel, K::kLabel, "&Name:", {5, 5, 40, 8}, 0},
      {kButton, K::kButton, "&Apply", {5, 20, 40, 14}, 0},
      {kCheck, K::kCheckBox, "&Frame", {5, 40, 40, 10}, ui::kStyleAutoCheck},
      {kRadio1, K::kRadioButton, "One", {5, 52, 40, 10}, ui::kStyleAutoCheck | ui::kStyleGroup},
      {kRadio2, K::kRadioButton, "Two", {5, 64, 40, 10}, ui::kStyleAutoCheck},
      {kEdit, K::kEdit, "", {50, 5, 40, 12}, 0},
      {kSpin, K::kSpin, "", {90, 5, 10, 12}, 0},
      {kDrop, K::kDropDown, "", {50, 20, 60, 14}, ui::kStyleSorted},
      {kOwnerDrop, K::kDropDown, "", {50, 36, 60, 14}, ui::kStyleOwnerDrawFixed},
      {kList, K::kListView, "", {110, 5, 85, 80}, ui::kStyleSingleSel | ui::kStyleEditLabels},
      {kTab, K::kTab, "", {5, 90, 190, 40}, 0},
      {kGroup, K::kGroupBox, "Group", {100, 90, 50, 30}, 0},
      {kLine, K::kEtchedLine, "", {5, 132, 190, 1}, 0},
      {kFrame, K::kFrame, "", {150, 90, 40, 30}, 0},
      {kHidden, K::kButton, "Hidden", {5, 135, 40, 12}, ui::kStyleHidden},
      {kDefault, K::kButton, "OK", {150, 135, 40, 12}, ui::kStyleDefault},
  };
  return t;
}

// Keeps every message; `react` may answer or act on one.
struct Recorder : ui::DialogHandler {
  struct Seen {
    unsigned msg, code;
    int id, item, delta;
    std::string text;
    bool hasText;
    ui::Key key;
  };
  std::vector<Seen> seen;
  std::function<std::intptr_t(ui::Dialog&, const ui::Message&)> react;

  std::intptr_t onMessage(ui::Dialog& d, const ui::Message& m) override {
    seen.push_back(Seen{m.msg, m.code, m.id, m.item, m.delta, m.text ? *m.text : std::string(), m.text != nullptr,
                        m.key});
    return react ? react(d, m) : 0;
  }
  int count(unsigned msg, int id = -1, unsigned code = ~0u) const {
    int n = 0;
    for (const Seen& s : seen)
      if (s.msg == msg && (id < 0 || s.id == id) && (code == ~0u || s.code == code)) ++n;
    return n;
  }
};

}  // namespace uitest
