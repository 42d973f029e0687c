// The module's string table in English and Russian.
//
// Rules the texts keep in both languages:
// - printf-style specifiers appear in the same order, so one format call
//   serves either language;
// - keyword lists of the command line (1184, 1185) keep their global (English) half in both
//   languages: the editor's keyword matcher compares typed input with them,
//   and typed keywords must not change with the interface language; for the
//   same reason the "[%s]" part and a <Default> keyword of a prompt stay as
//   they are;
// - precision patterns (1048 to 1057) are split at ";" and the item index is
//   the stored number of decimal places, so both languages hold the same
//   pieces in the same order.
#include "resources.h"
#include "resource_tables.h"

namespace dds::res {

extern const QrStringEntry kStringTable[] = {
    // Names of the child-style types, by child digit.
    {1001, "Linear", "Линейный"},
    {1002, "Diameter", "Диаметр"},
    {1003, "Radius", "Радиус"},
    {1004, "Angular", "Угловой"},
    {1005, "Leader", "Выноска"},
    {1008, "Ordinate", "Ординатный"},

    // "Use for" entries of the New style dialog.
    {1009, "All dimensions", "Все размеры"},
    {1010, "Linear dimensions", "Линейные размеры"},
    {1011, "Diametral dimensions", "Диаметральные размеры"},
    {1012, "Radial dimensions", "Радиальные размеры"},
    {1013, "Angular dimensions", "Угловые размеры"},
    {1014, "Leader dimensions", "Выноски"},
    {1015, "Ordinate dimensions", "Ординатные размеры"},

    // Tabs of the style editor.
    {1022, "Lines", "Линии"},
    {1023, "Symbols and arrows", "Символы и стрелки"},
    {1024, "Text", "Текст"},
    {1025, "Fit", "Размещение"},
    {1026, "Primary units", "Единицы"},
    {1027, "Alternate units", "Альт. ед."},
    {1028, "Tolerances", "Допуски"},

    {1029, "Unexpected error", "Непредвиденная ошибка"},

    // Vertical text placement (DIMTAD); 1191 completes the list.
    {1030, "Above", "Над линией"},
    {1031, "Centered", "По центру"},
    {1032, "Outside", "Снаружи"},
    {1033, "JIS", "JIS"},

    // Horizontal text placement (DIMJUST) in the style editor.
    {1034, "Centered", "По центру"},
    {1035, "At Ext Line 1", "У 1-й выносной линии"},
    {1036, "At Ext Line 2", "У 2-й выносной линии"},
    {1037, "Over Ext Line 1", "Над 1-й выносной линией"},
    {1038, "Over Ext Line 2", "Над 2-й выносной линией"},

    // Linear unit formats (DIMLUNIT, DIMALTU).
    {1039, "Scientific", "Научные"},
    {1040, "Decimal", "Десятичные"},
    {1041, "Engineering", "Технические"},
    {1042, "Architectural", "Архитектурные"},
    {1043, "Fractional", "Дробные"},
    {1044, "Windows Desktop", "Рабочий стол Windows"},

    // Fraction formats (DIMFRAC).
    {1045, "Horizontal", "Горизонтальная"},
    {1046, "Diagonal", "Диагональная"},
    {1047, "Not Stacked", "Не в столбик"},

    // Precision patterns. Only the decimal one is fixed by the dialogs'
    // description; the others were written here from their described form:
    // exponent form, feet-inches with decimal inches, feet-inches with
    // fractional inches, plain fractions, and the three angle forms.
    {1048, "0;0.0;0.00;0.000;0.0000;0.00000;0.000000;0.0000000;0.00000000",
     "0;0.0;0.00;0.000;0.0000;0.00000;0.000000;0.0000000;0.00000000"},
    // chosen here
    {1049,
     "0E+01;0.0E+01;0.00E+01;0.000E+01;0.0000E+01;0.00000E+01;0.000000E+01;"
     "0.0000000E+01;0.00000000E+01",
     "0E+01;0.0E+01;0.00E+01;0.000E+01;0.0000E+01;0.00000E+01;0.000000E+01;"
     "0.0000000E+01;0.00000000E+01"},
    // chosen here (eight items: 0 to 7 decimals of an inch)
    {1050,
     "0'-0\";0'-0.0\";0'-0.00\";0'-0.000\";0'-0.0000\";0'-0.00000\";"
     "0'-0.000000\";0'-0.0000000\"",
     "0'-0\";0'-0.0\";0'-0.00\";0'-0.000\";0'-0.0000\";0'-0.00000\";"
     "0'-0.000000\";0'-0.0000000\""},
    // chosen here
    {1051,
     "0'-0\";0'-0 1/2\";0'-0 1/4\";0'-0 1/8\";0'-0 1/16\";0'-0 1/32\";"
     "0'-0 1/64\";0'-0 1/128\";0'-0 1/256\"",
     "0'-0\";0'-0 1/2\";0'-0 1/4\";0'-0 1/8\";0'-0 1/16\";0'-0 1/32\";"
     "0'-0 1/64\";0'-0 1/128\";0'-0 1/256\""},
    // chosen here
    {1052, "0;0 1/2;0 1/4;0 1/8;0 1/16;0 1/32;0 1/64;0 1/128;0 1/256",
     "0;0 1/2;0 1/4;0 1/8;0 1/16;0 1/32;0 1/64;0 1/128;0 1/256"},

    // Angular unit formats (DIMAUNIT); 1058 and 1059 complete the list.
    {1053, "Decimal Degrees", "Десятичные градусы"},
    {1054, "Degrees Minutes Seconds", "Градусы/минуты/секунды"},

    // chosen here
    {1055,
     "0d;0d00';0d00'00\";0d00'00.0\";0d00'00.00\";0d00'00.000\";"
     "0d00'00.0000\";0d00'00.00000\";0d00'00.000000\"",
     "0d;0d00';0d00'00\";0d00'00.0\";0d00'00.00\";0d00'00.000\";"
     "0d00'00.0000\";0d00'00.00000\";0d00'00.000000\""},
    // chosen here
    {1056, "0g;0.0g;0.00g;0.000g;0.0000g;0.00000g;0.000000g;0.0000000g;0.00000000g",
     "0g;0.0g;0.00g;0.000g;0.0000g;0.00000g;0.000000g;0.0000000g;0.00000000g"},
    // chosen here
    {1057, "0r;0.0r;0.00r;0.000r;0.0000r;0.00000r;0.000000r;0.0000000r;0.00000000r",
     "0r;0.0r;0.00r;0.000r;0.0000r;0.00000r;0.000000r;0.0000000r;0.00000000r"},

    {1058, "Gradians", "Грады"},
    {1059, "Radians", "Радианы"},

    // Decimal separators (DIMDSEP).
    {1060, "'.' (Period)", "'.' (Точка)"},
    {1061, "',' (Comma)", "',' (Запятая)"},
    {1062, "' ' (Space)", "' ' (Пробел)"},

    // Value texts of references and yes/no values.
    {1063, "BYBLOCK", "ПОБЛОКУ"},
    {1064, "BYLAYER", "ПОСЛОЮ"},
    {1065, "Yes", "Да"},
    {1066, "No", "Нет"},
    {1067, "<style overrides>", "<переопределения стиля>"},

    // Tolerance vertical justification (DIMTOLJ).
    {1068, "Bottom", "Снизу"},
    {1069, "Middle", "Посередине"},
    {1070, "Top", "Сверху"},

    // Tolerance methods.
    {1071, "None", "Нет"},
    {1072, "Symmetrical", "Симметрично"},
    {1073, "Deviation", "Отклонения"},
    {1074, "Limits", "Предельные размеры"},
    {1075, "Basic", "Номинальный"},

    // Compare dialog.
    {1077, "Description", "Описание"},
    {1078, "Variable", "Переменная"},
    {1080, "All properties of dimension style \"%s\":",
     "Все свойства размерного стиля \"%s\":"},
    {1081, "Found %i differences:", "Найдено различий: %i"},

    // Descriptions of the dimension variables.
    {1082, "Angular decimal places", "Число десятичных знаков угловых размеров"},
    {1083, "Alternate units selected", "Альтернативные единицы включены"},
    {1084, "Alternate unit decimal places",
     "Число десятичных знаков альтернативных единиц"},
    {1085, "Alternate unit scale factor",
     "Масштабный коэффициент альтернативных единиц"},
    {1086, "Alternate units rounding value", "Округление альтернативных единиц"},
    {1087, "Alternate tolerance decimal places",
     "Число десятичных знаков альтернативных допусков"},
    {1088, "Alternate tolerance zero suppression",
     "Подавление нулей в альтернативных допусках"},
    {1089, "Alternate units", "Альтернативные единицы"},
    {1090, "Alternate unit zero suppression",
     "Подавление нулей в альтернативных единицах"},
    {1091, "Prefix and suffix for alternate text",
     "Префикс и суффикс альтернативного текста"},
    {1092, "Arrow size", "Размер стрелки"},
    {1093, "Arrow and text fit", "Размещение стрелок и текста"},
    {1094, "Angular unit format", "Формат угловых единиц"},
    {1095, "Angular zero suppression", "Подавление нулей в угловых размерах"},
    {1096, "Arrow block name", "Имя блока стрелки"},
    {1097, "First arrow block name", "Имя блока первой стрелки"},
    {1098, "Second arrow block name", "Имя блока второй стрелки"},
    {1099, "Center mark size", "Размер маркера центра"},
    {1100, "Dimension line and leader color", "Цвет размерной линии и выноски"},
    {1101, "Extension line color", "Цвет выносной линии"},
    {1102, "Dimension text color", "Цвет размерного текста"},
    {1103, "Decimal places", "Число десятичных знаков"},
    {1104, "Dimension line extension", "Удлинение размерной линии"},
    {1105, "Dimension line spacing", "Шаг размерных линий"},
    {1106, "Decimal separator", "Десятичный разделитель"},
    {1107, "Extension above dimension line", "Удлинение за размерную линию"},
    {1108, "Extension line origin offset", "Отступ выносной линии от начала"},
    {1109, "Fraction format", "Формат дробей"},
    {1110, "Gap from dimension line to text",
     "Зазор между размерной линией и текстом"},
    {1111, "Justification of text on dimension line",
     "Выравнивание текста на размерной линии"},
    {1112, "Leader block name", "Имя блока стрелки выноски"},
    {1113, "Linear unit scale factor", "Масштабный коэффициент линейных единиц"},
    {1114, "Generate dimension limits", "Создавать предельные размеры"},
    {1115, "Linear unit format", "Формат линейных единиц"},
    {1116, "Dimension line and leader lineweight",
     "Вес линий размерной линии и выноски"},
    {1117, "Extension line lineweight", "Вес линий выносной линии"},
    {1118, "Prefix and suffix for dimension text",
     "Префикс и суффикс размерного текста"},
    {1119, "Rounding value", "Округление"},
    {1120, "Separate arrow blocks", "Отдельные блоки стрелок"},
    {1121, "Overall scale factor", "Глобальный масштабный коэффициент"},
    {1122, "Suppress the first dimension line", "Подавить первую размерную линию"},
    {1123, "Suppress the second dimension line", "Подавить вторую размерную линию"},
    {1124, "Suppress the first extension line", "Подавить первую выносную линию"},
    {1125, "Suppress the second extension line", "Подавить вторую выносную линию"},
    {1126, "Suppress outside dimension lines",
     "Подавить размерные линии вне выносных"},
    {1127, "Place text above the dimension line", "Текст над размерной линией"},
    {1128, "Tolerance decimal places", "Число десятичных знаков допусков"},
    {1129, "Tolerance text height scaling factor",
     "Масштабный коэффициент высоты текста допусков"},
    {1130, "Text inside extensions is horizontal",
     "Текст между выносными линиями горизонтален"},
    {1131, "Place text inside extensions", "Текст между выносными линиями"},
    {1132, "Minus tolerance", "Нижнее отклонение"},
    {1133, "Text movement", "Перемещение текста"},
    {1134, "Force line inside extension lines",
     "Размерная линия между выносными линиями"},
    {1135, "Text outside horizontal", "Текст вне выносных линий горизонтален"},
    {1136, "Tolerance dimensioning", "Простановка допусков"},
    {1137, "Tolerance vertical justification",
     "Вертикальное выравнивание допусков"},
    {1138, "Plus tolerance", "Верхнее отклонение"},
    {1139, "Tick size", "Размер засечки"},
    {1140, "Text vertical position", "Вертикальное положение текста"},
    {1141, "Text style", "Текстовый стиль"},
    {1142, "Text height", "Высота текста"},
    {1143, "Tolerance zero suppression", "Подавление нулей в допусках"},
    {1144, "User positioned text", "Текст, размещаемый вручную"},
    {1145, "Zero suppression", "Подавление нулей"},
    {1146, "Fixed extension line", "Фиксированная длина выносной линии"},
    {1147, "Enable fixed extension line",
     "Включить фиксированную длину выносной линии"},
    {1148, "Radius dimension jog angle", "Угол излома радиального размера"},
    {1149, "Text background enabled", "Фон текста включен"},
    {1150, "Text background color", "Цвет фона текста"},
    {1151, "Arc length symbol", "Символ длины дуги"},
    {1152, "Dimension linetype", "Тип размерной линии"},
    {1153, "First extension line linetype", "Тип первой выносной линии"},
    {1154, "Second extension line linetype", "Тип второй выносной линии"},

    // Index colours 1 to 7, found as 1154 + colour index.
    {1155, "red", "красный"},
    {1156, "yellow", "желтый"},
    {1157, "green", "зеленый"},
    {1158, "cyan", "голубой"},
    {1159, "blue", "синий"},
    {1160, "magenta", "фиолетовый"},
    {1161, "white", "белый"},

    // Value texts that stand in for a missing or unreadable value.
    {1162, "<default>", "<по умолчанию>"},
    {1163, "<error>", "<ошибка>"},
    {1164, "<null>", "<пусто>"},

    {1165, "Current style not changed", "Текущий стиль не изменен"},

    // More variable descriptions.
    {1169, "Dimension text direction", "Направление размерного текста"},
    {1170, "Sub-zero factor for metric dimensions",
     "Коэффициент дольных единиц метрических размеров"},
    {1171, "Sub-zero suffix for metric dimensions",
     "Суффикс дольных единиц метрических размеров"},
    {1172, "Misc.Annotative", "Разное.Аннотативный"},
    {1173, "Misc.Annotative scale", "Разное.Масштаб аннотаций"},
    {1174, "Alternate sub-zero factor for metric dimensions",
     "Альтернативный коэффициент дольных единиц метрических размеров"},
    {1175, "Alternate sub-zero suffix for metric dimensions",
     "Альтернативный суффикс дольных единиц метрических размеров"},

    // The -dimstyle command line.
    {1182, "Current dimension style: \"%s\". Annotative: %s.",
     "Текущий размерный стиль: \"%s\". Аннотативный: %s."},
    {1183, "Enter a dimension style option [%s]<Restore>:",
     "Введите параметр размерного стиля [%s]<Восстановить>:"},
    // Local keywords in the session's language, global keywords (after "*")
    // in English, so a script answers the same way in either language.
    {1184,
     "ANnotative Save Restore STatus Variables Apply ? *ANnotative *Save "
     "*Restore *STatus *Variables *Apply *?",
     "АННотативный СОхранить Восстановить СТатус Переменные ПРименить ? *ANnotative *Save "
     "*Restore *STatus *Variables *Apply *?"},
    {1185, "Yes No *Yes *No", "Да Нет *Yes *No"},
    {1186, "Create annotative dimension style [%s]<Yes>:",
     "Создать аннотативный размерный стиль [%s]<Да>:"},
    {1187, "Enter name for new dimension style or [%s]:",
     "Введите имя нового размерного стиля или [%s]:"},
    {1188, "Enter dimension style(s) to list <*>",
     "Введите размерные стили для вывода списка <*>"},

    // Items of the palette's on/off switches.
    {1189, "On", "Вкл"},
    {1190, "Off", "Откл"},

    {1191, "Below", "Под линией"},

    // Text view direction (DIMTXTDIRECTION).
    {1192, "Left-to-Right", "Слева направо"},
    {1193, "Right-to-Left", "Справа налево"},

    {1194, "Named dimension styles:", "Именованные размерные стили:"},
    {1195, "Unknown dimension style.", "Неизвестный размерный стиль."},
    {1196, "Annotative", "Аннотативный"},
    {1197, "Current Setting", "Текущее значение"},
    {1198, "Differences between \"%s\" and current settings:",
     "Различия между \"%s\" и текущими настройками:"},
    {1199, "No Differences.", "Различий нет."},
    {1200, "That name is already in use, redefine it? [%s]<No>:",
     "Это имя уже используется. Переопределить? [%s]<Нет>:"},
    {1201, "Enter a dimension style name, [%s] or <select dimension>:",
     "Введите имя размерного стиля, [%s] или <выберите размер>:"},
    {1202, "Select dimension", "Выберите размер"},
    {1203, "Selected object is not a dimension.",
     "Выбранный объект не является размером."},

    // Fit (DIMATFIT) in the palette.
    {1204, "Text and arrows", "Текст и стрелки"},
    {1205, "Arrows only", "Только стрелки"},
    {1206, "Text only", "Только текст"},
    {1207, "Best fit", "Оптимально"},

    // Text movement (DIMTMOVE) in the palette.
    {1208, "Keep dim line with text", "Перемещать размерную линию с текстом"},
    {1209, "Move text, add leader", "Перемещать текст, добавлять выноску"},
    {1210, "Move text, no leader", "Перемещать текст без выноски"},

    {1211, "Decimal separator must be one character",
     "Десятичный разделитель должен быть одним символом"},

    // -dimstyle status listing and Apply.
    {1212, "Create dimension objects", "Создавать размерные объекты"},
    {1213, "Current dimension style", "Текущий размерный стиль"},
    {1214, "Select objects", "Выберите объекты"},
    {1215, "Current dimension overrides:", "Текущие переопределения размеров:"},

    // Centre mark kinds in the palette. "dimcen:" sets the English line item
    // apart from other "Line" texts; the Russian needs no such marker.
    {1241, "Mark", "Маркер"},
    {1242, "dimcen:Line", "Линия"},
    {1243, "None", "Нет"},

    // Horizontal text placement (DIMJUST) in the palette.
    {1246, "Centered", "По центру"},
    {1247, "First extension line", "Первая выносная линия"},
    {1248, "Second extension line", "Вторая выносная линия"},
    {1249, "Over first extension", "Над первой выносной"},
    {1250, "Over second extension", "Над второй выносной"},

    // Alternate-only unit formats (DIMALTU 4 and 5).
    {1261, "Architectural (Stacked)", "Архитектурные (в столбик)"},
    {1262, "Fractional (Stacked)", "Дробные (в столбик)"},

    // Tolerance alignment.
    {1283, "Operational symbols", "Знаки операций"},
    {1284, "Decimal separators", "Десятичные разделители"},

    {1286, "Override current style", "Переопределение текущего стиля"},
    {1287,
     "Setting another style current will discard your style overrides.\n\n"
     "Continue?",
     "При назначении текущим другого стиля переопределения стиля будут "
     "потеряны.\n\nПродолжить?"},

    // Leader types.
    {1300, "Line with no arrow", "Линия без стрелки"},
    {1301, "Spline with no arrow", "Сплайн без стрелки"},
    {1302, "Line with arrow", "Линия со стрелкой"},
    {1303, "Spline with arrow", "Сплайн со стрелкой"},
};

extern const std::size_t kStringTableSize =
    sizeof(kStringTable) / sizeof(kStringTable[0]);

}  // namespace dds::res
