#include "host_text.h"

#include "opm/palette_texts.h"
#include "resources.h"
#include "translation.h"

namespace {

#define T(id, en, ru) {static_cast<unsigned>(HostText::id), en, ru}

// Sorted by id (the enumeration's order). Keyword lists keep the English
// spellings as global keywords ("*Yes"), so a script answers the same way
// in either language.
const QrStringEntry kHostStrings[] = {
    T(kCancelled, "*Cancel*", "*Прервано*"),
    T(kAnswerRequired, "An answer is required.", "Требуется ответ."),
    T(kInvalidKeyword, "Invalid option keyword.", "Недопустимое ключевое слово."),
    T(kNoBlanks, "Blanks are not allowed in this answer.", "Пробелы в этом ответе не допускаются."),
    T(kQuestionPrompt, "[%s] <No>:", "[%s] <Нет>:"),
    T(kYesNoKeywords, "Yes No *Yes *No", "Да Нет *Yes *No"),
    T(kYesNoCancelKeywords, "Yes No Cancel *Yes *No *Cancel", "Да Нет Отмена *Yes *No *Cancel"),
    T(kSelectObjects, "Select objects:", "Выберите объекты:"),
    T(kSelectionInvalid, "Invalid selection \"%s\": expects handles, ALL, L, W, C, TYPE=name or ?.",
      "Неверный выбор \"%s\": ожидаются метки, ALL, L, W, C, TYPE=имя или ?."),
    T(kSelectionFound, "%d found, %d total", "найдено: %d, всего: %d"),
    T(kSelectionDuplicates, "%d duplicate(s) ignored", "повторов пропущено: %d"),
    T(kSelectionLocked, "%d on a locked layer", "на блокированном слое: %d"),
    T(kSelectionFiltered, "%d not of the requested kind", "не того вида: %d"),
    T(kSelectionFirstCorner, "Specify first corner:", "Первый угол:"),
    T(kSelectionOppositeCorner, "Specify opposite corner:", "Противоположный угол:"),
    T(kSelectionNoBoxes, "Window and crossing selection needs the drawing's pictures, which this program does not draw.",
      "Для выбора рамкой нужны изображения чертежа, которые эта программа не строит."),
    T(kNoHelpTopic, "No help is available for \"%s\".", "Справка по \"%s\" отсутствует."),
    T(kCommandPrompt, "Command:", "Команда:"),
    T(kUnknownCommand, "Unknown command \"%s\". Type HELP for a list of commands.",
      "Неизвестная команда \"%s\". Список команд выводит HELP."),
    T(kNoDrawing, "No drawing is open.", "Нет открытых чертежей."),
    T(kOpenPrompt, "Enter name of drawing to open:", "Имя открываемого чертежа:"),
    T(kOpened, "Opened \"%s\".", "Открыт \"%s\"."),
    T(kAlreadyOpen, "\"%s\" is already open; it is now the current drawing.",
      "\"%s\" уже открыт и стал текущим чертежом."),
    T(kCannotOpen, "Cannot open \"%s\": %s", "Невозможно открыть \"%s\": %s"),
    T(kNewDrawing, "New drawing \"%s\".", "Новый чертёж \"%s\"."),
    T(kSaveAsPromptDefault, "Enter file name <%s>:", "Имя файла <%s>:"),
    T(kSaveAsPrompt, "Enter file name:", "Имя файла:"),
    T(kSaveAsVersion, "Saving as DXF %s; type a version (%s) instead of a name to choose another.",
      "Сохранение в DXF %s; чтобы выбрать другую версию, вместо имени введите её (%s)."),
    T(kSaved, "Saved \"%s\".", "Сохранён \"%s\"."),
    T(kCannotSave, "Cannot save \"%s\": %s", "Невозможно сохранить \"%s\": %s"),
    T(kReplacePrompt, "\"%s\" already exists. Replace it? [%s] <No>:",
      "\"%s\" уже существует. Заменить? [%s] <Нет>:"),
    T(kSaveChangesPrompt, "Save changes to \"%s\"? [%s] <Yes>:", "Сохранить изменения в \"%s\"? [%s] <Да>:"),
    T(kClosed, "Closed \"%s\".", "Закрыт \"%s\"."),
    T(kCannotClose, "Cannot close \"%s\": %s", "Невозможно закрыть \"%s\": %s"),
    T(kQuitUnsavedPrompt, "%d drawing(s) have unsaved changes. Quit without saving? [%s] <No>:",
      "Несохранённых чертежей: %d. Выйти без сохранения? [%s] <Нет>:"),
    T(kSetvarPrompt, "Enter variable name or [%s]:", "Имя переменной или [%s]:"),
    T(kNewValuePrompt, "Enter new value for %s <%s>:", "Новое значение %s <%s>:"),
    T(kReadOnlyValue, "%s = %s (read only)", "%s = %s (только чтение)"),
    T(kUnknownVariable, "Unknown variable name \"%s\".", "Неизвестная переменная \"%s\"."),
    T(kInvalidValue, "Invalid value for %s: %s.", "Недопустимое значение %s: %s."),
    T(kVariableList, "System variables:", "Системные переменные:"),
    T(kUndoCountPrompt, "Enter the number of operations to undo <1>:", "Число отменяемых операций <1>:"),
    T(kUndone, "Undone: %s", "Отменено: %s"),
    T(kNothingToUndo, "Nothing to undo.", "Нечего отменять."),
    T(kHelpPrompt, "Enter a command or help topic, or [%s] <list>:", "Команда или раздел справки, или [%s] <список>:"),
    T(kHelpTopics, "Help topics:", "Разделы справки:"),
    T(kHelpCommands, "Commands:", "Команды:"),
    T(kSwitchPrompt, "Enter number or name of drawing to make current <%d>:",
      "Номер или имя чертежа, который станет текущим <%d>:"),
    T(kCurrentDrawing, "Current drawing: \"%s\".", "Текущий чертёж: \"%s\"."),
    T(kDrawingList, "Open drawings:", "Открытые чертежи:"),
    T(kCommandNoHandler, "The command %s has no handler.", "У команды %s нет обработчика."),
    T(kCommandFailed, "The command %s failed: %s", "Команда %s не выполнена: %s"),
    T(kNestedCommand, "The command %s cannot run inside another command.",
      "Команду %s нельзя выполнить внутри другой команды."),
    T(kUnknownDrawing, "No open drawing \"%s\".", "Нет открытого чертежа \"%s\"."),
    T(kUndoFailed, "Undo failed: %s", "Отмена не выполнена: %s"),
    T(kModifiedMark, " (modified)", " (изменён)"),
    T(kBatchProgress, "[%d/%d] %s", "[%d/%d] %s"),
    T(kBatchSaved, "[%d/%d] %s: saved", "[%d/%d] %s: сохранён"),
    T(kBatchFailed, "[%d/%d] %s: failed, %s", "[%d/%d] %s: ошибка, %s"),
    T(kBatchCannotOpen, "cannot open: %s", "не удаётся открыть: %s"),
    T(kBatchScriptFailed, "the script failed: %s", "сценарий не выполнен: %s"),
    T(kBatchDrawingClosed, "the script closed the drawing", "сценарий закрыл чертёж"),
    T(kBatchCannotSave, "cannot save: %s", "не удаётся сохранить: %s"),
    T(kBatchRecoveryLeftOut,
      "recovery left out %d piece(s) of the file (records, tags or lines); the file stays as it is "
      "(--accept-losses saves such drawings)",
      "при восстановлении пропущено частей файла (записей, тегов или строк): %d; файл оставлен как есть "
      "(--accept-losses сохраняет такие чертежи)"),
    T(kBatchSummary, "Batch: %d drawing(s), %d saved, %d failed.",
      "Пакет: чертежей %d, сохранено %d, с ошибками %d."),
    T(kInvalidPoint, "Invalid point \"%s\": type x,y, @dx,dy or @distance<angle.",
      "Неверная точка \"%s\": введите x,y, @dx,dy или @расстояние<угол."),
    T(kNoLastPoint, "\"%s\" is relative, but no point was given yet.",
      "\"%s\" задана относительно, но точек ещё не вводили."),
    T(kValueOutOfRange, "the allowed values are %s", "допустимые значения: %s"),
    T(kNotFinite, "the number must be finite", "число должно быть конечным"),
    T(kTextWithControl, "a text cannot hold a line break or a NUL character",
      "текст не может содержать перевод строки или символ NUL"),
    T(kNotAnArrowhead, "\"%s\" is a layout or anonymous block and cannot be an arrowhead",
      "\"%s\" является блоком листа или анонимным блоком и не может быть стрелкой"),
    T(kReadOnlyReplacePrompt, "\"%s\" is read-only. Replace it? [%s] <No>:",
      "\"%s\" доступен только для чтения. Заменить? [%s] <Нет>:"),
    T(kNameIsFolder, "\"%s\" is a folder; a file name is needed.", "\"%s\" является папкой; нужно имя файла."),
    T(kNameWithoutBase, "\"%s\" has no file name.", "В \"%s\" нет имени файла."),
    T(kNotRegularFile, "\"%s\" is not a regular file.", "\"%s\" не является обычным файлом."),
    T(kBatchNotAllowed, "%s cannot be used in a batch script: the batch opens, saves and closes each drawing itself.",
      "%s нельзя использовать в пакетном сценарии: пакет сам открывает, сохраняет и закрывает каждый чертёж."),
    T(kBatchCommandFailed, "the command %s failed", "команда %s не выполнена"),
    T(kBatchCommandCancelled, "the command %s was cancelled at \"%s\"", "команда %s прервана на запросе \"%s\""),
    T(kBatchUnknownCommand, "unknown command \"%s\"", "неизвестная команда \"%s\""),
    T(kBatchAnswerRefused, "an answer to \"%s\" was refused", "ответ на запрос \"%s\" не принят"),
    T(kDimensionKeepsBlock, "Dimension %s keeps its previous picture: %s", "Размер %s сохраняет прежнее изображение: %s"),
    T(kReadNote, "Note: %s", "Примечание: %s"),
    T(kRecoverSummary, "%d repairs, %d records dropped", "исправлений: %d, отброшено записей: %d"),
    T(kReadRepaired, "The drawing was repaired while reading; saving writes the repaired form.",
      "Чертёж исправлен при чтении; сохранение запишет исправленный вид."),
    T(kRecoverHint, "RECOVER may open it: it reads what can be read of a damaged file.",
      "Его может открыть RECOVER: эта команда читает всё, что можно прочесть в повреждённом файле."),
    T(kRedone, "Redone: %s", "Возвращено: %s"),
    T(kNothingToRedo, "Nothing to redo.", "Нечего возвращать."),
    T(kRedoFailed, "Redo failed: %s", "Возврат не выполнен: %s"),
    T(kOrthoOn, "<Ortho on>", "<Орто вкл.>"),
    T(kOrthoOff, "<Ortho off>", "<Орто откл.>"),
    T(kGridOn, "<Grid on>", "<Сетка вкл.>"),
    T(kGridOff, "<Grid off>", "<Сетка откл.>"),
    T(kSnapOn, "<Snap on>", "<Шаг вкл.>"),
    T(kSnapOff, "<Snap off>", "<Шаг откл.>"),
    T(kLayerBoxTip, "Layers: a click on a row's bulb, sun or lock toggles it; choosing a row makes it current",
      "Слои: щелчок по лампе, солнцу или замку строки переключает его; выбор строки делает слой текущим"),
    T(kStyleBoxTip, "The current dimension style", "Текущий размерный стиль"),
    T(kImportStylesFrom, "Import dimension styles from", "Импорт размерных стилей из"),
    T(kModelName, "Model", "Модель"),
    T(kNoSuchLayout, "The drawing has no layout \"%s\"; it has: %s", "В чертеже нет листа \"%s\"; есть: %s"),
    T(kSnapNoObject, "Object snap \"%s\": %s is no object of the drawing.",
      "Объектная привязка \"%s\": %s не является объектом чертежа."),
    T(kSnapNoSuchPoint, "Object snap \"%s\": the object has no such point (END, START and MID take lines, arcs and polylines, CEN arcs and circles, INT two of them).",
      "Объектная привязка \"%s\": у объекта нет такой точки (КОН, НАЧ и СЕР - отрезки, дуги и полилинии, ЦЕН - дуги и окружности, ПЕР - два таких объекта)."),
};

#undef T

const QrModuleResources kHostResources = {"qrvhost", kHostStrings, sizeof kHostStrings / sizeof kHostStrings[0],
                                          nullptr, 0};

}  // namespace

void hostRegisterHostTexts() {
  Supp_InitResTranslation(&kHostResources);
  hostRegisterPaletteTexts();
}

OdString hostText(HostText id) {
  hostRegisterHostTexts();
  return Supp_LoadString(&kHostResources, static_cast<unsigned>(id));
}

// For the table checks in the tests.
const QrModuleResources& hostTextResources() { return kHostResources; }
