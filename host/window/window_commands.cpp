#include "window_commands.h"

namespace qrvwindow {

const std::vector<WindowCommand>& windowCommands() {
  static const std::vector<WindowCommand> commands = {
      // File
      {"new", {"&New", "&Создать"}, {"New drawing (NEW)", "Новый чертёж (NEW)"}, "NEW", "Ctrl+N", false, true},
      {"open", {"&Open...", "&Открыть..."}, {"Open a drawing (OPEN)", "Открыть чертёж (OPEN)"}, nullptr, "Ctrl+O",
       false, true},
      {"save", {"&Save", "Со&хранить"}, {"Save the drawing (SAVE)", "Сохранить чертёж (SAVE)"}, nullptr, "Ctrl+S",
       false, true},
      {"saveas", {"Save &As...", "Сохранить &как..."}, {"Save under another name (SAVEAS)",
       "Сохранить под другим именем (SAVEAS)"}, nullptr, "Ctrl+Shift+S", false, true},
      {"close", {"&Close", "&Закрыть"}, {"Close the drawing (CLOSE)", "Закрыть чертёж (CLOSE)"}, nullptr, "Ctrl+W",
       false, true},
      {"export", {"&Export...", "&Экспорт..."}, {"Export a picture: SVG, PNG or PDF (EXPORT)",
       "Экспорт рисунка: SVG, PNG или PDF (EXPORT)"}, nullptr, nullptr, false, true},
      {"exit", {"E&xit", "В&ыход"}, {"Quit qrvhost (QUIT)", "Выйти из qrvhost (QUIT)"}, nullptr, "Ctrl+Q", false,
       false},
      // Edit
      {"undo", {"&Undo", "&Отменить"}, {"Undo the last command (U)", "Отменить последнюю команду (U)"}, "U",
       "Ctrl+Z", false, true},
      {"redo", {"&Redo", "&Вернуть"}, {"Redo what was undone (REDO)", "Вернуть отменённое (REDO)"}, "REDO",
       "Ctrl+Y", false, true},
      {"selectall", {"Select &all", "Выделить &всё"}, {"Select every object", "Выделить все объекты"}, nullptr,
       "Ctrl+A", false, true},
      {"erase", {"&Erase", "&Стереть"}, {"Erase the selected objects (ERASE)", "Стереть выбранные объекты (ERASE)"},
       "ERASE", nullptr, false, true},
      // Modify
      {"move", {"&Move", "&Перенести"}, {"Move objects (MOVE)", "Перенести объекты (MOVE)"}, "MOVE", nullptr, false,
       true},
      {"copy", {"&Copy", "&Копировать"}, {"Copy objects (COPY)", "Копировать объекты (COPY)"}, "COPY", nullptr, false,
       true},
      {"rotate", {"&Rotate", "П&овернуть"}, {"Rotate objects about a point (ROTATE)",
       "Повернуть объекты вокруг точки (ROTATE)"}, "ROTATE", nullptr, false, true},
      {"mirror", {"M&irror", "&Зеркало"}, {"Mirror objects about a line (MIRROR)",
       "Отразить объекты относительно линии (MIRROR)"}, "MIRROR", nullptr, false, true},
      {"scale", {"&Scale", "&Масштаб"}, {"Scale objects about a point (SCALE)",
       "Масштабировать объекты относительно точки (SCALE)"}, "SCALE", nullptr, false, true},
      {"stretch", {"S&tretch", "&Растянуть"}, {"Move the points inside a crossing box (STRETCH)",
       "Перенести точки внутри секущей рамки (STRETCH)"}, "STRETCH", nullptr, false, true},
      {"matchprop", {"Match &Properties", "Копировать &свойства"}, {"Give objects the properties of another "
       "(MATCHPROP)", "Передать объектам свойства другого объекта (MATCHPROP)"}, "MATCHPROP", nullptr, false, true},
      // View
      {"zoomin", {"Zoom &in", "&Увеличить"}, {"Zoom in", "Увеличить изображение"}, nullptr, "Ctrl+=", false, true},
      {"zoomout", {"Zoom &out", "&Уменьшить"}, {"Zoom out", "Уменьшить изображение"}, nullptr, "Ctrl+-", false,
       true},
      {"zoomwindow", {"Zoom &window", "Показать &рамкой"}, {"Zoom to a box dragged in the view",
       "Показать область, обведённую рамкой"}, nullptr, nullptr, true, true},
      {"zoomextents", {"Zoom &extents", "Показать &всё"}, {"Show the whole drawing (ZOOM Extents)",
       "Показать весь чертёж (ZOOM Границы)"}, nullptr, nullptr, false, true},
      {"pan", {"&Pan", "&Панорамировать"}, {"Drag the drawing with the left button; Escape ends",
       "Перемещать чертёж левой кнопкой; Escape завершает"}, nullptr, nullptr, true, true},
      {"properties", {"&Properties", "&Свойства"}, {"Show or hide the Properties palette",
       "Показать или скрыть палитру свойств"}, nullptr, "Ctrl+1", true, true},
      {"commandline", {"&Command line", "&Командная строка"}, {"Show or hide the command line",
       "Показать или скрыть командную строку"}, nullptr, "Ctrl+9", true, true},
      {"dark", {"&Dark background", "&Тёмный фон"}, {"Draw on a dark or a light background",
       "Рисовать на тёмном или светлом фоне"}, nullptr, nullptr, true, true},
      {"osnap", {"Object &snaps", "&Объектная привязка"}, {"Object snaps on or off (F3)",
       "Объектная привязка вкл. или откл. (F3)"}, nullptr, "F3", true, true},
      {"layer", {"&Layers...", "&Слои..."}, {"Layer manager (LAYER)", "Диспетчер слоёв (LAYER)"}, "LAYER", nullptr,
       false, true},
      {"orthomode", {"O&rtho", "О&рто"}, {"Points picked along X or Y from the last one (F8, ORTHOMODE)",
       "Точки вдоль X или Y от предыдущей (F8, ORTHOMODE)"}, nullptr, "F8", true, false},
      {"gridmode", {"&Grid", "&Сетка"}, {"Grid dots at the grid spacing (F7, GRIDMODE, GRIDUNIT)",
       "Точки сетки с шагом сетки (F7, GRIDMODE, GRIDUNIT)"}, nullptr, "F7", true, false},
      {"snapmode", {"Snap to gri&d", "&Шаговая привязка"}, {"Picked points on the snap spacing (F9, SNAPMODE, "
       "SNAPUNIT)", "Точки с шагом привязки (F9, SNAPMODE, SNAPUNIT)"}, nullptr, "F9", true, false},
      // Dimension
      {"dimlinear", {"&Linear", "&Линейный"}, {"Linear dimension (DIMLINEAR)", "Линейный размер (DIMLINEAR)"},
       "DIMLINEAR", nullptr, false, true},
      {"dimaligned", {"&Aligned", "&Параллельный"}, {"Aligned dimension (DIMALIGNED)",
       "Параллельный размер (DIMALIGNED)"}, "DIMALIGNED", nullptr, false, true},
      {"dimarc", {"Arc l&ength", "Длина &дуги"}, {"Arc length dimension (DIMARC)", "Размер длины дуги (DIMARC)"},
       "DIMARC", nullptr, false, true},
      {"dimradius", {"&Radius", "&Радиус"}, {"Radius dimension (DIMRADIUS)", "Радиальный размер (DIMRADIUS)"},
       "DIMRADIUS", nullptr, false, true},
      {"dimdiameter", {"&Diameter", "Д&иаметр"}, {"Diameter dimension (DIMDIAMETER)",
       "Диаметральный размер (DIMDIAMETER)"}, "DIMDIAMETER", nullptr, false, true},
      {"dimangular", {"An&gular", "&Угловой"}, {"Angular dimension (DIMANGULAR)", "Угловой размер (DIMANGULAR)"},
       "DIMANGULAR", nullptr, false, true},
      {"dimordinate", {"&Ordinate", "&Ординатный"}, {"Ordinate dimension (DIMORDINATE)",
       "Ординатный размер (DIMORDINATE)"}, "DIMORDINATE", nullptr, false, true},
      {"leader", {"Lea&der", "&Выноска"}, {"Leader with a note (LEADER)", "Выноска с пояснением (LEADER)"},
       "LEADER", nullptr, false, true},
      {"dimbaseline", {"&Baseline", "&Базовый"}, {"Dimensions from the same first point (DIMBASELINE)",
       "Размеры от одной базы (DIMBASELINE)"}, "DIMBASELINE", nullptr, false, true},
      {"dimcontinue", {"Co&ntinue", "&Цепь"}, {"Dimensions in a chain (DIMCONTINUE)",
       "Размерная цепь (DIMCONTINUE)"}, "DIMCONTINUE", nullptr, false, true},
      {"dimjogged", {"&Jogged", "С и&зломом"}, {"Jogged radius dimension (DIMJOGGED)",
       "Радиус с изломом (DIMJOGGED)"}, "DIMJOGGED", nullptr, false, true},
      {"dimtedit", {"Dimension Te&xt Edit", "&Текст размера"}, {"Move or rotate a dimension's text (DIMTEDIT)",
       "Перенести или повернуть текст размера (DIMTEDIT)"}, "DIMTEDIT", nullptr, false, true},
      {"dimreassociate", {"Reassocia&te", "П&ереассоциировать"}, {"Associate dimensions with objects (DIMREASSOCIATE)",
       "Связать размеры с объектами (DIMREASSOCIATE)"}, "DIMREASSOCIATE", nullptr, false, true},
      {"dimdisassociate", {"Disassoc&iate", "Снять &ассоциативность"}, {"Dimensions no longer follow their objects "
       "(DIMDISASSOCIATE)", "Размеры больше не следуют за объектами (DIMDISASSOCIATE)"}, "DIMDISASSOCIATE", nullptr,
       false, true},
      {"dimstyle", {"Dimension &Style...", "&Размерные стили..."}, {"Dimension Style Manager (DIMSTYLE)",
       "Диспетчер размерных стилей (DIMSTYLE)"}, "DIMSTYLE", nullptr, false, true},
      {"dimstyleimport", {"&Import styles...", "&Импорт стилей..."}, {"Import dimension styles from another drawing "
       "(DIMSTYLEIMPORT)", "Импорт размерных стилей из другого чертежа (DIMSTYLEIMPORT)"}, nullptr, nullptr, false,
       true},
      {"dimcompare", {"&Compare dimension styles...", "&Сравнить размерные стили..."}, {"Compare two dimension "
       "styles (DIMCOMPARE)", "Сравнить два размерных стиля (DIMCOMPARE)"}, "DIMCOMPARE", nullptr, false, true},
      // Help
      {"help", {"&Commands", "&Команды"}, {"The commands and what they do (HELP)", "Команды и их назначение (HELP)"},
       "HELP\n", "F1", false, true},
      {"about", {"&About qrvhost", "&О программе qrvhost"}, {"About qrvhost", "О программе qrvhost"}, nullptr,
       nullptr, false, false},
  };
  return commands;
}

const WindowCommand* findWindowCommand(std::string_view id) {
  for (const WindowCommand& c : windowCommands())
    if (id == c.id) return &c;
  return nullptr;
}

const std::vector<WindowMenu>& windowMenus() {
  // "recent" stands for the recent drawings' submenu.
  static const std::vector<WindowMenu> menus = {
      {{"&File", "&Файл"}, {"new", "open", "recent", "save", "saveas", "close", "|", "export", "|", "exit"}},
      {{"&Edit", "&Правка"}, {"undo", "redo", "|", "selectall", "erase"}},
      {{"&View", "&Вид"},
       {"zoomin", "zoomout", "zoomwindow", "zoomextents", "pan", "|", "properties", "commandline", "|", "dark",
        "osnap", "orthomode", "gridmode", "snapmode"}},
      {{"&Modify", "Ре&дактировать"}, {"move", "copy", "rotate", "mirror", "scale", "stretch", "|", "matchprop"}},
      {{"&Dimension", "&Размеры"},
       {"dimlinear", "dimaligned", "dimarc", "dimradius", "dimdiameter", "dimangular", "dimordinate", "dimjogged",
        "leader", "|", "dimbaseline", "dimcontinue", "|", "dimtedit", "dimreassociate", "dimdisassociate", "|",
        "dimstyle", "dimstyleimport", "dimcompare"}},
      {{"F&ormat", "Фор&мат"}, {"layer", "|", "dimstyle", "dimcompare"}},
      {{"&Help", "&Справка"}, {"help", "about"}},
  };
  return menus;
}

const std::vector<WindowToolBar>& windowToolBars() {
  static const std::vector<WindowToolBar> bars = {
      {"standardToolBar", {"Standard", "Стандартная"}, {"new", "open", "save", "|", "undo", "redo", "|", "erase"}},
      {"viewToolBar", {"View", "Вид"}, {"zoomin", "zoomout", "zoomwindow", "zoomextents", "pan"}},
      {"modifyToolBar", {"Modify", "Редактирование"}, {"move", "copy", "rotate", "mirror", "scale", "stretch", "|",
                                                      "matchprop"}, true},
      // The layer drop-down follows the Layer manager's button.
      {"layerToolBar", {"Layers", "Слои"}, {"layer"}},
      {"dimensionToolBar", {"Dimension", "Размеры"},
       {"dimlinear", "dimaligned", "dimarc", "dimradius", "dimdiameter", "dimangular", "dimordinate", "leader", "|",
        "dimstyle", "dimstyleimport", "dimcompare"}},
      // The top row is full: what follows from a dimension goes beside the
      // view, under the modify commands.
      {"dimensionEditToolBar", {"Dimension editing", "Редактирование размеров"},
       {"dimjogged", "dimbaseline", "dimcontinue", "dimtedit", "dimreassociate", "dimdisassociate"}, true},
  };
  return bars;
}

}  // namespace qrvwindow

namespace qrvwindow {

const std::vector<WindowStatusToggle>& windowStatusToggles() {
  static const std::vector<WindowStatusToggle> toggles = {
      {"snapmode", {"SNAP", "ШАГ"}},
      {"gridmode", {"GRID", "СЕТКА"}},
      {"orthomode", {"ORTHO", "ОРТО"}},
      {"osnap", {"OSNAP", "ПРИВЯЗКА"}},
  };
  return toggles;
}

}  // namespace qrvwindow
