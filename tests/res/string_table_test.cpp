// Checks of the module's string table and literal translations: the host
// searches the string table by halving and formats texts of either language
// with the same arguments, so order, specifiers and encoding must hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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

const QrLiteralEntry* findLiteral(const char* context, const char* en) {
  for (std::size_t i = 0; i < kLiteralTableSize; ++i) {
    const QrLiteralEntry& e = kLiteralTable[i];
    if (std::strcmp(e.context, context) == 0 && std::strcmp(e.en, en) == 0)
      return &e;
  }
  return nullptr;
}

// The printf conversions of a text, each with its flags, width, precision and
// length modifier; "%%" is not a conversion.
std::vector<std::string> formatSpecifiers(const char* text) {
  std::vector<std::string> specifiers;
  for (const char* p = text; *p; ++p) {
    if (*p != '%') continue;
    if (p[1] == '%') {
      ++p;
      continue;
    }
    const char* start = p++;
    while (*p && std::strchr("-+ #0", *p)) ++p;
    while (*p && (std::isdigit(static_cast<unsigned char>(*p)) || *p == '*')) ++p;
    if (*p == '.') {
      ++p;
      while (*p && (std::isdigit(static_cast<unsigned char>(*p)) || *p == '*')) ++p;
    }
    if (std::strncmp(p, "I64", 3) == 0) p += 3;
    while (*p && std::strchr("hlLqjzt", *p)) ++p;
    if (!*p) {
      specifiers.push_back(std::string(start) + "<unterminated>");
      break;
    }
    specifiers.emplace_back(start, p + 1);
  }
  return specifiers;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const char* text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  while (*s) {
    unsigned c = *s;
    int extra;
    unsigned cp;
    if (c < 0x80) {
      ++s;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    ++s;
    for (int i = 0; i < extra; ++i, ++s) {
      if ((*s & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (*s & 0x3F);
    }
    static const unsigned kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
  }
  return true;
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
    ASSERT_NE(e.en, nullptr);
    ASSERT_NE(e.ru, nullptr);
    EXPECT_GT(std::strlen(e.en), 0u);
    EXPECT_GT(std::strlen(e.ru), 0u);
    EXPECT_TRUE(isValidUtf8(e.en));
    EXPECT_TRUE(isValidUtf8(e.ru));
    EXPECT_EQ(formatSpecifiers(e.en), formatSpecifiers(e.ru));
    EXPECT_EQ(countOf(e.en, '\n'), countOf(e.ru, '\n'));
    // A prompt's keyword options are matched against typed input, which
    // does not change with the interface language.
    EXPECT_EQ(bracketGroups(e.en), bracketGroups(e.ru));
  }
}

TEST(StringTable, KnownEnglishTextsAreExact) {
  const std::vector<std::pair<unsigned, std::string>> expected = {
      {1287,
       "Setting another style current will discard your style overrides.\n\n"
       "Continue?"},
      {1067, "<style overrides>"},
      {1065, "Yes"},
      {1066, "No"},
      {1081, "Found %i differences:"},
      {1080, "All properties of dimension style \"%s\":"},
      {1182, "Current dimension style: \"%s\". Annotative: %s."},
      {1027, "Alternate units "},
      {1032, "Outdise"},
      {1039, "Scentific"},
      {1095, "Angular zero supression"},
      {1242, "dimcen:Line"},
      {1155, "red"},
      {1156, "yellow"},
      {1157, "green"},
      {1158, "cyan"},
      {1159, "blue"},
      {1160, "magenta"},
      {1161, "white"},
  };
  for (const auto& [id, text] : expected) {
    const QrStringEntry* e = findString(id);
    ASSERT_NE(e, nullptr) << "id " << id << " missing";
    EXPECT_EQ(text, e->en) << "id " << id;
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

TEST(StringTable, PrecisionPatternsGiveOneItemPerDecimalPlace) {
  const std::vector<std::pair<unsigned, std::size_t>> patterns = {
      {1048, 9}, {1049, 9}, {1050, 8}, {1051, 9},
      {1052, 9}, {1055, 9}, {1056, 9}, {1057, 9}};
  for (const auto& [id, items] : patterns) {
    const QrStringEntry* e = findString(id);
    ASSERT_NE(e, nullptr) << "id " << id;
    EXPECT_STREQ(e->en, e->ru) << "id " << id;
    const std::vector<std::string> parts = splitAt(e->en, ';');
    EXPECT_EQ(parts.size(), items) << "id " << id;
    for (const std::string& part : parts) EXPECT_FALSE(part.empty()) << "id " << id;
  }
  EXPECT_EQ(splitAt(findString(1048)->en, ';').back(), "0.00000000");
  EXPECT_EQ(splitAt(findString(1049)->en, ';').front(), "0E+01");
  EXPECT_EQ(splitAt(findString(1055)->en, ';').front(), "0d");
  EXPECT_EQ(splitAt(findString(1052)->en, ';').back(), "0 1/256");
}

TEST(StringTable, EveryVariableDescriptionAndListItemIsPresent) {
  // Descriptions of the 78 catalogued variables.
  std::vector<unsigned> ids;
  for (unsigned id = 1082; id <= 1154; ++id) ids.push_back(id);
  for (unsigned id : {1169u, 1170u, 1171u, 1174u, 1175u}) ids.push_back(id);
  EXPECT_EQ(ids.size(), 78u);
  // Colour names are found as 1154 + colour index, 1 to 7.
  for (unsigned index = 1; index <= 7; ++index) ids.push_back(1154 + index);
  // Child type names and "Use for" entries.
  for (unsigned id : {1001u, 1002u, 1003u, 1004u, 1005u, 1008u}) ids.push_back(id);
  for (unsigned id = 1009; id <= 1015; ++id) ids.push_back(id);
  for (unsigned id : ids) EXPECT_NE(findString(id), nullptr) << "id " << id;
}

TEST(LiteralTable, EntriesAreUniqueFilledAndKeepFormats) {
  std::set<std::pair<std::string, std::string>> keys;
  for (std::size_t i = 0; i < kLiteralTableSize; ++i) {
    const QrLiteralEntry& e = kLiteralTable[i];
    ASSERT_NE(e.context, nullptr);
    ASSERT_NE(e.en, nullptr);
    ASSERT_NE(e.ru, nullptr);
    SCOPED_TRACE(std::string(e.context) + "|" + e.en);
    EXPECT_TRUE(keys.emplace(e.context, e.en).second) << "duplicate key";
    EXPECT_GT(std::strlen(e.en), 0u);
    EXPECT_GT(std::strlen(e.ru), 0u);
    EXPECT_TRUE(isValidUtf8(e.ru));
    EXPECT_EQ(formatSpecifiers(e.en), formatSpecifiers(e.ru));
  }
}

TEST(LiteralTable, EveryArrowheadNameIsTranslatedInItsContext) {
  const char* const names[] = {
      "Closed filled",   "Closed blank",       "Closed",
      "Dot",             "Architectural tick", "Oblique",
      "Open",            "Open 30",            "Right angle",
      "Origin indicator", "Origin indicator 2", "Dot small",
      "Dot blank",       "Dot small blank",    "Box",
      "Box filled",      "Datum triangle",     "Datum triangle filled",
      "Integral",        "None",               "User arrow..."};
  for (const char* name : names)
    EXPECT_NE(findLiteral("Arrows:", name), nullptr) << name;
  // "None" as an arrowhead and "None" as a colour are told apart by context.
  ASSERT_NE(findLiteral("", "None"), nullptr);
  EXPECT_EQ(findLiteral("Arrows:", "By Layer"), nullptr);
  for (const char* text : {"By Layer", "By Block", "ByDefault", "Foreground",
                           "Background", "Load", "Invalid expression:",
                           "Value must be more %s", "Value must be less %s",
                           "Value must be between %s and %s"})
    EXPECT_NE(findLiteral("", text), nullptr) << text;
}

}  // namespace
