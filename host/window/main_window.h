#pragma once
// qrvhost's main window: the drawing view in the middle, the command line
// docked at the bottom, the Properties palette docked at the right, menus,
// a toolbar and a status bar. Menu entries type commands into the command
// line, so they run exactly as typed ones do.
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>
#include <string>
#include <vector>
#include <optional>

#include "current_scene.h"
#include "dim_grips.h"

class HostApDocument;
struct HostPointOptions;
class QAction;
class QDockWidget;
class QLabel;
class QMenu;

namespace qrvwindow {

class CommandLinePanel;
class DimStyleBox;
class LayerBox;
class DocumentTabs;
class LayoutTabs;
class DrawingView;
class PalettePanel;

class MainWindow : public QMainWindow {
public:
  // What a click in the view answers.
  enum class PromptKind { kCommand, kPoint, kOther };

  MainWindow();
  ~MainWindow() override;

  CommandLinePanel& commandLine() { return *m_commandLine; }
  DrawingView& view() { return *m_view; }

  // Brings the window up to date with the current drawing: the palette,
  // the title, the status bar, and the picture of what changed since the
  // last time. Dimension blocks that no longer match their values (also
  // after an undo, or a change of their style) are rebuilt first.
  void refresh();
  void togglePalette();
  // A point prompt waits (the options live until pointPromptEnded): the
  // view shows the rubber band and what the command would make of the
  // point under the cursor, and snaps the cursor when snaps are on.
  void pointPromptStarted(const HostPointOptions* options);
  void pointPromptEnded();
  // F3: object snaps on or off, said in the command line's history.
  void toggleSnaps();
  // Whether object snaps are on: the drawing's OSMODE, or without a
  // drawing the window's own state.
  bool snapsOn() const;
  // F7 grid, F8 ortho, F9 snap to the grid: the drawing's GRIDMODE,
  // ORTHOMODE and SNAPMODE turned over, said in the command line's history.
  void toggleMode(const char* id);
  // Drops everything that refers to a drawing (the session is ending) and
  // keeps the window's layout for the next session.
  void release();
  void saveLayout() const;

  std::function<PromptKind()> promptKind;
  // Lines to type at the command line (a command still asking is
  // cancelled first).
  std::function<void(const QStringList& lines)> typeLines;
  std::function<void(const QString& answer)> answer;
  std::function<void()> cancel;
  // Closing the window: the session either asks about changed drawings
  // itself (a script) or lets the window ask (askAndQuit).
  std::function<void()> closeRequested;
  // Asks about each changed drawing (Yes, No, Cancel), closes them as
  // answered and quits; nothing happens when the user cancels.
  void askAndQuit();

protected:
  void closeEvent(QCloseEvent* event) override;
  // Drawings (.dxf, .dwg) dropped on the window are opened, each as OPEN.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  // main_window_actions.cpp: one action per command of the window's
  // table, the menus and the toolbars.
  void buildActions();
  QAction* action(const char* id) const;
  void importStyles();
  // The toggles, the grid and the drafting modes of the view as the
  // current drawing has them.
  void syncModes();
  void selectAll();
  // refresh() in its steps: dimension blocks brought up to date, the
  // scene and the selection in it, the recent drawings; then the panels
  // that follow the drawing.
  void repairDimensionBlocks(HostApDocument* doc);
  void updateScene(HostApDocument* doc);
  void rememberRecent(HostApDocument* doc);
  // Adds the entities of the scene with these ids to the selection.
  void selectInScene(const std::vector<OdDbObjectId>& ids);
  void clicked(QPointF at, double tolerance);
  void boxed(const QRectF& box, bool crossing);
  void select(std::vector<std::uint32_t> entities, bool add);
  void clearSelection();
  bool sameIds(const OdDbObjectIdArray& ids) const;
  void selectionChanged();
  void showSelection(const OdDbObjectIdArray& ids);
  void answerHandles(const std::vector<std::uint32_t>& entities);
  void showCursor(QPointF at);
  // dimension_grips.cpp: the grips of the selected dimensions at the
  // command prompt, and a drag of one typed as -DIMGRIP (one undo step).
  void showGrips();
  void gripDragged(std::size_t grip, QPointF to);
  void showPreview(QPointF at);
  void updateSnapper();
  render::Rgb background() const;
  render::Rgb foreground() const;
  void updateTitle();
  void setDark(bool dark);
  void openFile();
  void fillRecentMenu();
  void saveAs();
  QString askSaveName(HostApDocument* doc);
  void exportPicture();

  DrawingView* m_view;
  DocumentTabs* m_tabs;
  LayoutTabs* m_layoutTabs;
  CommandLinePanel* m_commandLine;
  PalettePanel* m_palette;
  QDockWidget* m_commandDock;
  QDockWidget* m_paletteDock;
  QLabel* m_cursorLabel;
  QLabel* m_selectionLabel;
  QLabel* m_styleLabel;
  DimStyleBox* m_styleBox = nullptr;
  LayerBox* m_layerBox = nullptr;
  bool m_dark = true;
  bool m_snapsOn = true;  // object snaps while no drawing is open
  QAction* m_snapAction = nullptr;
  std::map<std::string, QAction*> m_actions;
  // Told whenever the current drawing (or which drawing is current) changed.
  std::vector<std::function<void(HostApDocument*)>> m_documentFollowers;
  QMenu* m_recentMenu = nullptr;
  QString m_lastRecent;  // the drawing last put first in the recent list
  const HostPointOptions* m_pointOptions = nullptr;
  bool m_pointPrompt = false;
  ViewScene m_preview;  // what the command would make of the point under the cursor

  CurrentScene m_current;
  OdString m_sceneLayout;  // the tab the scene shows (empty: model space)
  const ViewScene& m_scene = m_current.scene();
  HostApDocument* m_sceneDoc = nullptr;
  // The drawing and its modification stamp when dimension blocks were last
  // brought up to date.
  const OdDbDatabase* m_checkedDb = nullptr;
  std::uint64_t m_checkedStamp = 0;
  std::vector<std::uint32_t> m_selection;  // entities of m_scene
  OdDbObjectIdArray m_shownIds;            // the pick-first selection the palette shows
  std::vector<std::pair<OdDbObjectId, render::DimGrip>> m_grips;  // as the view shows them
};

}  // namespace qrvwindow
