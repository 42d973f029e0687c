#include "modify_texts.h"

#include "host_texts_local.h"

namespace qrvhost {

namespace {

// In the order of ModifyText.
constexpr TwoLanguageText kTexts[] = {
    {"Specify base point or [%s] <Displacement>:", "Базовая точка или [%s] <Перемещение>:"},
    {"Displacement *Displacement", "Перемещение *Displacement"},
    {"Specify second point or <use first point as displacement>:",
     "Вторая точка или <считать перемещением первую точку>:"},
    {"Specify second point or <exit>:", "Вторая точка или <выход>:"},
    {"Specify displacement <0,0,0>:", "Перемещение <0,0,0>:"},
    {"Specify base point:", "Базовая точка:"},
    {"Specify rotation angle or [%s] <%s>:", "Угол поворота или [%s] <%s>:"},
    {"Copy Reference *Copy *Reference", "Копия Опорный *Copy *Reference"},
    {"Specify the reference angle <%s>:", "Опорный угол <%s>:"},
    {"Specify the new angle:", "Новый угол:"},
    {"Invalid angle \"%s\": type an angle or a point.", "Неверный угол \"%s\": введите угол или точку."},
    {"Specify first point of mirror line:", "Первая точка оси отражения:"},
    {"Specify second point of mirror line:", "Вторая точка оси отражения:"},
    {"Erase source objects? [%s] <No>:", "Удалить исходные объекты? [%s] <Нет>:"},
    {"Yes No *Yes *No", "Да Нет *Yes *No"},
    {"Specify scale factor or [%s]:", "Масштаб или [%s]:"},
    {"Specify reference length <1>:", "Опорная длина <1>:"},
    {"Specify new length:", "Новая длина:"},
    {"Invalid factor \"%s\": type a number greater than zero.", "Неверный масштаб \"%s\": введите число больше нуля."},
    {"Select objects to stretch by crossing-window or crossing-polygon...",
     "Выберите растягиваемые объекты секущей рамкой или секущим многоугольником..."},
    {"%d object(s) moved.", "Перенесено объектов: %d."},
    {"%d object(s) copied.", "Скопировано объектов: %d."},
    {"%d object(s) rotated.", "Повёрнуто объектов: %d."},
    {"%d object(s) mirrored.", "Отражено объектов: %d."},
    {"%d object(s) scaled.", "Масштабировано объектов: %d."},
    {"%d object(s) stretched.", "Растянуто объектов: %d."},
    {"%d object(s) of kinds that cannot be moved were left in place.",
     "Объекты видов, которые нельзя перемещать, оставлены на месте: %d."},
    {"The two points of the mirror line are the same; nothing is mirrored.",
     "Точки оси отражения совпадают; ничего не отражено."},
    {"The displacement is zero; nothing was moved.", "Перемещение нулевое; ничего не перенесено."},
    {"None of the selected objects can be moved; nothing changed.",
     "Ни один из выбранных объектов нельзя перемещать; ничего не изменено."},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<int>(ModifyText::kNothingToModify) + 1,
              "one entry per text");

}  // namespace

OdString modifyText(ModifyText id) { return inSessionLanguage(kTexts[static_cast<int>(id)]); }

}  // namespace qrvhost
