#include "opm/palette_texts.h"

#include "resources.h"
#include "translation.h"

namespace {

const QrLiteralEntry kPaletteLiterals[] = {
    // The items of the colour, linetype and lineweight lists.
    {"", "By Layer", "По слою"},
    {"", "By Block", "По блоку"},
    {"", "ByLayer", "ПоСлою"},
    {"", "ByBlock", "ПоБлоку"},
    {"", "ByDefault", "По умолчанию"},
    {"", "Foreground", "Передний план"},
    {"", "More Colors...", "Другие цвета..."},
    {"", "red", "красный"},
    {"", "yellow", "желтый"},
    {"", "green", "зеленый"},
    {"", "cyan", "голубой"},
    {"", "blue", "синий"},
    {"", "magenta", "фиолетовый"},
    {"", "white", "белый"},
    {"", "Continuous", "Сплошная"},
    {"", "Load", "Загрузить"},
    {"", "mm", "мм"},

    // The rows the host gives every entity.
    {"", "General.Color", "Общие.Цвет"},
    {"", "General.Layer", "Общие.Слой"},
    {"", "General.Linetype", "Общие.Тип линий"},
    {"", "General.Linetype scale", "Общие.Масштаб типа линий"},
    {"", "General.Lineweight", "Общие.Вес линий"},

    // What the rows say when they refuse a text or pass objects over.
    {"", "\"%s\" is not a colour this row can take", "\"%s\" - недопустимый цвет для этого свойства"},
    {"", "\"%s\" is not a colour (a name, 1..255, or R,G,B)",
     "\"%s\" не является цветом (имя, 1..255 или R,G,B)"},
    {"", "\"%s\" is not a linetype of this drawing; \"Load...\" loads one from a linetype file",
     "\"%s\" не является типом линий этого чертежа; \"Загрузить...\" загружает тип из файла типов линий"},
    {"", "\"%s\" is not a lineweight (ByLayer, ByBlock, ByDefault or a standard width in mm)",
     "\"%s\" не является весом линий (ПоСлою, ПоБлоку, По умолчанию или стандартная толщина в мм)"},
    {"", "Cancelled.", "Отменено."},
    {"", "Not every selected object took the value.", "Значение принято не всеми выбранными объектами."},
    {"", "%d object(s) on locked layers were not changed.",
     "Объекты на заблокированных слоях не изменены: %d."},
    {"", "%d object(s) outside the reference being edited were not changed.",
     "Объекты вне редактируемой ссылки не изменены: %d."},
    {"", "%d object(s) no longer exist.", "Объекты больше не существуют: %d."},
    {"", "\"%s\" is not a layer of this drawing", "\"%s\" не является слоем этого чертежа"},
    {"", "The linetype scale must be greater than 0.", "Масштаб типа линий должен быть больше 0."},

    // Loading linetypes from a linetype file.
    {"", "Enter linetype(s) to load (names separated by commas, * for all):",
     "Загружаемые типы линий (имена через запятую, * - все):"},
    {"", "Linetype file <%s>:", "Файл типов линий <%s>:"},
    {"", "Load Linetypes", "Загрузка типов линий"},
    {"", "Linetype file:", "Файл типов линий:"},
    {"", "Linetype:", "Тип линий:"},
    {"", "Linetype \"%s\" is already loaded; it is kept as it is.",
     "Тип линий \"%s\" уже загружен и остается без изменений."},
    {"", "Linetype \"%s\" is not in %s.", "Типа линий \"%s\" нет в %s."},
    {"", "Loaded %d linetype(s) from %s.", "Загружено типов линий: %d из %s."},
    {"", "Linetype \"%s\" holds text or shapes, which this program cannot draw; it was not loaded.",
     "Тип линий \"%s\" содержит текст или формы, которые эта программа не рисует; он не загружен."},
};

const QrModuleResources kPaletteResources = {"qrvhost-palette", nullptr, 0, kPaletteLiterals,
                                             sizeof kPaletteLiterals / sizeof kPaletteLiterals[0]};

}  // namespace

void hostRegisterPaletteTexts() {
  if (!Supp_IsTranslationActive(&kPaletteResources)) Supp_InitResTranslation(&kPaletteResources);
}

const QrModuleResources& hostPaletteTextResources() { return kPaletteResources; }
