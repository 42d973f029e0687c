#include "drafting_texts.h"

#include "host_texts_local.h"

namespace qrvhost {

namespace {

// In the order of DraftText.
constexpr TwoLanguageText kTexts[] = {
    {"Specify first extension line origin or <select object>:", "Начало первой выносной линии или <выбрать объект>:"},
    {"Specify second extension line origin:", "Начало второй выносной линии:"},
    {"Select line or arc to dimension:", "Выберите отрезок или дугу для размера:"},
    {"The object is not a line or arc.", "Объект не является отрезком или дугой."},
    {"Specify dimension line location or [%s]:", "Положение размерной линии или [%s]:"},
    {"Text Angle Horizontal Vertical Rotated *Text *Angle *Horizontal *Vertical *Rotated",
     "Текст Угол Горизонтальный Вертикальный Повёрнутый *Text *Angle *Horizontal *Vertical *Rotated"},
    {"Text Angle *Text *Angle", "Текст Угол *Text *Angle"},
    {"Enter dimension text (<> stands for the measurement) <%s>:", "Текст размера (<> означает измеренное значение) <%s>:"},
    {"Specify angle of dimension text:", "Угол поворота текста размера:"},
    {"Specify angle of dimension line <%s>:", "Угол поворота размерной линии <%s>:"},
    {"Invalid angle \"%s\".", "Неверный угол \"%s\"."},
    {"Select arc or circle:", "Выберите дугу или окружность:"},
    {"The object is not an arc or circle.", "Объект не является дугой или окружностью."},
    {"Select arc:", "Выберите дугу:"},
    {"The object is not an arc.", "Объект не является дугой."},
    {"Specify arc length dimension location or [%s]:", "Положение размера длины дуги или [%s]:"},
    {"Select first line or <specify vertex>:", "Выберите первый отрезок или <указать вершину>:"},
    {"Select second line:", "Выберите второй отрезок:"},
    {"The object is not a line.", "Объект не является отрезком."},
    {"Specify angle vertex:", "Вершина угла:"},
    {"Specify first angle endpoint:", "Первая конечная точка угла:"},
    {"Specify second angle endpoint:", "Вторая конечная точка угла:"},
    {"Specify dimension arc line location or [%s]:", "Положение дуги размерной линии или [%s]:"},
    {"Specify feature location:", "Положение элемента:"},
    {"Specify leader endpoint or [%s]:", "Конечная точка выноски или [%s]:"},
    {"Xdatum Ydatum Text Angle *Xdatum *Ydatum *Text *Angle", "Xбаза Yбаза Текст Угол *Xdatum *Ydatum *Text *Angle"},
    {"Specify leader start point:", "Начальная точка выноски:"},
    {"Specify next point:", "Следующая точка:"},
    {"Specify next point or [%s] <Annotation>:", "Следующая точка или [%s] <Пояснение>:"},
    {"Annotation Undo *Annotation *Undo", "Пояснение Отменить *Annotation *Undo"},
    {"Enter first line of annotation text <none>:", "Первая строка пояснения <нет>:"},
    {"Enter next line of annotation text:", "Следующая строка пояснения:"},
    {"The point is the previous point; specify another.", "Точка совпадает с предыдущей; укажите другую."},
    {"Dimension text = %s", "Текст размера = %s"},
    {"%d object(s) erased.", "Удалено объектов: %d."},
    {"The two points are the same; no dimension is drawn.", "Точки совпадают; размер не нанесён."},
    {"The measured length is zero; no dimension is drawn.", "Измеренная длина равна нулю; размер не нанесён."},
    {"The lines are parallel, they make no angle; no dimension is drawn.",
     "Отрезки параллельны и не образуют угла; размер не нанесён."},
    {"The points make no angle; no dimension is drawn.", "Точки не образуют угла; размер не нанесён."},
    {"The location is the centre; no dimension is drawn.", "Положение совпадает с центром; размер не нанесён."},
    {"A leader needs two points; no leader is drawn.", "Для выноски нужны две точки; выноска не нанесена."},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<int>(DraftText::kRefusedLeaderPoints) + 1,
              "one entry per text");

}  // namespace

OdString draftText(DraftText id) { return inSessionLanguage(kTexts[static_cast<int>(id)]); }

}  // namespace qrvhost
