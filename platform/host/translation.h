#pragma once
// Resource translation: the language of the session, the string tables and
// literal translations that modules hand over, and the look-ups by which
// every user-facing text reaches the screen.
#include <optional>
#include <string_view>
#include <vector>

#include "OdString.h"
#include "resources.h"

enum class HostLanguage { kEnglish, kRussian };

void setHostLanguage(HostLanguage language);
HostLanguage hostLanguage();
const char* hostLanguageCode(HostLanguage language);  // "en", "ru"
// "en", "ru", and locale names such as "ru_RU.UTF-8"; nothing for others.
std::optional<HostLanguage> parseHostLanguage(std::string_view code);
// From LC_ALL, LC_MESSAGES or LANG (the first that is set); English when
// none names a language the host has.
HostLanguage hostLanguageFromEnvironment();

// A module's instance handle: the address of the resources it registers.
using QrInstance = const QrModuleResources*;

// Switches on translation for a module: from now on its strings come in the
// session's language. Registering the same block twice changes nothing.
void Supp_InitResTranslation(QrInstance instance);
// Forgets a module's resources; the host calls it before unloading the
// module, whose tables then cease to exist.
void Supp_UninitResTranslation(QrInstance instance);
bool Supp_IsTranslationActive(QrInstance instance);
std::vector<QrInstance> Supp_RegisteredModules();

// A string-table text of a module: in the session's language once the
// module's translation is on, in English before (an empty translation also
// falls back to English). An unknown id gives an empty text and a warning
// in the log.
OdString Supp_LoadString(QrInstance instance, unsigned id);

// A literal in the session's language, found by its English text in the
// literal tables of the registered modules: first under `context` (such as
// "Arrows:"), then without context; the English text itself when no table
// has it.
OdString Supp_Translate(const OdString& english, const OdString& context = OdString());
