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
    {"%d dimension(s) could not be recomputed:", "Не удалось пересчитать размеров: %d:"},
    {"Ignored: %s", "Пропущено: %s"},
    {"  dimension %s", "  размер %s"},
    {"some dimensions could not be recomputed; nothing was written",
     "некоторые размеры не удалось пересчитать; ничего не записано"},
    {"Block \"%s\" inserts itself; the repeated insert is not drawn.",
     "Блок \"%s\" вставляет сам себя; повторная вставка не рисуется."},
    {"the drawing is too complex to draw in a reasonable time (blocks inserted into each other too many times); "
     "nothing was written",
     "чертёж слишком сложен для рисования за разумное время (блоки вложены друг в друга слишком много раз); "
     "ничего не записано"},
    {"the picture has coordinates that are not numbers; nothing was written",
     "в рисунке есть координаты, не являющиеся числами; ничего не записано"},
};

}  // namespace

OdString localText(LocalText id) { return inSessionLanguage(kTexts[static_cast<int>(id)]); }

OdString inSessionLanguage(const TwoLanguageText& text) {
  return hostLanguage() == HostLanguage::kRussian ? text.ru : text.en;
}

}  // namespace qrvhost
