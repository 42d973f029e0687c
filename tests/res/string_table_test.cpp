// Checks of the module's string table and literal translations: the host
// searches the string table by halving and formats texts of either language
// with the same arguments, so order, specifiers and encoding must hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "../shared/translated_texts.h"
#include "resource_tables.h"

namespace {

using dds::res::kLiteralTable;
using dds::res::kLiteralTableSize;
using dds::res::kStringTable;
using dds::res::kStringTableSize;

const QrStringEntry* findString(unsigned id) {
  const QrStringEntry* end = kStringTable + kStringTableSize;
  const QrStringEntry* it = std::lower_bound(
      kStringTable, end, id,
      [](const QrStringEntry& e, unsigned key) { return e.id < key; });
  return (it != end && it->id == id) ? it : nullptr;
}

std::size_t countOf(const char* text, char c) {
  return static_cast<std::size_t>(std::count(text, text + std::strlen(text), c));
}

std::vector<std::string> splitAt(const char* text, char sep) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, sep)) parts.push_back(part);
  return parts;
}

// Every "[...]" group of a text: the keyword options of a prompt.
std::vector<std::string> bracketGroups(const char* text) {
  std::vector<std::string> groups;
  for (const char* p = std::strchr(text, '['); p; p = std::strchr(p + 1, '[')) {
    const char* close = std::strchr(p, ']');
    if (!close) break;
    groups.emplace_back(p, close + 1);
  }
  return groups;
}

TEST(FormatSpecifierParser, FindsConversionsAndSkipsPercentSigns) {
  EXPECT_EQ(formatSpecifiers("Found %i differences:"),
            (std::vector<std::string>{"%i"}));
  EXPECT_EQ(formatSpecifiers("100%% of %-8.3lf and %s"),
            (std::vector<std::string>{"%-8.3lf", "%s"}));
  EXPECT_EQ(formatSpecifiers("0x%I64X (%s)"),
            (std::vector<std::string>{"%I64X", "%s"}));
  EXPECT_TRUE(formatSpecifiers("no conversions").empty());
  EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(isValidUtf8("\xD0"));              // cut short
  EXPECT_TRUE(isValidUtf8("Размер"));
}

TEST(StringTable, IdsAreSortedUniqueAndInTheModuleRange) {
  ASSERT_GT(kStringTableSize, 0u);
  for (std::size_t i = 0; i < kStringTableSize; ++i) {
    EXPECT_GE(kStringTable[i].id, 1001u);
    EXPECT_LE(kStringTable[i].id, 1303u);
    if (i > 0) {
      EXPECT_LT(kStringTable[i - 1].id, kStringTable[i].id)
          << "entry " << i << " breaks the order";
    }
  }
}

TEST(StringTable, BothLanguagesAreFilledInValidUtf8WithMatchingFormats) {
  for (std::size_t i = 0; i < kStringTableSize; ++i) {
    const QrStringEntry& e = kStringTable[i];
    SCOPED_TRACE("id " + std::to_string(e.id));
    ASSERT_NO_FATAL_FAILURE(expectSameTextInBothLanguages(e.en, e.ru));
    EXPECT_EQ(countOf(e.en, '\n'), countOf(e.ru, '\n'));
    // A prompt's keyword options are matched against typed input, which
    // does not change with the interface language.
    EXPECT_EQ(bracketGroups(e.en), bracketGroups(e.ru));
  }
}

TEST(StringTable, CommandLineKeywordsKeepTheirEnglishGlobalHalf) {
  // Local keywords first, then the English ones with a leading "*": a
  // reply's index only maps back to an option when the halves line up, and
  // the global half lets a script answer the same way in either language.
  for (unsigned id : {1184u, 1185u}) {
    const QrStringEntry* e = findString(id);
    ASSERT_NE(e, nullptr);
    const std::vector<std::string> en = splitAt(e->en, ' '), ru = splitAt(e->ru, ' ');
    ASSERT_EQ(en.size(), ru.size()) << "id " << id;
    ASSERT_EQ(en.size() % 2, 0u) << "id " << id;
    const std::size_t n = en.size() / 2;
    for (std::size_t i = 0; i < n; ++i) {
      EXPECT_EQ("*" + en[i], en[i + n]) << "id " << id;
      EXPECT_EQ(en[i + n], ru[i + n]) << "id " << id;
    }
  }
  const std::vector<std::pair<unsigned, const char*>> defaults = {
      {1183, "<Восстановить>"}, {1186, "<Да>"}, {1200, "<Нет>"}};
  for (const auto& [id, keyword] : defaults) {
    const QrStringEntry* e = findString(id);
    ASSERT_NE(e, nullptr);
    EXPECT_NE(std::strstr(e->ru, keyword), nullptr) << "id " << id;
  }
}

TEST(LiteralTable, EntriesAreUniqueFilledAndKeepFormats) {
  std::set<std::pair<std::string, std::string>> keys;
  for (std::size_t i = 0; i < kLiteralTableSize; ++i) {
    const QrLiteralEntry& e = kLiteralTable[i];
    ASSERT_NE(e.context, nullptr);
    ASSERT_NE(e.en, nullptr);
    SCOPED_TRACE(std::string(e.context) + "|" + e.en);
    EXPECT_TRUE(keys.emplace(e.context, e.en).second) << "duplicate key";
    ASSERT_NO_FATAL_FAILURE(expectSameTextInBothLanguages(e.en, e.ru));
  }
}

}  // namespace
