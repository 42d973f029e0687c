#pragma once
// Helpers of the drawing mapping tests: the facts ezdxf reads from a
// drawing (see make_interop_drawings.py) and their comparison with what
// our database holds.
#include "DxfCodePage.h"
#include "DxfDimVarCodec.h"
#include "DxfDrawingIO.h"
#include "DxfTestSupport.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbDimStyleEntity.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbStub.h"
#include "OdDmUtil.h"
#include "OdStringUtil.h"

#include <cmath>
#include <map>
#include <vector>

#include <cstdlib>

namespace dxftest {

// A JSON string's content (ezdxf keeps \U+ escapes of legacy files; they
// are decoded here, as our reader decodes them), or a number as written.
inline std::string factText(const std::string& json)
{
    return dxfDecodeText(jsonValue(json), DxfCodePage::Utf8);
}

// The record of that name in a symbol table (null when none).
inline OdDbObjectId recordId(const OdDbDatabase&, OdDbObjectId table, const char* name)
{
    OdDbSymbolTablePtr t = table.safeOpenObject();
    return t->getAt(name);
}

// What reading refuses the bytes with ("" when it reads them).
inline std::string readError(const std::string& bytes)
{
    try {
        readDxfDrawingFromBytes(bytes);
    } catch (const OdError& e) {
        return e.what();
    }
    return "";
}

inline std::string recordName(OdDbObjectId id)
{
    OdDbObjectPtr obj = id.openObject();
    auto rec = OdDbSymbolTableRecord::cast(obj.get());
    return rec ? rec->getName() : std::string();
}

// Arrowhead names: ezdxf leaves the underscore of built-in blocks out.
inline std::string arrowKey(std::string name)
{
    if (!name.empty() && name.front() == '_')
        name.erase(0, 1);
    return qrv::foldCase(name);
}

// Whether our value of variable `index` is the fact's value. A style's fact
// is the value under its DIMSTYLE code (`asStyleCode`): an angle there is in
// degrees, which we keep in radians.
inline bool sameAsFact(int index, const OdDbDimVarValue& v, const std::string& json, bool asStyleCode = false)
{
    const std::string text = factText(json);
    switch (OdDbDimVars::describe(index).type) {
    case OdDbDimVarType::kDouble:
        if (asStyleCode && dxfDimVarInDegrees(index))
            return std::abs(std::get<double>(v) - std::get<double>(dxfDimVarFromFile(index, std::stod(text)))) < 1e-12;
        return std::get<double>(v) == std::stod(text);
    case OdDbDimVarType::kString:
        return std::get<OdString>(v) == text;
    case OdDbDimVarType::kBool:
        return (std::get<bool>(v) ? 1 : 0) == std::stoi(text);
    case OdDbDimVarType::kColor:
        return std::get<OdCmColor>(v).colorIndex() == std::stoi(text);
    case OdDbDimVarType::kObjectId: {
        OdDbObjectId id = std::get<OdDbObjectId>(v);
        if (id.isNull())
            return text.empty() || text == "0";
        const std::string name = recordName(id);
        return arrowKey(name) == arrowKey(text) || qrv::equalNoCase(id.getHandle().ascii(), text);
    }
    default:
        return std::get<int>(v) == std::stoi(text);
    }
}

// Compares every fact with the database; gives how many were compared per
// kind. `handles`: also compare style handles.
inline std::map<std::string, int> expectMatchesFacts(const OdDbDatabase& db, const std::vector<Fact>& facts,
                                                     bool handles)
{
    std::map<std::string, int> checked;
    OdDbSymbolTablePtr styles = db.getDimStyleTableId().safeOpenObject();
    for (const Fact& f : facts) {
        const std::string what = f.kind + " " + f.key + " " + f.field + " = " + f.value;
        if (f.kind == "style") {
            OdDbObjectId id = styles->getAt(dxfDecodeText(f.key, DxfCodePage::Utf8));
            if (id.isNull()) {
                ADD_FAILURE() << "no such style: " << what;
                continue;
            }
            OdDbDimStyleTableRecordPtr style = id.safeOpenObject();
            if (f.field == "handle") {
                if (handles) {
                    EXPECT_EQ(style->getDbHandle().ascii(), factText(f.value)) << what;
                }
                continue;
            }
            auto index = OdDbDimVars::indexOf(f.field);
            if (!index)
                continue;  // obsolete variables ezdxf still knows
            EXPECT_TRUE(sameAsFact(*index, style->dimVar(*index), f.value, true)) << what;
            ++checked["style"];
        } else if (f.kind == "header") {
            if (f.key == "$DIMSTYLE") {
                EXPECT_EQ(recordName(db.getDimstyle()), factText(f.value)) << what;
            } else if (f.key == "$MEASUREMENT") {
                EXPECT_EQ(db.getMEASUREMENT(), std::stoi(f.value)) << what;
            } else if (f.key == "$DIMASO") {
                EXPECT_EQ(db.getDIMASO(), std::stoi(f.value)) << what;
            } else if (auto index = OdDbDimVars::indexOf(f.key.substr(1)); index && f.key.rfind("$DIM", 0) == 0) {
                EXPECT_TRUE(sameAsFact(*index, db.dimVar(*index), f.value)) << what;
            } else {
                continue;
            }
            ++checked["header"];
        } else if (f.kind == "entity" || f.kind == "override") {
            OdDbObjectId id = db.getOdDbObjectId(*OdDbHandle::fromAscii(f.key));
            OdDbObjectPtr obj = id.openObject();
            if (!obj) {
                ADD_FAILURE() << "no such entity: " << what;
                continue;
            }
            if (f.kind == "entity") {
                EXPECT_EQ(std::string("\"") + obj->isA()->dxfName() + "\"", f.value) << what;
                EXPECT_EQ(obj->ownerId(), db.getModelSpaceId()) << what;
                ++checked["entity"];
                continue;
            }
            auto ent = OdDbDimStyleEntity::cast(obj.get());
            if (!ent) {
                ADD_FAILURE() << "not a dimension or leader: " << what;
                continue;
            }
            auto index = OdDbDimVars::indexOf(f.field);
            if (!index)
                continue;
            const OdDbDimVarValue* v = ent->dimOverrides().find(*index);
            if (!v) {
                ADD_FAILURE() << "no override: " << what;
                continue;
            }
            EXPECT_TRUE(sameAsFact(*index, *v, f.value)) << what;
            ++checked["override"];
        } else if (f.kind == "audit" && f.key == "error") {
            ADD_FAILURE() << "ezdxf audit: " << f.value;
        }
    }
    return checked;
}

// The number of errors ezdxf's audit found, from a read-back facts file.
inline int auditErrors(const std::vector<Fact>& facts)
{
    for (const Fact& f : facts)
        if (f.kind == "audit" && f.key == "errors")
            return std::stoi(f.value);
    return -1;
}

// Reads `drawing` with ezdxf into facts (empty when ezdxf is missing).
inline std::vector<Fact> ezdxfReadBack(const std::string& python, const std::filesystem::path& drawing)
{
    const std::filesystem::path tsv = drawing.string() + ".tsv";
    std::string command = python + " '" DDS_SOURCE_DIR "/tests/dxf/make_interop_drawings.py' --read-back '" +
                          drawing.string() + "' '" + tsv.string() + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    return readFacts(tsv);
}

// A drawing big enough to be read ahead and to span many pages: lines,
// and every tenth a circle, every 25th a rotated dimension, in model space.
inline std::string bigDrawing(int lines)
{
    OdDbDatabase db(OdDb::kMetric);
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    for (int i = 0; i < lines; ++i) {
        OdDbLinePtr line = OdDbLine::createObject();
        line->setStartPoint({double(i), 0.125 * i, 0});
        line->setEndPoint({double(i) + 1.5, -0.25 * i, 0});
        ms->appendOdDbEntity(line);
        if (i % 10 == 0) {
            OdDbCirclePtr circle = OdDbCircle::createObject();
            circle->setCenter({double(i), 1, 0});
            circle->setRadius(0.5 + i);
            ms->appendOdDbEntity(circle);
        }
        if (i % 25 == 0) {
            OdDbRotatedDimensionPtr dim = OdDbRotatedDimension::createObject();
            dim->setXLine1Point({double(i), 0, 0});
            dim->setXLine2Point({double(i) + 10, 0, 0});
            dim->setDimLinePoint({double(i), 5, 0});
            dim->setDimensionStyle(db.getDimStyleStandardId());
            dim->setDimtxt(0.5 + i / 1000.0);
            ms->appendOdDbEntity(dim);
        }
    }
    return writeDxfDrawingToBytes(db, DxfVersion::R2018);
}

// An environment variable set for as long as it lives.
struct EnvForced {
    EnvForced(const char* name, const char* value) : name(name) { ::setenv(name, value, 1); }
    ~EnvForced() { ::unsetenv(name); }
    const char* name;
};

} // namespace dxftest
