#include "assoc_texts.h"

#include "host_texts_local.h"

namespace qrvhost {

namespace {

// In the order of AssocText.
constexpr TwoLanguageText kTexts[] = {
    {"Select dimensions to reassociate:", "Выберите размеры для повторного связывания:"},
    {"Select dimensions to disassociate:", "Выберите размеры для отмены связи:"},
    {"Specify first extension line origin or [%s] <next>:", "Начало первой выносной линии или [%s] <далее>:"},
    {"Specify second extension line origin or [%s] <next>:", "Начало второй выносной линии или [%s] <далее>:"},
    {"Specify angle vertex <next>:", "Вершина угла <далее>:"},
    {"Specify first angle endpoint <next>:", "Первая конечная точка угла <далее>:"},
    {"Specify second angle endpoint <next>:", "Вторая конечная точка угла <далее>:"},
    {"Specify feature location <next>:", "Положение элемента <далее>:"},
    {"Select object *Select", "Объект *Select"},
    {"Select line or arc <next>:", "Выберите отрезок или дугу <далее>:"},
    {"Select arc or circle <next>:", "Выберите дугу или окружность <далее>:"},
    {"Select first line <next>:", "Выберите первый отрезок <далее>:"},
    {"Select second line <next>:", "Выберите второй отрезок <далее>:"},
    {"Dimension %s (%s):", "Размер %s (%s):"},
    {"The point was typed, not snapped to an object; it does not follow anything.",
     "Точка введена, а не привязана к объекту; она ни за чем не следует."},
    {"The object is not of the kind asked for.", "Объект не того вида, который запрошен."},
    {"%d dimension(s) disassociated.", "Отменена связь размеров: %d."},
    {"%d dimension(s) reassociated.", "Повторно связано размеров: %d."},
    {"Dimension %s cannot reach its geometry; it stays as it is.",
     "Размер %s не может достичь своей геометрии; он оставлен как есть."},
    {"Dimension %s is no longer associative: its geometry was erased.",
     "Размер %s больше не связан: его геометрия удалена."},
    {"Dimension %s lost the association of a point: its geometry was erased.",
     "Размер %s потерял связь точки: её геометрия удалена."},
    {"Dimension %s was moved without its geometry; it is no longer associative.",
     "Размер %s перемещён без своей геометрии; он больше не связан."},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<int>(AssocText::kMovedAway) + 1, "one entry per text");

}  // namespace

OdString assocText(AssocText id) { return inSessionLanguage(kTexts[static_cast<int>(id)]); }

}  // namespace qrvhost
