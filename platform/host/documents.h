#pragma once
// Documents: the open drawings, the active one, the reactors told when
// documents come and go, document locking and in-place reference editing.
#include <memory>
#include <string>
#include <vector>

#include "OdDbObjectId.h"
#include "OdString.h"
#include "host_result.h"
#include "host_window.h"

class HostApDocManager;
class HostApDocument;
class HostEdInput;
class HostEdSSManager;
class HostPropertyManager;
class OdDbDatabase;
class OdDbLongTransaction;

// Lock modes.
constexpr int kHostLockNone = 0;
constexpr int kHostLockWrite = 1;  // the locker may change the drawing
constexpr int kHostLockRead = 2;   // the locker only reads

class HostApDocument {
public:
  ~HostApDocument();
  HostApDocument(const HostApDocument&) = delete;
  HostApDocument& operator=(const HostApDocument&) = delete;

  OdDbDatabase* database() const { return m_db.get(); }
  HostEdInput* editorInput() const { return m_input; }
  HostEdSSManager* selectionManager() const { return m_selection.get(); }
  // The document's property manager; false (and *manager null) when the
  // document has none.
  bool getPropManager(HostPropertyManager** manager) const;

  // Where the drawing is stored; empty for a new drawing never saved.
  const std::string& fileName() const { return m_fileName; }
  // "Drawing1.dxf" for a new drawing, else the file's name.
  const std::string& title() const { return m_title; }
  // Changed since it was opened or last saved.
  bool isModified() const;
  // The host after saving (or opening) the drawing as `fileName`.
  void markSaved(const std::string& fileName);
  // Counts as changed until the next save (a drawing whose values reading
  // had to replace differs from its file).
  void markChanged();
  // Counts as unchanged again: after work that only brings derived data up
  // to date (dimension blocks built from their own values) on a drawing
  // that had no unsaved changes.
  void markUnchanged();
  // The form saves write: binary DXF, or text (the form the file had).
  bool savesBinary() const { return m_savesBinary; }
  void setSavesBinary(bool binary) { m_savesBinary = binary; }
  // The DXF version saves write ("R12", "R2000" ... "R2018"), as SAVEAS
  // chose it; empty: the version the drawing was read in.
  const std::string& saveVersion() const { return m_saveVersion; }
  void setSaveVersion(std::string version) { m_saveVersion = std::move(version); }
  // The stamp of the drawing's file (hostFileStamp) when it was read or last
  // saved; empty when unknown. A save compares it with the file's present
  // one, so that what another program wrote there since is not lost unasked.
  const std::string& fileStamp() const { return m_fileStamp; }
  void setFileStamp(std::string stamp) { m_fileStamp = std::move(stamp); }
  // The file a drawing was converted from (a DWG), which saves never
  // replace: such a drawing has no file of its own until saved as DXF.
  // Empty for a drawing read from DXF or made new.
  const std::string& convertedFrom() const { return m_convertedFrom; }
  void setConvertedFrom(std::string path) { m_convertedFrom = std::move(path); }

  // The pick-first selection: what SELECT (or a pick in a view) left
  // selected for the next command and the Properties palette.
  const OdDbObjectIdArray& pickFirstSelection() const { return m_pickFirst; }
  void setPickFirstSelection(OdDbObjectIdArray ids) { m_pickFirst = std::move(ids); }

  int lockMode() const { return m_lockMode; }
  int lockDepth() const { return m_lockDepth; }
  const OdString& lockGlobalCommand() const { return m_lockGlobal; }
  const OdString& lockLocalCommand() const { return m_lockLocal; }
  int paletteChangeDepth() const { return m_paletteDepth; }

private:
  friend class HostApDocManager;
  HostApDocument(std::unique_ptr<OdDbDatabase> db, HostEdInput& input, std::string fileName,
                 std::string title, bool withPropertyManager);

  std::unique_ptr<OdDbDatabase> m_db;
  HostEdInput* m_input;
  std::unique_ptr<HostEdSSManager> m_selection;
  std::unique_ptr<HostPropertyManager> m_properties;
  std::string m_fileName, m_title;
  std::uint64_t m_savedStamp = 0;
  bool m_savesBinary = false;
  std::string m_saveVersion;
  std::string m_fileStamp;
  std::string m_convertedFrom;
  int m_lockMode = kHostLockNone;
  int m_lockDepth = 0;
  OdString m_lockGlobal, m_lockLocal;
  int m_paletteDepth = 0;
  std::vector<int> m_lockDepthAtPaletteBegin;
  OdDbObjectIdArray m_pickFirst;
  bool m_closing = false;
};

// Notifications about documents. Each does nothing unless overridden. A
// reactor that is destroyed while still attached detaches itself.
class HostApDocManagerReactor {
public:
  virtual ~HostApDocManagerReactor();                          // slot 1
  virtual void documentCreated(HostApDocument* doc);           // slot 2: a document was opened or created
  virtual void documentToBeDestroyed(HostApDocument* doc);     // slot 3: a document is about to close
  virtual void documentActivated(HostApDocument* doc);         // it became the active document
  virtual void documentLockModeChanged(HostApDocument* doc, int mode, const OdString& globalCommand);
  virtual void paletteChangeWillStart(HostApDocument* doc);   // the palette starts changing the drawing
  virtual void paletteChangeEnded(HostApDocument* doc);

private:
  friend class HostApDocManager;
  HostApDocManager* m_manager = nullptr;
};

class HostApDocManager {
public:
  explicit HostApDocManager(HostEdInput& input);
  // Closes the documents still open (reactors are told).
  ~HostApDocManager();
  HostApDocManager(const HostApDocManager&) = delete;
  HostApDocManager& operator=(const HostApDocManager&) = delete;

  // The active document; null when none is open.
  HostApDocument* curDocument() const { return m_active; }
  const std::vector<HostApDocument*>& documents() const { return m_order; }
  // The document whose database this is; null for a database of no
  // document (such as a private preview drawing).
  HostApDocument* documentFor(const OdDbDatabase* db) const;

  // Adds a drawing as a document and makes it active. Reactors are told
  // documentCreated, then documentActivated. A document without a property
  // manager stands for drawings the palette must not touch.
  HostApDocument* addDocument(std::unique_ptr<OdDbDatabase> db, const std::string& fileName,
                              const std::string& title, bool withPropertyManager = true);
  // Tells the reactors documentToBeDestroyed, then closes the document; the
  // next open one becomes active. A locked document cannot be closed now
  // (HostError).
  void closeDocument(HostApDocument* doc);
  void activateDocument(HostApDocument* doc);
  // A title for a new drawing: "Drawing1.dxf", "Drawing2.dxf", ...
  std::string nextNewTitle();

  // Attach and detach; attaching twice changes nothing.
  void addReactor(HostApDocManagerReactor* reactor);
  void removeReactor(HostApDocManagerReactor* reactor);
  bool hasReactor(const HostApDocManagerReactor* reactor) const;
  std::size_t reactorCount() const { return m_reactors.size(); }

  // Locks nest: each lock needs its unlock. E_INVALIDARG for an unknown
  // document or mode, E_FAIL for a document that is closing.
  HRESULT lockDocument(HostApDocument* doc, int mode, const OdString& globalCommand,
                       const OdString& localCommand);
  // E_FAIL when the document is not locked.
  HRESULT unlockDocument(HostApDocument* doc);

  // A change from the Properties palette. Locks taken after begin and still
  // held at end are released by end.
  void beginPaletteChange(HostApDocument* doc);
  void endPaletteChange(HostApDocument* doc);

  // In-place reference editing of a document: while active,
  // hostGetRefEditModeLT gives its long transaction.
  void beginRefEdit(HostApDocument* doc, const OdDbObjectIdArray& workSet);
  void endRefEdit();
  OdDbLongTransaction* refEditTransaction() const { return m_refEdit.get(); }

  HostWindowHandle mainWindow() const { return nullptr; }
  HostEdInput& editorInput() { return m_input; }

  // Changes whenever a document is added, closed or activated.
  std::uint64_t documentsVersion() const { return m_version; }
  // Sum of the modification stamps of closed drawings (object manager).
  std::uint64_t closedStamps() const { return m_closedStamps; }

private:
  friend class HostApDocManagerReactor;
  bool isOpen(const HostApDocument* doc) const;
  template <class F>
  void notify(const char* what, F&& call);

  HostEdInput& m_input;
  std::vector<std::unique_ptr<HostApDocument>> m_docs;
  std::vector<HostApDocument*> m_order;
  HostApDocument* m_active = nullptr;
  std::vector<HostApDocManagerReactor*> m_reactors;
  std::unique_ptr<OdDbLongTransaction> m_refEdit;
  HostApDocument* m_refEditDoc = nullptr;
  int m_newCounter = 0;
  std::uint64_t m_version = 0;
  std::uint64_t m_closedStamps = 0;
};
