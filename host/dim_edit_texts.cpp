#include "dim_edit_texts.h"

#include "host_texts_local.h"

namespace qrvhost {

namespace {

// In the order of EditText.
constexpr TwoLanguageText kTexts[] = {
    {"Specify a second extension line origin or [%s] <Select>:",
     "Начало второй выносной линии или [%s] <Выбрать>:"},
    {"Specify feature location or [%s] <Select>:", "Положение элемента или [%s] <Выбрать>:"},
    {"Undo Select *Undo *Select", "Отменить Выбрать *Undo *Select"},
    {"Select base dimension:", "Выберите базовый размер:"},
    {"Select continued dimension:", "Выберите продолжаемый размер:"},
    {"The object is not a linear, ordinate or angular dimension.",
     "Объект не является линейным, ординатным или угловым размером."},
    {"No dimension of this command is left to undo.", "Размеров этой команды для отмены не осталось."},
    {"Nothing can be measured to that point; no dimension is drawn.",
     "До этой точки нечего измерять; размер не нанесён."},
    {"Specify center location override:", "Положение заменяющего центра:"},
    {"Specify jog location:", "Положение излома:"},
    {"The center override is on the curve; no dimension is drawn.",
     "Заменяющий центр лежит на кривой; размер не нанесён."},
    {"Select dimension:", "Выберите размер:"},
    {"The object is not a dimension.", "Объект не является размером."},
    {"Specify new location for dimension text or [%s]:", "Новое положение текста размера или [%s]:"},
    {"Left Right Center Home Angle *Left *Right *Center *Home *Angle",
     "ВЛево ВПраво Центр Исходное Угол *Left *Right *Center *Home *Angle"},
    {"Specify angle for dimension text:", "Угол текста размера:"},
    {"Left, Right and Center apply to linear, aligned, radius and diameter dimensions; nothing is changed.",
     "Влево, Вправо и Центр применимы к линейным, параллельным, радиальным и диаметральным размерам; ничего не "
     "изменено."},
    {"Select source object:", "Выберите исходный объект:"},
    {"The object is not a dimension or leader.", "Объект не является размером или выноской."},
    {"Select destination object(s) or [Settings]:", "Выберите целевые объекты или [Параметры]:"},
    {"Settings *Settings", "Параметры *Settings"},
    {"Copied to every object: layer, color, linetype. To dimensions: the dimension style and all its overrides. "
     "To leaders: the dimension style and the overrides a leader uses (arrow, arrow size, dimension line color "
     "and lineweight, text gap and vertical position, overall scale).",
     "Копируются всем объектам: слой, цвет, тип линий. Размерам: размерный стиль и все его переопределения. "
     "Выноскам: размерный стиль и переопределения, которые выноска использует (стрелка, размер стрелки, цвет и "
     "вес размерной линии, отступ и вертикальное положение текста, общий масштаб)."},
    {"%d object(s) matched.", "Изменено объектов: %d."},
    {"Grip to move [%s]:", "Перемещаемая ручка [%s]:"},
    {"Text Line *Text *Line", "Текст Линия *Text *Line"},
    {"Specify new grip location:", "Новое положение ручки:"},
    {"The dimension cannot take that place; nothing is changed.",
     "Размер не может занять это положение; ничего не изменено."},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<int>(EditText::kGripRefused) + 1, "one entry per text");

}  // namespace

OdString editText(EditText id) { return inSessionLanguage(kTexts[static_cast<int>(id)]); }

}  // namespace qrvhost
