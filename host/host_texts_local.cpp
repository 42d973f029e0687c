#include "host_texts_local.h"

#include "translation.h"

namespace qrvhost {

namespace {

constexpr TwoLanguageText kTexts[] = {
    {"Picture file (.svg, .png or .pdf) or [%s]:", "Файл рисунка (.svg, .png или .pdf) или [%s]:"},
    {"The file name must end in .svg, .png or .pdf.", "Имя файла должно оканчиваться на .svg, .png или .pdf."},
    {"Cannot write \"%s\": %s", "Не удаётся записать \"%s\": %s"},
    {"Written \"%s\".", "Записан \"%s\"."},
    {"This build of the host cannot draw pictures.", "Эта сборка программы не умеет рисовать."},
    {"%d dimension(s) recomputed.", "Пересчитано размеров: %d."},
    {"%d dimension(s) could not be recomputed:", "Не удалось пересчитать размеров: %d:"},
    {"Ignored: %s", "Пропущено: %s"},
    {"  dimension %s", "  размер %s"},
    {"Block \"%s\" inserts itself; the repeated insert is not drawn.",
     "Блок \"%s\" вставляет сам себя; повторная вставка не рисуется."},
    {"the drawing is too complex to draw in a reasonable time (blocks inserted into each other too many times); "
     "nothing was written",
     "чертёж слишком сложен для рисования за разумное время (блоки вложены друг в друга слишком много раз); "
     "ничего не записано"},
    {"the picture has coordinates that are not numbers; nothing was written",
     "в рисунке есть координаты, не являющиеся числами; ничего не записано"},
    {"qrvhost ended abruptly before; %d changed drawing(s) were kept: %s. Recover them?",
     "Работа qrvhost прервалась; сохранены изменённые чертежи (%d): %s. Восстановить их?"},
    {"Recovered \"%s\"; it has unsaved changes.", "Восстановлен \"%s\"; изменения не сохранены."},
    {"Cannot recover \"%s\": %s", "Не удаётся восстановить \"%s\": %s"},
    {"Recovery copy: %s", "Копия для восстановления: %s"},
    {"\"%s\" changed on disk since this drawing was opened or last saved (another program wrote it). "
     "Replace it with this drawing?",
     "Файл \"%s\" изменён на диске после открытия или последнего сохранения чертежа (его записала другая "
     "программа). Заменить его этим чертежом?"},
    {"Cannot save \"%s\": it changed on disk since this drawing was opened or last saved (another program "
     "wrote it); nothing was written. Save under another name to keep both.",
     "Не удаётся сохранить \"%s\": файл изменён на диске после открытия или последнего сохранения чертежа "
     "(его записала другая программа); ничего не записано. Сохраните чертёж под другим именем, чтобы сохранить оба."},
    {"Not drawn: %s", "Не нарисовано: %s"},
    {"Layout *Layout", "Лист *Layout"},
    {"Layout to draw <%s>:", "Лист для рисования <%s>:"},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<int>(LocalText::kLayoutPrompt) + 1,
              "one entry per text");

}  // namespace

OdString localText(LocalText id) { return inSessionLanguage(kTexts[static_cast<int>(id)]); }

OdString inSessionLanguage(const TwoLanguageText& text) {
  return hostLanguage() == HostLanguage::kRussian ? text.ru : text.en;
}

}  // namespace qrvhost
