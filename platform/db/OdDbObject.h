#pragma once
// Base of everything stored in a drawing database: identity, ownership, the
// open/close protocol, erasing, extended data and the extension dictionary.
#include <cstdint>
#include <memory>
#include <vector>

#include "OdDbLayoutView.h"
#include "OdDbObjectId.h"
#include "OdResBuf.h"
#include "OdRxObject.h"

class OdDbDatabase;

// Receives the hard references of an object (see forEachHardRef).
struct OdDbRefVisitor {
  virtual void visit(OdDbObjectId id) = 0;
  virtual ~OdDbRefVisitor() = default;
};

#define ODDB_DECLARE_ABSTRACT(Class)                                                   \
public:                                                                                \
  static const OdRxClass* desc();                                                      \
  const OdRxClass* isA() const override;                                               \
  static OdSmartPtr<Class> cast(const OdRxObject* p) {                                 \
    return OdSmartPtr<Class>(dynamic_cast<Class*>(const_cast<OdRxObject*>(p)));        \
  }                                                                                    \
  template <class P>                                                                   \
  static OdSmartPtr<Class> cast(const OdSmartPtr<P>& p) {                              \
    return cast(static_cast<const OdRxObject*>(p.get()));                              \
  }

#define ODDB_DECLARE_MEMBERS(Class)                                                    \
  ODDB_DECLARE_ABSTRACT(Class)                                                         \
  static OdSmartPtr<Class> createObject();                                             \
                                                                                       \
protected:                                                                             \
  OdDbObject* cloneRaw() const override;                                               \
  void assignFrom(const OdDbObject& other) override;                                   \
                                                                                       \
public:

#define ODDB_DEFINE_ABSTRACT(Class, Parent, DxfName)                                   \
  const OdRxClass* Class::desc() {                                                     \
    static const OdRxClass cls(#Class, Parent::desc(), DxfName);                       \
    return &cls;                                                                       \
  }                                                                                    \
  const OdRxClass* Class::isA() const { return desc(); }

#define ODDB_DEFINE_MEMBERS(Class, Parent, DxfName)                                    \
  ODDB_DEFINE_ABSTRACT(Class, Parent, DxfName)                                         \
  OdSmartPtr<Class> Class::createObject() { return OdSmartPtr<Class>(new Class()); }   \
  OdDbObject* Class::cloneRaw() const { return new Class(*this); }                     \
  void Class::assignFrom(const OdDbObject& other) {                                    \
    *this = static_cast<const Class&>(other);                                          \
  }

class OdDbObject : public OdRxObject {
public:
  static const OdRxClass* desc();
  const OdRxClass* isA() const override;
  static OdSmartPtr<OdDbObject> cast(const OdRxObject* p) {
    return OdSmartPtr<OdDbObject>(dynamic_cast<OdDbObject*>(const_cast<OdRxObject*>(p)));
  }

  OdDbObject();
  OdDbObject(const OdDbObject& other);
  OdDbObject& operator=(const OdDbObject& other);
  ~OdDbObject() override;

  // Closing: a resident object is closed when its last open pointer goes;
  // an object outside any database is deleted then.
  void release() const override;

  OdDbObjectId objectId() const { return OdDbObjectId(m_stub); }
  OdDbObjectId ownerId() const { return m_owner; }
  void setOwnerId(OdDbObjectId owner);
  OdDbDatabase* database() const;
  OdDbHandle getDbHandle() const;
  bool isDBRO() const { return m_stub != nullptr; }  // database resident

  // Open state.
  bool isWriteEnabled() const;
  bool isErased() const { return (m_flags & kErased) != 0; }
  void upgradeOpen();
  void downgradeOpen();
  // Throws eNotOpenForWrite unless the object may be changed now; records
  // the object for undo before its first change inside an undoable step.
  // Inline for the objects a file reader is filling, which take the short
  // way: every setter asks, and there is nothing to undo or note yet.
  void assertWriteEnabled() {
    if ((m_flags & (kWriteEnabled | kLoading)) != (kWriteEnabled | kLoading)) noteWrite();
  }
  // For file readers: opens a resident object for write while its drawing
  // is being loaded. Its changes are not noted one by one: the database's
  // closing pass (finishLoading) marks everything read unchanged and ends
  // this state.
  void openForLoading() {
    upgradeOpen();
    if (m_stub) m_flags |= kLoading;
  }
  void assertReadEnabled() const {}

  // Erasing keeps the object (undo and identifiers rely on it) but hides
  // it from iteration and look-up, and drops its references.
  void erase(bool erasing = true);

  // Extended data: the chain for one application (starting with its 1001
  // group), or for all applications when appName is empty; null when none.
  OdResBufPtr xData(const OdString& appName = OdString()) const;
  // Sets the data of the application named by the chain's first (1001)
  // group; a chain with only that group removes the application's data.
  // The application must be registered in the database.
  void setXData(const OdResBuf* xdata);
  std::vector<OdString> xDataApplications() const;

  OdDbObjectId extensionDictionary() const;
  // Creates the extension dictionary when there is none; gives its id.
  OdDbObjectId createExtensionDictionary();

  // A copy outside any database, with the same data and no owner.
  OdSmartPtr<OdDbObject> clone() const;

  // The objects this one cannot live without: purge keeps them.
  virtual void forEachHardRef(OdDbRefVisitor& visitor) const;

  // Opaque data a file reader attaches (the original bytes of the record),
  // and whether the object changed since it was read.
  void setFileData(std::shared_ptr<const void> data);
  const std::shared_ptr<const void>& fileData() const;
  bool isModifiedSinceLoad() const { return (m_flags & kModified) != 0; }
  void clearModifiedSinceLoad() { m_flags &= ~kModified; }
  // A lighter form of the same for readers of big files: the number of the
  // file record the object was read from (0: none). It fills padding, so it
  // costs no memory; copies (clones, undo snapshots) do not inherit it, as
  // they are not that record.
  std::uint32_t fileRecord() const { return m_fileRecord; }
  void setFileRecord(std::uint32_t record) { m_fileRecord = record; }

  // For file readers: the extension dictionary as stored (the dictionary is
  // read as an object of its own).
  void setExtensionDictionaryAsStored(OdDbObjectId dictionary);

  // Called by the database when the object becomes resident.
  virtual void subAddedToDatabase() {}

  // For a layout record: its sheet as drawing needs it; null for others.
  virtual OdDbLayoutSheetPtr layoutSheet() const { return {}; }

protected:
  virtual OdDbObject* cloneRaw() const = 0;
  virtual void assignFrom(const OdDbObject& other) = 0;

  // Changes an identifier field and keeps the reference index right.
  void setHardRef(OdDbObjectId& field, OdDbObjectId value);
  // For changes of several references at once: the index drops `removed`
  // and counts `added` (call after assertWriteEnabled).
  void retargetHardRefs(const OdDbObjectIdArray& removed, const OdDbObjectIdArray& added);

private:
  friend class OdDbDatabase;
  friend class OdDbObjectId;
  friend class OdDbUndoHistory;

  enum : OdUInt32 {
    kErased = 1,         // persistent
    kWriteEnabled = 2,   // while open for write
    kModified = 4,       // changed since loaded
    kLoading = 8,        // opened by a file reader; until its drawing is loaded
    kPersistentFlags = kErased,
  };

  bool isLive() const { return m_stub && !isErased(); }
  void noteWrite();

  struct Extras;
  Extras& extras();

  OdDbStub* m_stub = nullptr;
  OdDbObjectId m_owner;
  OdUInt32 m_flags = 0;
  std::uint32_t m_fileRecord = 0;
  std::unique_ptr<Extras> m_extras;
};
