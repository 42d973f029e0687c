// The Compare dialog on the headless backend: what a user sees for each
// pair of sides, the copied text, and the failures it writes to the log.
#include <gtest/gtest.h>

#include "dialog.h"
#include "dialog_script.h"
#include "dlgcompare/compare_styles_dialog.h"
#include "dlgdimstyle/style_store.h"
#include "headless_backend.h"
#include "host_test_support.h"
#include "stdafx/module_resources.h"
#include "stdafx/value_text.h"
#include "../shared/style_table_test_support.h"
#include "translation.h"
#include "user_input.h"
#include "wide_text.h"

using namespace dds;

namespace {

constexpr int kFirst = 1177, kSecond = 1179, kCaption = 1181, kCopy = 1183, kRows = 1182;

struct Compare : ::testing::Test {
  OdDbDatabase db;

  void SetUp() override {
    Supp_InitResTranslation(&moduleResources());
    setHostLanguage(HostLanguage::kEnglish);
    ui::headlessBackend().reset();
  }
  void TearDown() override {
    setHostLanguage(HostLanguage::kEnglish);
    ui::headlessBackend().reset();
  }

  OdDbObjectId add(const OdString& name, double asz = 0.18) { return addStandardCopy(db, name, asz); }
  OdDbDimStyleTableRecordPtr open(OdDbObjectId id) { return id.safeOpenObject(); }
  OdDbDimStyleTableRecordPtr standard() { return open(db.getDimStyleStandardId()); }

  // Runs the dialog on two sides; `play` acts as the user, then Close.
  void run(const OdDbDimStyleTableRecord* first, const OdDbDimStyleTableRecord* second,
           const std::function<void(ui::Dialog&)>& play) {
    ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
      play(d);
      ASSERT_TRUE(ui::user::click(d, 2));
    });
    CompareStylesDialog dialog(&db);
    EXPECT_EQ(dialog.run(first, second, nullptr), 2);
  }
  static void choose(ui::Dialog& d, int id, const std::string& text) {
    ui::Control* c = d.control(id);
    const int index = c->findItemText(text);
    ASSERT_GE(index, 0) << text;
    ASSERT_TRUE(ui::user::select(d, id, index));
  }
  static std::vector<std::string> labels(const ui::Control& c) {
    std::vector<std::string> out;
    for (int i = 0; i < c.itemCount(); ++i) out.push_back(c.itemText(i));
    return out;
  }
  static std::vector<std::string> headers(const ui::Control& c) {
    std::vector<std::string> out;
    for (const auto& col : c.columns()) out.push_back(col.header);
    return out;
  }
};

}  // namespace

TEST_F(Compare, AStyleWithItselfListsAllItsProperties) {
  run(standard().get(), standard().get(), [](ui::Dialog& d) {
    EXPECT_EQ(d.caption(), "Compare Dimension Styles");
    EXPECT_EQ(d.control(kCaption)->text(), "All properties of dimension style \"Standard\":");
    const ui::Control& rows = *d.control(kRows);
    EXPECT_EQ(headers(rows), (std::vector<std::string>{"Description", "Variable", "Standard"}));
    ASSERT_EQ(rows.itemCount(), 78);
    EXPECT_EQ(rows.itemText(13, 0), "Arrow size");
    EXPECT_EQ(rows.itemText(13, 1), "DIMASZ");
    EXPECT_EQ(rows.itemText(13, 2), "0.1800");
    EXPECT_FALSE(rows.redrawSuspended());
    EXPECT_EQ(d.control(kCopy)->tooltip(), "Copy to clipboard");
  });
}

TEST_F(Compare, NoneInWithAfterAStyleInCompareGivesTheOneSidedListing) {
  add("Wide", 0.5);
  run(standard().get(), nullptr, [](ui::Dialog& d) {
    choose(d, kFirst, "Wide");
    EXPECT_EQ(d.control(kCaption)->text(), "Found 1 differences:") << "Wide against the current values";
    choose(d, kSecond, "<none>");
    EXPECT_EQ(d.control(kCaption)->text(), "All properties of dimension style \"Wide\":");
    EXPECT_EQ(d.control(kRows)->columnCount(), 3);
    EXPECT_EQ(d.control(kRows)->itemText(13, 2), "0.5000");
    // "<none>" stays "the same as Compare" when Compare changes again.
    choose(d, kFirst, "Standard");
    EXPECT_EQ(d.control(kCaption)->text(), "All properties of dimension style \"Standard\":");
  });
}

TEST_F(Compare, EqualStylesAndOverridesOnBothSidesShowNoRows) {
  const OdDbObjectId twin = add("Twin", 0.18);
  db.setDimasz(0.3);  // overrides exist
  run(standard().get(), open(twin).get(), [](ui::Dialog& d) {
    EXPECT_EQ(d.control(kCaption)->text(), "Found 0 differences:");
    EXPECT_EQ(headers(*d.control(kRows)), (std::vector<std::string>{"Description", "Variable", "Standard", "Twin"}));
    EXPECT_EQ(d.control(kRows)->itemCount(), 0);
  });
  run(nullptr, nullptr, [](ui::Dialog& d) {
    EXPECT_EQ(d.control(kFirst)->itemText(d.control(kFirst)->selection()), "<style overrides>");
    EXPECT_EQ(d.control(kSecond)->itemText(d.control(kSecond)->selection()), "<style overrides>");
    EXPECT_EQ(d.control(kCaption)->text(), "Found 0 differences:");
    EXPECT_EQ(d.control(kRows)->itemCount(), 0);
    EXPECT_EQ(headers(*d.control(kRows))[3], "<style overrides>");
    // Overrides against Standard: the one changed variable.
    choose(d, kSecond, "Standard");
    EXPECT_EQ(d.control(kCaption)->text(), "Found 1 differences:");
    EXPECT_EQ(d.control(kRows)->itemText(0, 2), "0.3000");
    EXPECT_EQ(d.control(kRows)->itemText(0, 3), "0.1800");
  });
}

TEST_F(Compare, ListsOfferSortedStylesAndOverridesOnlyWhenThereAreAny) {
  add("beta");
  add("Alpha");
  const OdDbObjectId child = add("Standard$4");
  run(standard().get(), open(child).get(), [&](ui::Dialog& d) {
    const std::vector<std::string> styles{"Alpha", "beta", "Standard", "Standard [Radius]"};
    EXPECT_EQ(labels(*d.control(kFirst)), styles);
    std::vector<std::string> with{"<none>"};
    with.insert(with.end(), styles.begin(), styles.end());
    EXPECT_EQ(labels(*d.control(kSecond)), with);
    EXPECT_EQ(d.control(kSecond)->itemText(d.control(kSecond)->selection()), "Standard [Radius]");
    EXPECT_EQ(d.control(kRows)->columns()[3].header, "Standard [Radius]");
    // Entry values: -2 for "<none>", indexes into the table order otherwise.
    EXPECT_EQ(d.control(kSecond)->itemData(0), CompareStylesDialog::kNoneEntry);
    auto* self = static_cast<CompareStylesDialog*>(d.userData());
    for (int i = 0; i < d.control(kFirst)->itemCount(); ++i) {
      const auto index = std::size_t(d.control(kFirst)->itemData(i));
      ASSERT_LT(index, self->offeredStyles().size());
      EXPECT_EQ(styleLabel(self->offeredStyles()[index]), d.control(kFirst)->itemText(i));
    }
  });
  db.setDimtxt(1.0);
  run(standard().get(), standard().get(), [](ui::Dialog& d) {
    EXPECT_EQ(d.control(kFirst)->itemText(0), "<style overrides>");
    EXPECT_EQ(d.control(kFirst)->itemData(0), CompareStylesDialog::kOverridesEntry);
    EXPECT_EQ(d.control(kSecond)->itemText(0), "<none>");
    EXPECT_EQ(d.control(kSecond)->itemText(1), "<style overrides>");
  });
}

TEST_F(Compare, CopiedTextHasOneLinePerRowWithTabsAndCrLfAndCellsCutForTheClipboard) {
  const OdDbObjectId other = add("Other", 0.25);
  OdDbDimStyleTableRecordPtr(other.safeOpenObject(OdDb::kForWrite))->setDimpost("mm");
  ui::headlessBackend().headlessClipboard().reset();
  run(standard().get(), open(other).get(), [](ui::Dialog& d) {
    ASSERT_EQ(d.control(kRows)->itemCount(), 2);
    ASSERT_TRUE(ui::user::click(d, kCopy));
  });
  auto text = ui::headlessBackend().headlessClipboard().unicodeText();
  ASSERT_TRUE(text);
  EXPECT_EQ(hostWideToUtf8(*text),
            "Arrow size\tDIMASZ\t0.1800\t0.2500\r\n"
            "Prefix and suffix for dimension text\tDIMPOST\t\tmm\r\n");

  OdDbDimStyleTableRecordPtr(other.safeOpenObject(OdDb::kForWrite))->setDimpost(std::string(1500, 'x'));
  run(standard().get(), open(other).get(), [](ui::Dialog& d) { ui::user::click(d, kCopy); });
  text = ui::headlessBackend().headlessClipboard().unicodeText();
  ASSERT_TRUE(text);
  const std::u16string line = text->substr(text->find(u"\r\n") + 2);
  EXPECT_EQ(line.substr(line.rfind(u'\t') + 1), std::u16string(1024, u'x') + u"\r\n");
}

TEST_F(Compare, CopyFailuresAreLoggedAndLeaveTheClipboardAlone) {
  CapturedLog log;
  ui::HeadlessClipboard& cb = ui::headlessBackend().headlessClipboard();
  cb.reset();
  ASSERT_TRUE(cb.open(nullptr));
  cb.setUnicodeText(u"kept");
  cb.close();
  cb.setRefuseOpen(true);
  run(standard().get(), standard().get(), [](ui::Dialog& d) { ui::user::click(d, kCopy); });
  EXPECT_EQ(cb.unicodeText(), std::u16string(u"kept"));
  expectAllIn(log.text(), {"dds/dlgcompare(", "ERROR 'OpenClipbord failed'"});
  cb.reset();
}

TEST_F(Compare, RussianSession) {
  setHostLanguage(HostLanguage::kRussian);
  add("Другой", 0.5);
  run(standard().get(), standard().get(), [](ui::Dialog& d) {
    EXPECT_EQ(d.caption(), "Сравнение размерных стилей");
    EXPECT_EQ(d.control(kCaption)->text(), "Все свойства размерного стиля \"Standard\":");
    EXPECT_EQ(d.control(kRows)->columns()[0].header, "Описание");
    EXPECT_EQ(d.control(kSecond)->itemText(0), "<нет>");
    EXPECT_EQ(d.control(kCopy)->tooltip(), "Копировать в буфер обмена");
    choose(d, kSecond, "Другой");
    EXPECT_EQ(d.control(kCaption)->text(), "Найдено различий: 1");
  });
}

TEST_F(Compare, CloseEscapeAndTheCloseBoxEndTheDialog) {
  for (const char* how : {"press Close", "key Escape", "close"}) {
    ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
      ui::runDialogScriptLine(d, how, [](const std::string&) {});
      EXPECT_TRUE(d.ended()) << how;
    });
    CompareStylesDialog dialog(&db);
    EXPECT_EQ(dialog.run(standard().get(), standard().get(), nullptr), 2) << how;
  }
}

TEST_F(Compare, WithoutADrawingTheSetUpStopsWithAnAssertion) {
  CapturedLog log;
  ui::headlessBackend().queueDriver([](ui::Dialog& d) {
    EXPECT_EQ(d.control(kFirst)->itemCount(), 0);
    EXPECT_EQ(d.control(kSecond)->itemCount(), 0);
    ui::user::click(d, 2);
  });
  CompareStylesDialog none(nullptr);  // no document open either
  EXPECT_EQ(none.run(nullptr, nullptr, nullptr), 2);
  EXPECT_NE(log.text().find("ERROR '(table.isNull() == false)'"), std::string::npos) << log.text();
}

TEST_F(Compare, ABadEntryOrAStyleThatIsGoneKeepsThePreviousSide) {
  CapturedLog log;
  const OdDbObjectId gone = add("Gone", 0.5);
  run(standard().get(), standard().get(), [&](ui::Dialog& d) {
    const std::string before = d.control(kCaption)->text();
    // An entry whose value points outside the offered styles.
    ui::Control& first = *d.control(kFirst);
    first.setItemData(first.findItemText("Gone"), 99);
    choose(d, kFirst, "Gone");
    EXPECT_EQ(d.control(kCaption)->text(), before);
    // A style erased while the dialog is open cannot be opened.
    gone.safeOpenObject(OdDb::kForWrite)->erase();
    choose(d, kSecond, "Gone");
    EXPECT_EQ(d.control(kCaption)->text(), before);
    EXPECT_EQ(d.control(kRows)->itemCount(), 78);
  });
  expectAllIn(log.text(), {"ERROR '(entry < m_ids.size())'", "dds/dlgcompare("});
  std::size_t errors = 0;
  for (auto at = log.text().find("ERROR"); at != std::string::npos; at = log.text().find("ERROR", at + 1)) ++errors;
  EXPECT_EQ(errors, 2u) << log.text();
}
