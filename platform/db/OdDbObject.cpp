#include "OdDbObject.h"

#include "OdDbDatabase.h"
#include "OdDbDictionary.h"
#include "OdDbStub.h"
#include "OdStringUtil.h"

#include <algorithm>

struct OdDbObject::Extras {
  OdDbObjectId extensionDictionary;
  // One chain per application, each without its leading 1001 group, in
  // the order the applications were first given data.
  std::vector<std::pair<OdString, OdResBufPtr>> xdata;
  std::shared_ptr<const void> fileData;
};

namespace {
OdResBufPtr copyChain(const OdResBuf* rb) {
  OdResBufPtr head, tail;
  for (; rb; rb = rb->next().get()) {
    OdResBufPtr c = OdResBuf::newRb(rb->restype());
    *c = *rb;        // value and type
    c->setNext(OdResBufPtr());
    if (!head)
      head = tail = c;
    else
      tail = tail->setNext(c);
  }
  return head;
}
}  // namespace

const OdRxClass* OdDbObject::desc() {
  static const OdRxClass cls("OdDbObject", OdRxObject::desc());
  return &cls;
}
const OdRxClass* OdDbObject::isA() const { return desc(); }

OdDbObject::OdDbObject() = default;

OdDbObject::OdDbObject(const OdDbObject& other)
    : OdRxObject(other), m_owner(other.m_owner), m_flags(other.m_flags & kPersistentFlags) {
  if (other.m_extras) m_extras = std::make_unique<Extras>(*other.m_extras);
}

OdDbObject& OdDbObject::operator=(const OdDbObject& other) {
  if (this == &other) return *this;
  m_owner = other.m_owner;
  m_flags = (m_flags & ~kPersistentFlags) | (other.m_flags & kPersistentFlags);
  m_extras = other.m_extras ? std::make_unique<Extras>(*other.m_extras) : nullptr;
  return *this;
}

OdDbObject::~OdDbObject() = default;

void OdDbObject::release() const {
  if (--m_refs > 0) return;
  if (m_stub) {
    m_refs = 0;
    const_cast<OdDbObject*>(this)->m_flags &= ~kWriteEnabled;  // closed
  } else {
    delete this;
  }
}

void OdDbObject::setOwnerId(OdDbObjectId owner) {
  assertWriteEnabled();
  m_owner = owner;
}

OdDbDatabase* OdDbObject::database() const { return m_stub ? m_stub->database : nullptr; }
OdDbHandle OdDbObject::getDbHandle() const { return m_stub ? OdDbHandle(m_stub->handle) : OdDbHandle(); }

bool OdDbObject::isWriteEnabled() const { return !m_stub || (m_flags & kWriteEnabled); }

void OdDbObject::upgradeOpen() {
  if (isErased()) throw OdError(eWasErased, "cannot open an erased object for write");
  m_flags |= kWriteEnabled;
}

void OdDbObject::downgradeOpen() {
  if (m_stub) m_flags &= ~kWriteEnabled;
}

void OdDbObject::noteWrite() {
  if (!m_stub) return;
  if (!(m_flags & kWriteEnabled))
    throw OdError(eNotOpenForWrite, OdString(isA()->name()) + " " + getDbHandle().ascii());
  m_stub->database->noteModified(this);
  m_flags |= kModified;
}

void OdDbObject::erase(bool erasing) {
  if (erasing == isErased()) return;
  if (!m_stub) throw OdError(eNotInDatabase, "only resident objects can be erased");
  assertWriteEnabled();
  if (erasing) {
    m_stub->database->unregisterHardRefs(this);
    m_flags |= kErased;
  } else {
    m_flags &= ~kErased;
    m_stub->database->registerHardRefs(this);
  }
  m_stub->database->noteNamesChanged();
}

OdDbObject::Extras& OdDbObject::extras() {
  if (!m_extras) m_extras = std::make_unique<Extras>();
  return *m_extras;
}

OdResBufPtr OdDbObject::xData(const OdString& appName) const {
  if (!m_extras) return OdResBufPtr();
  OdResBufPtr head, tail;
  for (const auto& [app, chain] : m_extras->xdata) {
    if (!appName.empty() && !qrv::equalNoCase(app, appName)) continue;
    OdResBufPtr name = OdResBuf::newRb(1001, app);
    if (!head)
      head = tail = name;
    else
      tail = tail->setNext(name);
    if (chain) {
      tail->setNext(copyChain(chain.get()));
      tail = tail->last();
    }
  }
  return head;
}

void OdDbObject::setXData(const OdResBuf* rb) {
  if (!rb) return;
  assertWriteEnabled();
  // A chain may carry several applications, each introduced by 1001.
  while (rb) {
    if (rb->restype() != 1001)
      throw OdError(eInvalidInput, "extended data must start with an application name (1001)");
    const OdString app = rb->getString();
    if (OdDbDatabase* db = database(); db && !db->isRegAppRegistered(app))
      throw OdError(eKeyNotFound, "application not registered: " + app);
    const OdResBuf* first = rb->next().get();
    const OdResBuf* end = first;
    while (end && end->restype() != 1001) end = end->next().get();
    OdResBufPtr chain;
    {
      OdResBufPtr tail;
      for (const OdResBuf* p = first; p != end; p = p->next().get()) {
        if (p->restype() < 1000 || p->restype() > 1071)
          throw OdError(eInvalidInput, "extended data group code out of range: " + std::to_string(p->restype()));
        OdResBufPtr c = OdResBuf::newRb(p->restype());
        *c = *p;
        c->setNext(OdResBufPtr());
        if (!chain)
          chain = tail = c;
        else
          tail = tail->setNext(c);
      }
    }
    auto& list = extras().xdata;
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const auto& e) { return qrv::equalNoCase(e.first, app); });
    if (!chain) {
      if (it != list.end()) list.erase(it);
    } else if (it != list.end()) {
      it->second = chain;
    } else {
      list.emplace_back(app, chain);
    }
    rb = end;
  }
}

std::vector<OdString> OdDbObject::xDataApplications() const {
  std::vector<OdString> apps;
  if (m_extras)
    for (const auto& e : m_extras->xdata) apps.push_back(e.first);
  return apps;
}

OdDbObjectId OdDbObject::extensionDictionary() const {
  return m_extras ? m_extras->extensionDictionary : OdDbObjectId();
}

void OdDbObject::setExtensionDictionaryAsStored(OdDbObjectId dictionary) {
  if (dictionary.isNull() && !m_extras) return;
  extras().extensionDictionary = dictionary;
}

OdDbObjectId OdDbObject::createExtensionDictionary() {
  OdDbObjectId existing = extensionDictionary();
  if (existing.isValid()) return existing;
  if (!m_stub) throw OdError(eNotInDatabase, "an extension dictionary needs a resident object");
  assertWriteEnabled();
  OdDbDictionaryPtr dict = OdDbDictionary::createObject();
  OdDbObjectId id = database()->addOdDbObject(dict, objectId());
  extras().extensionDictionary = id;
  return id;
}

OdSmartPtr<OdDbObject> OdDbObject::clone() const {
  OdDbObject* copy = cloneRaw();
  copy->m_owner = OdDbObjectId();
  if (copy->m_extras) copy->m_extras->extensionDictionary = OdDbObjectId();
  return OdSmartPtr<OdDbObject>(copy);
}

void OdDbObject::forEachHardRef(OdDbRefVisitor&) const {}

void OdDbObject::setFileData(std::shared_ptr<const void> data) {
  if (!data && !m_extras) return;
  extras().fileData = std::move(data);
}

const std::shared_ptr<const void>& OdDbObject::fileData() const {
  static const std::shared_ptr<const void> kNone;
  return m_extras ? m_extras->fileData : kNone;
}

void OdDbObject::setHardRef(OdDbObjectId& field, OdDbObjectId value) {
  if (field == value) return;
  assertWriteEnabled();
  if (isLive()) {
    m_stub->database->removeHardRef(field);
    m_stub->database->addHardRef(value);
  }
  field = value;
}

void OdDbObject::retargetHardRefs(const OdDbObjectIdArray& removed, const OdDbObjectIdArray& added) {
  if (!isLive()) return;
  for (const OdDbObjectId& id : removed) m_stub->database->removeHardRef(id);
  for (const OdDbObjectId& id : added) m_stub->database->addHardRef(id);
}
