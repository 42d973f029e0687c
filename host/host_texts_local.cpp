#include "host_texts_local.h"

#include "translation.h"

namespace qrvhost {

namespace {

constexpr TwoLanguageText kTexts[] = {
    {"Picture file (.svg or .png):", "Файл рисунка (.svg или .png):"},
    {"The file name must end in .svg or .png.", "Имя файла должно оканчиваться на .svg или .png."},
    {"Cannot write \"%s\": %s", "Не удаётся записать \"%s\": %s"},
    {"Written \"%s\".", "Записан \"%s\"."},
    {"This build of the host cannot draw pictures.", "Эта сборка программы не умеет рисовать."},
    {"%d dimension(s) recomputed.", "Пересчитано размеров: %d."},
    {"%d dimension(s) could not be recomputed (see the log).", "Не удалось пересчитать размеров: %d (см. журнал)."},
    {"Ignored: %s", "Пропущено: %s"},
};

}  // namespace

OdString localText(LocalText id) { return inSessionLanguage(kTexts[static_cast<int>(id)]); }

OdString inSessionLanguage(const TwoLanguageText& text) {
  return hostLanguage() == HostLanguage::kRussian ? text.ru : text.en;
}

}  // namespace qrvhost
