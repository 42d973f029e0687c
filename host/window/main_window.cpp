#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "command_line_panel.h"
#include "dimension_refresh.h"
#include "document_tabs.h"
#include "layout_tabs.h"
#include "documents.h"
#include "drawing_view.h"
#include "entity_preview.h"
#include "host_entry.h"
#include "host_text.h"
#include "palette_panel.h"
#include "point_input.h"
#include "recent_drawings.h"
#include "layer_box.h"
#include "style_box.h"
#include "typed_snap.h"
#include "units/host_units.h"
#include "view_snaps.h"
#include "window_texts.h"

namespace qrvwindow {

namespace {

constexpr int kWidth = 1280, kHeight = 800;
// Where the window keeps its place and the layout of its docks and
// toolbars; a layout saved by a window with other docks or toolbars (an
// older version) is not restored.
const char* const kGeometryKey = "window/geometry";
const char* const kLayoutKey = "window/layout";
constexpr int kLayoutVersion = 2;
// OSMODE: the bit that turns every object snap off, and the snaps the view
// finds (ends, middles, centres, crossings) for a drawing that names none.
constexpr OdInt16 kSnapsOff = 16384;
constexpr OdInt16 kOurSnaps = 1 | 2 | 4 | 32;
const QColor kDarkBackground(33, 40, 48);
const QColor kLightBackground(255, 255, 255);

HostApDocument* currentDocument() {
  HostApDocManager* docs = hostDocManager();
  return docs ? docs->curDocument() : nullptr;
}

QString currentStyleName(OdDbDatabase* db) {
  auto style = OdDbDimStyleTableRecord::cast(db->getDimstyle().openObject());
  return style ? qs(style->getName()) : QString();
}

render::Rgb rgbOf(const QColor& c) { return {std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())}; }

}  // namespace

MainWindow::MainWindow()
    : m_view(new DrawingView),
      m_tabs(new DocumentTabs),
      m_layoutTabs(new LayoutTabs),
      m_commandLine(new CommandLinePanel),
      m_palette(new PalettePanel),
      m_commandDock(new QDockWidget(say("Command line", "Командная строка"), this)),
      m_paletteDock(new QDockWidget(say("Properties", "Свойства"), this)),
      m_cursorLabel(new QLabel(this)),
      m_selectionLabel(new QLabel(this)),
      m_styleLabel(new QLabel(this)) {
  setObjectName("mainWindow");
  setAcceptDrops(true);
  auto* middle = new QWidget(this);
  auto* column = new QVBoxLayout(middle);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(m_tabs);
  column->addWidget(m_view, 1);
  column->addWidget(m_layoutTabs);
  setCentralWidget(middle);
  m_layoutTabs->typeLines = [this](const QStringList& lines) {
    if (typeLines) typeLines(lines);
  };
  m_tabs->typeLines = [this](const QStringList& lines) {
    if (typeLines) typeLines(lines);
  };
  m_tabs->askFileName = [this](HostApDocument* doc) { return askSaveName(doc); };
  m_commandDock->setObjectName("commandLineDock");
  m_commandDock->setWidget(m_commandLine);
  addDockWidget(Qt::BottomDockWidgetArea, m_commandDock);
  m_paletteDock->setObjectName("paletteDock");
  m_paletteDock->setWidget(m_palette);
  addDockWidget(Qt::RightDockWidgetArea, m_paletteDock);
  resizeDocks({m_commandDock}, {160}, Qt::Vertical);
  // Russian labels and values are longer: the palette starts wider.
  resizeDocks({m_paletteDock}, {hostLanguage() == HostLanguage::kRussian ? 490 : 340}, Qt::Horizontal);

  statusBar()->addWidget(m_cursorLabel, 1);
  statusBar()->addPermanentWidget(m_selectionLabel);
  statusBar()->addPermanentWidget(m_styleLabel);

  m_dark = QSettings().value("view/darkBackground", true).toBool();
  m_view->setBackground(m_dark ? kDarkBackground : kLightBackground);
  buildActions();
  m_documentFollowers = {
      [this](HostApDocument* doc) { m_styleBox->fill(doc ? doc->database() : nullptr); },
      [this](HostApDocument* doc) { m_layerBox->fill(doc ? doc->database() : nullptr); },
      [this](HostApDocument*) { syncModes(); },
      [this](HostApDocument*) { m_tabs->sync(hostDocManager()); },
      [this](HostApDocument* doc) { m_layoutTabs->sync(doc ? doc->database() : nullptr); },
      [this](HostApDocument*) { updateTitle(); },
      [this](HostApDocument*) { showGrips(); },
  };

  m_view->onCursor = [this](QPointF at) { showCursor(at); };
  m_view->onClick = [this](QPointF at, double tolerance) { clicked(at, tolerance); };
  m_view->onBox = [this](const QRectF& box, bool crossing) { boxed(box, crossing); };
  m_view->onGripDragged = [this](std::size_t grip, QPointF to) { gripDragged(grip, to); };
  m_view->onEscape = [this] {
    if (promptKind && promptKind() != PromptKind::kCommand) {
      if (cancel) cancel();
      return;
    }
    clearSelection();
  };
  m_view->onTyped = [this](const QString& text) { m_commandLine->typeText(text); };
  m_palette->onChanged = [this] { refresh(); };

  // The screen's size when it is smaller than the usual window.
  QSize size(kWidth, kHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableSize());
  resize(size);
  // The window and its docks and toolbars as the user last left them.
  QSettings settings;
  restoreGeometry(settings.value(kGeometryKey).toByteArray());
  restoreState(settings.value(kLayoutKey).toByteArray(), kLayoutVersion);
  updateTitle();
}

void MainWindow::saveLayout() const {
  QSettings settings;
  settings.setValue(kGeometryKey, saveGeometry());
  settings.setValue(kLayoutKey, saveState(kLayoutVersion));
}

MainWindow::~MainWindow() = default;

void MainWindow::selectAll() {
  std::vector<std::uint32_t> all(m_scene.entities().size());
  for (std::uint32_t i = 0; i < all.size(); ++i) all[i] = i;
  select(std::move(all), false);
}

void MainWindow::setDark(bool dark) {
  m_dark = dark;
  QSettings().setValue("view/darkBackground", dark);
  m_view->setBackground(dark ? kDarkBackground : kLightBackground);
  refresh();  // colour 7 follows the background: drawn anew
}

void MainWindow::refresh() {
  HostApDocument* doc = currentDocument();
  repairDimensionBlocks(doc);
  updateScene(doc);
  rememberRecent(doc);
  // Every panel that shows the drawing follows it.
  for (const auto& follow : m_documentFollowers) follow(doc);
}

void MainWindow::repairDimensionBlocks(HostApDocument* doc) {
  OdDbDatabase* db = doc ? doc->database() : nullptr;
  if (!db || doc->lockDepth()) return;
  const bool wasModified = doc->isModified();
  // A drawing not seen before has had no change since.
  const std::uint64_t since = db == m_checkedDb ? m_checkedStamp : db->modificationStamp();
  const std::vector<std::string> failures = refreshDimensionBlocks(db, since);
  m_checkedDb = db;
  m_checkedStamp = db->modificationStamp();
  if (!wasModified) doc->markUnchanged();
  if (!failures.empty())
    statusBar()->showMessage(say("Dimensions that keep their previous picture: %1",
                                 "Размеры, сохранившие прежний вид: %1")
                                 .arg(qs(failures.front()) + (failures.size() > 1 ? " ..." : "")));
}

void MainWindow::selectInScene(const std::vector<OdDbObjectId>& ids) {
  for (const OdDbObjectId& id : ids)
    if (const int i = m_scene.indexOf(id); i >= 0) m_selection.push_back(std::uint32_t(i));
}

void MainWindow::updateScene(HostApDocument* doc) {
  OdDbDatabase* db = doc ? doc->database() : nullptr;
  const bool sameDrawing = doc == m_sceneDoc && doc;
  // The selection survives a change by entity, not by place in the scene.
  std::vector<OdDbObjectId> kept;
  if (sameDrawing)
    for (std::uint32_t i : m_selection) kept.push_back(m_scene.entities()[i].id);
  if (doc != m_sceneDoc) m_current.forget();
  const CurrentScene::Result result = m_current.bringUpToDate(db, background(), foreground());
  if (result.outcome != CurrentScene::Outcome::kUnchanged) {
    m_sceneDoc = doc;
    m_selection.clear();
    selectInScene(kept);
    if (result.outcome == CurrentScene::Outcome::kUpdated) {
      m_view->sceneChanged(result.areas);
    } else {
      // Another tab is another picture: seen whole first.
      const OdString layout = db ? db->getCTAB() : OdString();
      m_view->setScene(&m_scene, sameDrawing && layout == m_sceneLayout);
      m_sceneLayout = layout;
      // A drawing opened with a selection (SELECT before the window knew it).
      if (!sameDrawing && doc) selectInScene({doc->pickFirstSelection().begin(), doc->pickFirstSelection().end()});
    }
    selectionChanged();
  } else if (doc && !sameIds(doc->pickFirstSelection())) {
    // SELECT at the command line chose anew; the palette shows all it
    // chose, also what the view does not draw.
    m_selection.clear();
    selectInScene({doc->pickFirstSelection().begin(), doc->pickFirstSelection().end()});
    showSelection(doc->pickFirstSelection());
  } else {
    m_palette->reread();
  }
}

void MainWindow::rememberRecent(HostApDocument* doc) {
  if (!doc || doc->fileName().empty() || qs(doc->fileName()) == m_lastRecent) return;
  m_lastRecent = qs(doc->fileName());
  noteRecentDrawing(m_lastRecent);
  fillRecentMenu();
}

bool MainWindow::sameIds(const OdDbObjectIdArray& ids) const {
  if (ids.size() != m_shownIds.size()) return false;
  for (std::size_t k = 0; k < ids.size(); ++k)
    if (m_shownIds[k] != ids[k]) return false;
  return true;
}

void MainWindow::release() {
  saveLayout();
  m_palette->release();
  m_current.forget();
  m_view->setScene(nullptr, false);
  m_sceneDoc = nullptr;
  m_checkedDb = nullptr;
  m_selection.clear();
}

void MainWindow::togglePalette() { m_paletteDock->setVisible(!m_paletteDock->isVisible()); }

render::Rgb MainWindow::background() const { return rgbOf(m_dark ? kDarkBackground : kLightBackground); }
render::Rgb MainWindow::foreground() const { return m_dark ? render::Rgb{255, 255, 255} : render::Rgb{0, 0, 0}; }

void MainWindow::pointPromptStarted(const HostPointOptions* options) {
  m_pointPrompt = true;
  m_pointOptions = options;
  if (options && options->base)
    m_view->setRubberBase(QPointF(options->base->x, options->base->y));
  else
    m_view->setRubberBase(std::nullopt);
  syncModes();
  updateSnapper();
}

void MainWindow::pointPromptEnded() {
  m_pointPrompt = false;
  m_pointOptions = nullptr;
  m_view->setRubberBase(std::nullopt);
  m_view->setPreview(nullptr);
  m_preview.clear();
  syncModes();
  updateSnapper();
}

bool MainWindow::snapsOn() const {
  const HostApDocument* doc = currentDocument();
  if (!doc) return m_snapsOn;
  const OdInt16 osmode = doc->database()->getOSMODE();
  return (osmode & kSnapsOff) == 0 && osmode != 0;
}

void MainWindow::toggleSnaps() {
  const bool on = !snapsOn();
  if (HostApDocument* doc = currentDocument()) {
    // The drawing keeps which snaps it uses; the toggle only says whether.
    OdInt16 osmode = doc->database()->getOSMODE();
    if (on && (osmode & ~kSnapsOff) == 0) osmode = kOurSnaps;
    doc->database()->setOSMODE(on ? OdInt16(osmode & ~kSnapsOff) : OdInt16(osmode | kSnapsOff));
  } else {
    m_snapsOn = on;
  }
  m_commandLine->addNote(on ? say("<Object snaps on>", "<Объектная привязка вкл.>")
                            : say("<Object snaps off>", "<Объектная привязка откл.>"));
  syncModes();
  updateSnapper();
}

void MainWindow::toggleMode(const char* id) {
  HostApDocument* doc = currentDocument();
  if (!doc) return syncModes();
  OdDbDatabase* db = doc->database();
  const std::string which = id;
  QString note;
  if (which == "orthomode") {
    db->setORTHOMODE(!db->getORTHOMODE());
    note = qs(hostText(db->getORTHOMODE() ? HostText::kOrthoOn : HostText::kOrthoOff));
  } else if (which == "gridmode") {
    db->setGRIDMODE(!db->getGRIDMODE());
    note = qs(hostText(db->getGRIDMODE() ? HostText::kGridOn : HostText::kGridOff));
  } else if (which == "snapmode") {
    db->setSNAPMODE(!db->getSNAPMODE());
    note = qs(hostText(db->getSNAPMODE() ? HostText::kSnapOn : HostText::kSnapOff));
  }
  m_commandLine->addNote(note);
  syncModes();
}

void MainWindow::syncModes() {
  const HostApDocument* doc = currentDocument();
  const OdDbDatabase* db = doc ? doc->database() : nullptr;
  action("osnap")->setChecked(snapsOn());
  action("orthomode")->setChecked(db && db->getORTHOMODE());
  action("gridmode")->setChecked(db && db->getGRIDMODE());
  action("snapmode")->setChecked(db && db->getSNAPMODE());
  for (const char* id : {"orthomode", "gridmode", "snapmode"}) action(id)->setEnabled(db != nullptr);
  if (db && db->getGRIDMODE())
    m_view->setGrid(QSizeF(db->getGRIDUNIT(0), db->getGRIDUNIT(1)));
  else
    m_view->setGrid(std::nullopt);
  if (m_pointPrompt && db) {
    HostDraftingModes modes;
    modes.ortho = db->getORTHOMODE() != 0;
    modes.snapToGrid = db->getSNAPMODE() != 0;
    modes.snapX = db->getSNAPUNIT(0);
    modes.snapY = db->getSNAPUNIT(1);
    m_view->setDrafting(modes);
  } else {
    m_view->setDrafting(std::nullopt);
  }
}

void MainWindow::updateSnapper() {
  // The kinds are read at each lookup: OSMODE may change while a point is
  // asked (F3, or a transparent change of the variable).
  if (m_pointPrompt && snapsOn())
    m_view->setSnapper([this](QPointF at, double aperture) -> std::optional<SceneSnap> {
      const HostApDocument* doc = currentDocument();
      const unsigned kinds = doc ? snap::kindsOfOsmode(std::uint16_t(doc->database()->getOSMODE())) : snap::kAllKinds;
      if (!kinds) return std::nullopt;
      return snapInScene(m_scene, at, aperture, kinds);
    });
  else
    m_view->setSnapper(nullptr);
}

void MainWindow::showPreview(QPointF at) {
  m_preview.clear();
  HostApDocument* doc = currentDocument();
  if (m_pointOptions && m_pointOptions->preview && doc) {
    render::RenderOptions options;
    options.background = background();
    options.foreground = foreground();
    try {
      const HostPreview shown = m_pointOptions->preview(OdGePoint3d(at.x(), at.y(), 0));
      // One picture of them all: the scene draws it as one entity.
      render::DisplayList picture;
      for (const OdDbEntityPtr& entity : shown.entities) {
        const render::DisplayList one = render::previewPicture(*entity, *doc->database(), options);
        for (const render::Primitive& p : one.items()) picture.add(p);
      }
      if (shown) m_preview.buildFrom(picture);
    } catch (const std::exception&) {
      // Where the command can make nothing of the point (the two points of
      // a dimension the same, the cursor at a centre), there is nothing to
      // show; the command itself says so if the point is picked.
      m_preview.clear();
    }
  }
  m_view->setPreview(m_preview.entities().empty() ? nullptr : &m_preview);
}

void MainWindow::clicked(QPointF at, double tolerance) {
  const PromptKind kind = promptKind ? promptKind() : PromptKind::kCommand;
  if (kind == PromptKind::kPoint) {
    // A click on an object snap answers the snap as a script types it, so
    // that the command knows the objects (a dimension follows them).
    std::optional<std::string> typed;
    const HostApDocument* doc = currentDocument();
    if (const auto& snap = m_view->shownSnap(); snap && doc) typed = typedSnapAnswer(*snap, *doc->database());
    if (answer) answer(qs(typed.value_or(hostPointAnswer(OdGePoint3d(at.x(), at.y(), 0)))));
    return;
  }
  int hit = m_scene.pick(at, tolerance);
  // A layout is shown as one picture of no entity: nothing to pick there.
  if (hit >= 0 && m_scene.entities()[std::size_t(hit)].id.isNull()) hit = -1;
  if (kind == PromptKind::kOther) {
    if (hit >= 0) answerHandles({std::uint32_t(hit)});
    return;
  }
  if (hit < 0) return;
  const bool remove = QApplication::keyboardModifiers() & Qt::ShiftModifier;
  if (remove) {
    std::erase(m_selection, std::uint32_t(hit));
    selectionChanged();
  } else {
    select({std::uint32_t(hit)}, true);
  }
}

void MainWindow::boxed(const QRectF& box, bool crossing) {
  std::vector<std::uint32_t> found = crossing ? m_scene.crossing(box) : m_scene.inside(box);
  std::erase_if(found, [&](std::uint32_t i) { return m_scene.entities()[i].id.isNull(); });
  const PromptKind kind = promptKind ? promptKind() : PromptKind::kCommand;
  if (kind == PromptKind::kOther) {
    if (!found.empty()) answerHandles(found);
    return;
  }
  if (kind == PromptKind::kCommand) select(std::move(found), true);
}

void MainWindow::answerHandles(const std::vector<std::uint32_t>& entities) {
  QString line;
  for (std::uint32_t i : entities) line += (line.isEmpty() ? "" : " ") + qs(m_scene.entities()[i].id.getHandle().ascii());
  if (answer) answer(line);
}

void MainWindow::select(std::vector<std::uint32_t> entities, bool add) {
  if (!add) m_selection.clear();
  for (std::uint32_t i : entities)
    if (!m_scene.entities()[i].id.isNull() && std::find(m_selection.begin(), m_selection.end(), i) == m_selection.end()) m_selection.push_back(i);
  selectionChanged();
}

void MainWindow::clearSelection() {
  m_selection.clear();
  selectionChanged();
}

void MainWindow::selectionChanged() {
  OdDbObjectIdArray ids;
  for (std::uint32_t i : m_selection) ids.push_back(m_scene.entities()[i].id);
  if (m_sceneDoc) m_sceneDoc->setPickFirstSelection(ids);
  showSelection(ids);
}

void MainWindow::showSelection(const OdDbObjectIdArray& ids) {
  m_shownIds = ids;
  m_view->setHighlighted(m_selection);
  m_palette->show(m_sceneDoc, ids);
  m_selectionLabel->setText(say("Selected: %1", "Выбрано: %1").arg(ids.size()));
  showGrips();
}

void MainWindow::showCursor(QPointF at) {
  if (m_pointPrompt) showPreview(at);
  HostApDocument* doc = currentDocument();
  if (!doc) return;
  m_cursorLabel->setText(qs(hostCoordinateText(at.x(), at.y())));
}

void MainWindow::updateTitle() {
  HostApDocument* doc = currentDocument();
  QString title = "qrvhost";
  if (doc) title = documentCaption(doc) + " - qrvhost";
  setWindowTitle(title);
  if (doc) m_styleLabel->setText(say("Style: %1", "Стиль: %1").arg(currentStyleName(doc->database())));
}

void MainWindow::fillRecentMenu() {
  m_recentMenu->clear();
  const QStringList recent = recentDrawings();
  if (recent.isEmpty()) m_recentMenu->addAction(say("(none)", "(нет)"))->setEnabled(false);
  for (qsizetype i = 0; i < recent.size(); ++i) {
    const QString path = recent[i];
    QAction* a = m_recentMenu->addAction(QString("&%1 %2").arg(i + 1).arg(path));
    // Typed as the command it is: a drawing gone since says so there.
    connect(a, &QAction::triggered, this, [this, path] {
      if (typeLines) typeLines({"OPEN", path});
    });
  }
}

void MainWindow::openFile() {
  const QString path = QFileDialog::getOpenFileName(this, say("Open drawing", "Открыть чертёж"), QString(),
                                                    say("Drawings (*.dxf *.dwg)", "Чертежи (*.dxf *.dwg)"));
  if (!path.isEmpty() && typeLines) typeLines({"OPEN", path});
}

QString MainWindow::askSaveName(HostApDocument* doc) {
  // A drawing opened from DWG is offered the DXF name beside its DWG.
  QString suggested = qs(doc->fileName());
  if (suggested.isEmpty() && !doc->convertedFrom().empty()) {
    const QFileInfo dwg(qs(doc->convertedFrom()));
    suggested = dwg.path() + "/" + dwg.completeBaseName() + ".dxf";
  }
  return QFileDialog::getSaveFileName(this, say("Save drawing as", "Сохранить чертёж как"), suggested,
                                      say("Drawings (*.dxf)", "Чертежи (*.dxf)"));
}

void MainWindow::saveAs() {
  HostApDocument* doc = currentDocument();
  if (!doc) return;
  const QString path = askSaveName(doc);
  if (path.isEmpty() || !typeLines) return;
  QStringList lines{"SAVEAS", path};
  // The file dialog has asked already whether to replace another file.
  if (QFileInfo::exists(path) && QFileInfo(path) != QFileInfo(qs(doc->fileName()))) lines << "Yes";
  typeLines(lines);
}

void MainWindow::exportPicture() {
  const QString path = QFileDialog::getSaveFileName(this, say("Export picture", "Экспорт рисунка"), QString(),
                                                    say("SVG picture (*.svg);;PNG picture (*.png);;PDF document (*.pdf)",
                                                        "Рисунок SVG (*.svg);;Рисунок PNG (*.png);;Документ PDF (*.pdf)"));
  if (!path.isEmpty() && typeLines) typeLines({"EXPORT", path});
}

namespace {

// The local drawing files of a drag: .dxf and .dwg, any letter case.
QStringList droppedDrawings(const QMimeData* data) {
  QStringList paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    const QString path = url.toLocalFile();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (!path.isEmpty() && (suffix == "dxf" || suffix == "dwg")) paths << path;
  }
  return paths;
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedDrawings(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QStringList paths = droppedDrawings(event->mimeData());
  if (paths.isEmpty() || !typeLines) return;
  event->acceptProposedAction();
  // Typed as OPEN at the command line, so each says how it went there.
  QStringList lines;
  for (const QString& path : paths) lines << "OPEN" << path;
  typeLines(lines);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The session ends through QUIT, once every changed drawing was asked about.
  event->ignore();
  if (closeRequested) closeRequested();
}

void MainWindow::askAndQuit() {
  const auto lines = m_tabs->quittingLines(hostDocManager());
  if (lines && typeLines) typeLines(*lines + QStringList{"QUIT"});
}

}  // namespace qrvwindow
