#include "editor_pages.h"

#include "alternate_units_page.h"
#include "editor_page.h"
#include "fit_page.h"
#include "lines_page.h"
#include "primary_units_page.h"
#include "symbols_arrows_page.h"
#include "text_page.h"
#include "tolerances_page.h"

namespace dds {
namespace {

class EmptyPage : public EditorPage {
public:
  using EditorPage::EditorPage;
  void load(const EditorSource&) override {}
  void store(EditorStore&) const override {}

protected:
  double spinStep(int) const override { return 0.0; }
};

template <class Page>
std::unique_ptr<EditorPage> make(StyleEditorDialog& editor) {
  return std::make_unique<Page>(editor);
}

constexpr EditorPageEntry kPages[kEditorTabCount] = {
    {1003, 1002, 1022, &make<LinesPage>},
    {1004, 1003, 1023, &make<SymbolsArrowsPage>},
    {1005, 1006, 1024, &make<TextPage>},
    {1006, 1005, 1025, &make<FitPage>},
    {1007, 1007, 1026, &make<PrimaryUnitsPage>},
    {1008, 1008, 1027, &make<AlternateUnitsPage>},
    {1009, 1009, 1028, &make<TolerancesPage>},
};

}  // namespace

std::unique_ptr<EditorPage> makeEmptyPage(StyleEditorDialog& editor) { return std::make_unique<EmptyPage>(editor); }

std::span<const EditorPageEntry> editorPageEntries() { return kPages; }

}  // namespace dds
