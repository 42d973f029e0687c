#pragma once
// The Fit page: what moves out of the extension lines when there is too
// little room, where moved text goes, the overall scale and two
// fine-tuning switches. A scale that is not a number, or is negative,
// shows in red.
#include "editor_page.h"

namespace dds {

class FitPage : public EditorPage {
public:
  using EditorPage::EditorPage;

  void load(const EditorSource& source) override;
  void store(EditorStore& out) const override;

  // Whether the overall scale field's text is shown as wrong.
  static bool isWrongScale(const std::string& text);

protected:
  void created() override;
  void command(int id, unsigned code) override;
  double spinStep(int) const override { return 0.5; }
  void destroyed() override;
};

}  // namespace dds
