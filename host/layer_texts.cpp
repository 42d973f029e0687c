#include "layer_texts.h"

#include "host_texts_local.h"

namespace qrvhost {

namespace {

// In the order of LayerText.
constexpr TwoLanguageText kTexts[] = {
    {"Enter an option [%s]:", "Параметр [%s]:"},
    {"? Make Set New ON OFF Color Ltype LWeight Freeze Thaw LOck Unlock Rename Delete "
     "*? *Make *Set *New *ON *OFF *Color *Ltype *LWeight *Freeze *Thaw *LOck *Unlock *Rename *Delete",
     "? СОздать УСтановить НОвый ВКл ОТкл ЦВет ТИп ВЕс ЗАморозить РАЗМорозить БЛокировать РАЗБлокировать "
     "ПЕреименовать УДалить "
     "*? *Make *Set *New *ON *OFF *Color *Ltype *LWeight *Freeze *Thaw *LOck *Unlock *Rename *Delete"},
    {"Enter layer name(s) to list <*>:", "Имена слоёв для списка <*>:"},
    {"Layer                            State               Color       Linetype         Lineweight",
     "Слой                             Состояние           Цвет        Тип линий        Вес линий"},
    {"Enter name for new layer (becomes the current layer) <%s>:", "Имя нового слоя (станет текущим) <%s>:"},
    {"Enter layer name to make current <%s>:", "Имя слоя, который станет текущим <%s>:"},
    {"Enter name list for new layer(s):", "Имена новых слоёв:"},
    {"Enter name list of layer(s) to turn On:", "Имена слоёв, которые включить:"},
    {"Enter name list of layer(s) to turn Off:", "Имена слоёв, которые отключить:"},
    {"Enter color name or number (1-255) or R,G,B:", "Имя или номер цвета (1-255) или R,G,B:"},
    {"Enter name list of layer(s) for color %s <%s>:", "Имена слоёв для цвета %s <%s>:"},
    {"Enter a loaded linetype name <Continuous>:", "Имя загруженного типа линий <Continuous>:"},
    {"Enter name list of layer(s) for linetype \"%s\" <%s>:", "Имена слоёв для типа линий \"%s\" <%s>:"},
    {"Enter lineweight (0.0mm - 2.11mm) or Default:", "Вес линий (0.0 мм - 2.11 мм) или Default:"},
    {"Enter name list of layer(s) for lineweight %s <%s>:", "Имена слоёв для веса линий %s <%s>:"},
    {"Enter name list of layer(s) to freeze:", "Имена слоёв, которые заморозить:"},
    {"Enter name list of layer(s) to thaw:", "Имена слоёв, которые разморозить:"},
    {"Enter name list of layer(s) to lock:", "Имена слоёв, которые заблокировать:"},
    {"Enter name list of layer(s) to unlock:", "Имена слоёв, которые разблокировать:"},
    {"Enter old layer name:", "Старое имя слоя:"},
    {"Enter new layer name:", "Новое имя слоя:"},
    {"Enter name list of layer(s) to delete:", "Имена слоёв, которые удалить:"},
    {"No layer matches \"%s\".", "Нет слоёв, подходящих под \"%s\"."},
    {"\"%s\" cannot be a layer name: %s.", "\"%s\" не может быть именем слоя: %s."},
    {"Layer \"%s\" already exists.", "Слой \"%s\" уже существует."},
    {"Layer \"%s\" created.", "Создан слой \"%s\"."},
    {"Current layer: \"%s\".", "Текущий слой: \"%s\"."},
    {"Layer \"%s\" is frozen and cannot be made current.", "Слой \"%s\" заморожен и не может стать текущим."},
    {"Layer \"%s\" is the current layer and cannot be frozen.", "Слой \"%s\" текущий и не может быть заморожен."},
    {"Layer \"%s\" is the current layer; it is turned off.", "Слой \"%s\" текущий; он отключён."},
    {"\"%s\" is no colour: a colour name, a number 1-255 or R,G,B is expected.",
     "\"%s\" - не цвет: ожидается имя цвета, номер 1-255 или R,G,B."},
    {"Linetype \"%s\" is not loaded in this drawing.", "Тип линий \"%s\" не загружен в этот чертёж."},
    {"\"%s\" is no lineweight: 0 to 2.11 mm of the standard weights, or Default, is expected.",
     "\"%s\" - не вес линий: ожидается стандартный вес от 0 до 2,11 мм или Default."},
    {"Layer \"%s\" renamed to \"%s\".", "Слой \"%s\" переименован в \"%s\"."},
    {"Layer \"0\" cannot be renamed.", "Слой \"0\" нельзя переименовать."},
    {"Layer \"0\" cannot be deleted.", "Слой \"0\" нельзя удалить."},
    {"Layer \"%s\" is the current layer and cannot be deleted.", "Слой \"%s\" текущий и не может быть удалён."},
    {"Layer \"%s\" is in use (%d reference(s)) and cannot be deleted.",
     "Слой \"%s\" используется (ссылок: %d) и не может быть удалён."},
    {"Layer \"%s\" deleted.", "Слой \"%s\" удалён."},
    {"On", "Вкл"},
    {"Off", "Откл"},
    {"Frozen", "Заморожен"},
    {"Thawed", "Разморожен"},
    {"Locked", "Заблокирован"},
    {"Unlocked", "Разблокирован"},
    {"%d layer(s) changed.", "Изменено слоёв: %d."},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<int>(LayerText::kChanged) + 1, "one entry per text");

}  // namespace

OdString layerText(LayerText id) { return inSessionLanguage(kTexts[static_cast<int>(id)]); }

}  // namespace qrvhost
