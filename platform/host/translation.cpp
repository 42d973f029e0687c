#include "translation.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "OdStringUtil.h"
#include "host_log.h"
#include "text_format.h"

namespace {

struct TranslationState {
  HostLanguage language = HostLanguage::kEnglish;
  std::vector<QrInstance> modules;  // in registration order
};

TranslationState& state() {
  static TranslationState s;
  return s;
}

const QrStringEntry* findEntry(QrInstance instance, unsigned id) {
  if (!instance || !instance->strings) return nullptr;
  const QrStringEntry* begin = instance->strings;
  const QrStringEntry* end = begin + instance->stringCount;
  const QrStringEntry* it = std::lower_bound(
      begin, end, id, [](const QrStringEntry& e, unsigned key) { return e.id < key; });
  return (it != end && it->id == id) ? it : nullptr;
}

bool hasText(const char* s) { return s && *s; }

const char* pick(const char* en, const char* ru, bool translate) {
  if (translate && state().language == HostLanguage::kRussian && hasText(ru)) return ru;
  return en ? en : "";
}

const QrLiteralEntry* findLiteral(const OdString& english, const char* context) {
  for (QrInstance m : state().modules) {
    for (std::size_t i = 0; i < m->literalCount; ++i) {
      const QrLiteralEntry& e = m->literals[i];
      if (std::strcmp(e.context ? e.context : "", context) == 0 && english == (e.en ? e.en : ""))
        return &e;
    }
  }
  return nullptr;
}

}  // namespace

void setHostLanguage(HostLanguage language) { state().language = language; }
HostLanguage hostLanguage() { return state().language; }

const char* hostLanguageCode(HostLanguage language) {
  return language == HostLanguage::kRussian ? "ru" : "en";
}

std::optional<HostLanguage> parseHostLanguage(std::string_view code) {
  const std::string folded = qrv::foldCase(code.substr(0, 2));
  if (code.size() > 2 && code[2] != '_' && code[2] != '-' && code[2] != '.') return std::nullopt;
  if (folded == "en") return HostLanguage::kEnglish;
  if (folded == "ru") return HostLanguage::kRussian;
  if (qrv::foldCase(code) == "c" || qrv::foldCase(code) == "posix") return HostLanguage::kEnglish;
  return std::nullopt;
}

HostLanguage hostLanguageFromEnvironment() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (!value || !*value) continue;
    return parseHostLanguage(value).value_or(HostLanguage::kEnglish);
  }
  return HostLanguage::kEnglish;
}

void Supp_InitResTranslation(QrInstance instance) {
  if (!instance) return;
  auto& modules = state().modules;
  if (std::find(modules.begin(), modules.end(), instance) == modules.end())
    modules.push_back(instance);
}

void Supp_UninitResTranslation(QrInstance instance) {
  auto& modules = state().modules;
  modules.erase(std::remove(modules.begin(), modules.end(), instance), modules.end());
}

bool Supp_IsTranslationActive(QrInstance instance) {
  const auto& modules = state().modules;
  return std::find(modules.begin(), modules.end(), instance) != modules.end();
}

std::vector<QrInstance> Supp_RegisteredModules() { return state().modules; }

OdString Supp_LoadString(QrInstance instance, unsigned id) {
  const QrStringEntry* e = findEntry(instance, id);
  if (!e) {
    hostTraceWarning("host/translation", __LINE__,
                     hostFormat("string %u not found in module %s", id,
                                instance && instance->moduleName ? instance->moduleName : "?"));
    return OdString();
  }
  return pick(e->en, e->ru, Supp_IsTranslationActive(instance));
}

OdString Supp_Translate(const OdString& english, const OdString& context) {
  const QrLiteralEntry* e = findLiteral(english, context.c_str());
  if (!e && !context.empty()) e = findLiteral(english, "");
  if (!e) return english;
  return pick(e->en, e->ru, true);
}
