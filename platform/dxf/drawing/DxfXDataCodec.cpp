#include "DxfXDataCodec.h"

#include "DxfDimVarCodec.h"
#include "OdDbDatabase.h"
#include "OdDbSymbolTable.h"
#include "OdDbSymbolTableRecord.h"
#include "OdDmUtil.h"

namespace {

OdResBufPtr appendRb(OdResBufPtr& head, OdResBufPtr& tail, OdResBufPtr rb) {
  if (!head)
    head = tail = rb;
  else
    tail = tail->setNext(rb);
  return rb;
}

bool isPointCode(int code) { return code >= 1010 && code <= 1013; }

// The table a variable that names a record names it in.
OdDbObjectId tableOf(const OdDbDatabase* db, int index) {
  const std::string_view key = OdDbDimVars::describe(index).key;
  if (key == "txsty") return db->getTextStyleTableId();
  if (key == "ltype" || key == "ltex1" || key == "ltex2") return db->getLinetypeTableId();
  return db->getBlockTableId();
}

// A record given by name (R12 files, whose tables have no handles).
OdDbObjectId recordNamed(const OdDbDatabase* db, int index, const OdString& name) {
  if (name.empty()) return OdDbObjectId();
  OdDbObjectPtr table = tableOf(db, index).openObject();
  auto symbols = OdDbSymbolTable::cast(table.get());
  OdDbObjectId id = symbols ? symbols->getAt(name) : OdDbObjectId();
  // A built-in arrowhead whose block the file leaves out is made, as
  // reading does for the names of a DIMSTYLE entry.
  if (id.isNull() && tableOf(db, index) == db->getBlockTableId() && OdDmUtil::isBuiltInArrow(name)) {
    try {
      id = OdDmUtil::getArrowId(name, const_cast<OdDbDatabase*>(db));
    } catch (const OdError&) {
    }
  }
  return id;
}

// A variable value from an extended data item.
OdDbDimVarValue valueOf(int index, const OdResBuf& rb, const OdDbDatabase* db) {
  switch (OdDbDimVars::describe(index).type) {
    case OdDbDimVarType::kDouble: return rb.getDouble();
    case OdDbDimVarType::kString: return rb.getString();
    case OdDbDimVarType::kBool: return rb.getInt64() != 0;
    case OdDbDimVarType::kColor: {
      if (rb.restype() == 1071) {
        const auto v = std::uint32_t(rb.getInt64());
        return OdCmColor::fromRGB(OdUInt8(v >> 16), OdUInt8(v >> 8), OdUInt8(v));
      }
      return OdCmColor::fromIndex(rb.getInt16());
    }
    case OdDbDimVarType::kObjectId:
      if (rb.restype() == 1000) return db ? recordNamed(db, index, rb.getString()) : OdDbObjectId();
      return db ? db->getOdDbObjectId(OdDbHandle(std::uint64_t(rb.getInt64()))) : OdDbObjectId();
    default: return int(rb.getInt64());
  }
}

void writeValue(DxfOut& out, int index, const OdDbDimVarValue& v, bool trueColour) {
  switch (OdDbDimVars::describe(index).type) {
    case OdDbDimVarType::kDouble: out.w.real(1040, std::get<double>(v)); break;
    case OdDbDimVarType::kString: out.str(1000, std::get<OdString>(v)); break;
    case OdDbDimVarType::kBool: out.w.integer(1070, std::get<bool>(v) ? 1 : 0); break;
    case OdDbDimVarType::kColor:
      if (trueColour)
        out.w.integer(1071, std::get<OdCmColor>(v).rgb24());
      else
        out.w.integer(1070, std::get<OdCmColor>(v).colorIndex());
      break;
    case OdDbDimVarType::kObjectId:
      // R12's table entries have no handles: there the record's name.
      if (out.version < DxfVersion::R13) {
        OdDbObjectPtr obj = std::get<OdDbObjectId>(v).openObject();
        auto rec = OdDbSymbolTableRecord::cast(obj.get());
        out.str(1000, rec ? std::string(rec->getName()) : std::string());
      } else {
        out.handle(1005, std::get<OdDbObjectId>(v));
      }
      break;
    default:
      out.w.integer(OdDbDimVars::describe(index).dxfCode >= 90 && OdDbDimVars::describe(index).dxfCode <= 99 ? 1071
                                                                                                              : 1070,
                    std::get<int>(v));
      break;
  }
}

bool isTrueColour(int index, const OdDbDimVarValue& v) {
  auto c = std::get_if<OdCmColor>(&v);
  return c && c->isByColor() && index >= 0;
}

}  // namespace

OdResBufPtr dxfReadXData(const DxfDocument& doc, std::span<const DxfTag> tags, std::size_t first) {
  OdResBufPtr head, tail;
  for (std::size_t i = first; i < tags.size(); ++i) {
    const DxfTag& t = tags[i];
    const int code = t.code;
    if (isPointCode(code)) {
      OdGePoint3d p;
      p.x = t.toDouble();
      if (i + 1 < tags.size() && tags[i + 1].code == code + 10) p.y = tags[++i].toDouble();
      if (i + 1 < tags.size() && tags[i + 1].code == code + 20) p.z = tags[++i].toDouble();
      appendRb(head, tail, OdResBuf::newRb(code, p));
      continue;
    }
    switch (OdResBuf::kindOf(code)) {
      case OdResBuf::kDouble: appendRb(head, tail, OdResBuf::newRb(code, t.toDouble())); break;
      case OdResBuf::kInt16:
      case OdResBuf::kInt32: appendRb(head, tail, OdResBuf::newRb(code, OdInt64(t.toInt()))); break;
      case OdResBuf::kHandle: appendRb(head, tail, OdResBuf::newRb(code, OdDbHandle(t.toHandle()))); break;
      case OdResBuf::kBinary: appendRb(head, tail, OdResBuf::newRb(code, OdString(t.trimmed()))); break;
      default: appendRb(head, tail, OdResBuf::newRb(code, OdString(doc.text(t)))); break;
    }
  }
  return head;
}

void dxfWriteXDataChain(DxfOut& out, const OdResBuf* rb) {
  for (; rb; rb = rb->next().get()) {
    const int code = rb->restype();
    if (isPointCode(code)) {
      out.point(code, rb->getPoint3d());
      continue;
    }
    switch (OdResBuf::kindOf(code)) {
      case OdResBuf::kDouble: out.w.real(code, rb->getDouble()); break;
      case OdResBuf::kInt16:
      case OdResBuf::kInt32: out.w.integer(code, rb->getInt64()); break;
      case OdResBuf::kHandle: out.w.handle(code, rb->getHandle().value()); break;
      case OdResBuf::kBinary: out.w.text(code, rb->getString()); break;
      default: out.str(code, rb->getString()); break;
    }
  }
}

OdResBufPtr dxfTakeDimVars(const OdResBuf* chain, bool acad, const OdDbDatabase* db, DxfDimVarItems& items) {
  OdResBufPtr head, tail;
  auto keep = [&](const OdResBuf* rb) {
    OdResBufPtr c = OdResBuf::newRb(rb->restype());
    *c = *rb;
    c->setNext(OdResBufPtr());
    appendRb(head, tail, c);
  };
  if (!acad) {
    for (const OdResBuf* rb = chain; rb; rb = rb->next().get()) {
      const OdResBuf* value = rb->next().get();
      if (rb->restype() != 1000 || !value) continue;
      if (auto index = OdDbDimVars::indexOf(rb->getString())) {
        try {
          items.emplace_back(*index, valueOf(*index, *value, db));
        } catch (const OdError&) {
          // A value of the wrong kind: the variable keeps its value.
        }
      }
      rb = value;
    }
    return head;
  }
  bool inDstyle = false;
  for (const OdResBuf* rb = chain; rb; rb = rb->next().get()) {
    if (!inDstyle) {
      keep(rb);
      if (rb->restype() == 1000 && rb->getString() == "DSTYLE" && rb->next() && rb->next()->restype() == 1002 &&
          rb->next()->getString() == "{") {
        rb = rb->next().get();
        keep(rb);
        inDstyle = true;
      }
      continue;
    }
    if (rb->restype() == 1002) {  // the closing brace
      keep(rb);
      inDstyle = false;
      continue;
    }
    const OdResBuf* value = rb->next().get();
    if (rb->restype() != 1070 || !value || value->restype() == 1002) {
      keep(rb);
      continue;
    }
    auto index = dxfDimVarByCode(int(rb->getInt64()));
    bool taken = false;
    if (index) {
      try {
        items.emplace_back(*index, valueOf(*index, *value, db));
        taken = true;
      } catch (const OdError&) {
      }
    }
    if (!taken) {
      keep(rb);
      keep(value);
    }
    rb = value;
  }
  return head;
}

void dxfSplitDimVarItems(const DxfDimVarItems& all, DxfVersion version, DxfDimVarItems& withCode,
                         DxfDimVarItems& withoutCode) {
  for (const auto& item : all) {
    if (dxfDimVarHasCode(item.first, version)) {
      withCode.push_back(item);
      // A true colour travels as its nearest index and, exactly, here.
      if (isTrueColour(item.first, item.second)) withoutCode.push_back(item);
    } else {
      withoutCode.push_back(item);
    }
  }
}

void dxfWriteAcadXData(DxfOut& out, const OdResBuf* rest, const DxfDimVarItems& overrides) {
  if (!rest && overrides.empty()) return;
  out.w.text(1001, "ACAD");
  auto pairs = [&] {
    for (const auto& [index, value] : overrides) {
      out.w.integer(1070, OdDbDimVars::describe(index).dxfCode);
      writeValue(out, index, value, false);
    }
  };
  bool written = false, afterDstyle = false;
  for (const OdResBuf* rb = rest; rb; rb = rb->next().get()) {
    OdResBufPtr one = OdResBuf::newRb(rb->restype());
    *one = *rb;
    one->setNext(OdResBufPtr());
    dxfWriteXDataChain(out, one.get());
    // Only the brace right after "DSTYLE" opens the override pairs.
    if (!written && afterDstyle && rb->restype() == 1002 && rb->getString() == "{") {
      written = true;
      pairs();
    }
    afterDstyle = rb->restype() == 1000 && rb->getString() == "DSTYLE";
  }
  if (!written && !overrides.empty()) {
    out.w.text(1000, "DSTYLE");
    out.w.text(1002, "{");
    pairs();
    out.w.text(1002, "}");
  }
}

void dxfWriteQrvDimVars(DxfOut& out, const DxfDimVarItems& items) {
  if (items.empty()) return;
  out.w.text(1001, kDxfDimVarsApp);
  for (const auto& [index, value] : items) {
    out.w.text(1000, OdDbDimVars::describe(index).name);
    writeValue(out, index, value, isTrueColour(index, value));
  }
}
