#pragma once
// Resources a loadable module hands to the host: its string table and its
// literal translations. The host picks the language; the module only asks
// for ids and literals (see translation.h).
#include <cstddef>

// One string-table entry: the id and its text in each supported language.
struct QrStringEntry {
  unsigned id;
  const char* en;
  const char* ru;
};

// A translation of an English literal that is not in the string table
// (arrowhead display names, palette labels). `context` groups literals that
// would otherwise be ambiguous, e.g. "Arrows:"; empty for none.
struct QrLiteralEntry {
  const char* context;
  const char* en;
  const char* ru;
};

// Everything a module registers with Supp_InitResTranslation. The address of
// this block serves as the module's instance handle.
struct QrModuleResources {
  const char* moduleName;
  const QrStringEntry* strings;
  std::size_t stringCount;
  const QrLiteralEntry* literals;
  std::size_t literalCount;
};
