#include "dwg_texts.h"

#include "host_texts_local.h"

namespace qrvhost {

namespace {

constexpr TwoLanguageText kTexts[] = {
    {"DWG drawings are opened through the optional DWG converter, which is not installed; install it with "
     "scripts/setup-dwg-converter.sh (it needs Node.js and npm), or open a DXF copy of the drawing",
     "чертежи DWG открываются через дополнительный преобразователь DWG, который не установлен; установите его "
     "командой scripts/setup-dwg-converter.sh (нужны Node.js и npm) или откройте копию чертежа в формате DXF"},
    {"the DWG converter has no temporary folder: %s", "у преобразователя DWG нет временной папки: %s"},
    {"the DWG converter cannot be started (%s: %s)", "не удаётся запустить преобразователь DWG (%s: %s)"},
    {"the DWG converter took longer than %g s and was stopped; nothing was opened",
     "преобразователь DWG работал дольше %g с и был остановлен; ничего не открыто"},
    {"the DWG converter needed more than %d MB of memory and was stopped; nothing was opened",
     "преобразователю DWG потребовалось больше %d МБ памяти, он остановлен; ничего не открыто"},
    {"the DWG converter crashed (%s); nothing was opened", "преобразователь DWG аварийно завершился (%s); ничего не открыто"},
    {"the DWG converter cannot convert it: %s", "преобразователь DWG не может его преобразовать: %s"},
    {"the DWG converter wrote no DXF; nothing was opened", "преобразователь DWG не записал DXF; ничего не открыто"},
    {"Converted from DWG in %.2f s, %d MB.", "Преобразован из DWG за %.2f с, %d МБ."},
    {"Everything was converted.", "Преобразовано всё."},
    {"Not converted: %s.", "Не преобразовано: %s."},
    {"proxy objects", "proxy-объектов"},
    {"objects of unknown kind", "объектов неизвестного вида"},
    {"Mended in the converter's output: %s.", "Исправлено в выводе преобразователя: %s."},
    {"This drawing was opened from DWG; it is saved as DXF, and the DWG file stays as it is.",
     "Этот чертёж открыт из DWG; он сохраняется в формате DXF, а файл DWG не меняется."},
    {"Cannot save as \"%s\": drawings are saved as DXF only; give a .dxf name.",
     "Не удаётся сохранить как \"%s\": чертежи сохраняются только в формате DXF; укажите имя .dxf."},
    {"The converter's DXF could not be read as it is (%s); it was read through recovery, which lists what it "
     "mended.",
     "DXF преобразователя не читается как есть (%s); он прочитан через восстановление, которое перечисляет "
     "исправления."},
    {" and %d object(s) of %d other kinds", " и ещё объектов других видов (%d, видов: %d)"},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<int>(DwgText::kOtherKinds) + 1,
              "one text per DwgText");

}  // namespace

OdString dwgText(DwgText id) { return inSessionLanguage(kTexts[static_cast<int>(id)]); }

}  // namespace qrvhost
