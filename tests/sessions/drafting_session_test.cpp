// Drawing dimensions and leaders in whole qrvhost sessions: what the user
// sees, what the saved drawing holds, and what independent readers (ezdxf,
// LibreCAD) make of it; -dimstyle Apply on what is drawn; and one session in
// Russian, with -dimstyle, DIMSTYLEIMPORT and -LAYER too.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>

#include "OdDbLayerTableRecord.h"
#include "OdDbSymbolTable.h"
#include "session_support.h"

using namespace sessions;

namespace {

// Model space holds two lines meeting at the origin (along X, and at 45
// degrees), a circle of radius 5 at (20,0), an arc of radius 5 at (40,0)
// from 0 to 90 degrees and a parallel copy of the first line.
struct Geometry {
  std::string xLine, diagonal, circle, arc, parallel;
};

Geometry makeGeometry(const std::filesystem::path& path, bool linearChild = false) {
  OdDbDatabase db;
  Geometry g;
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  g.xLine = addLine(ms, {0, 0}, {10, 0});
  g.diagonal = addLine(ms, {0, 0}, {10, 10});
  g.circle = addCircle(ms, {20, 0}, 5);
  g.arc = addArc(ms, {40, 0}, 5, 0, std::numbers::pi / 2);
  g.parallel = addLine(ms, {0, 5}, {10, 5});
  ms.release();
  if (linearChild) {
    // Standard's child for linear dimensions, with larger arrows.
    OdDbDimStyleTablePtr table = db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    OdDbDimStyleTableRecordPtr child = OdDbDimStyleTableRecord::createObject();
    child->setName("Standard$0");
    table->add(child);
    child->setDimasz(0.5);
  }
  writeDxfDrawing(db, path.string());
  return g;
}

// The size of the PDF LibreCAD prints of the drawing (fitted to the page);
// 0 when it fails or writes none.
std::uintmax_t libreCadPdfSize(const std::filesystem::path& drawing) {
  const std::string command = "cd '" + drawing.parent_path().string() +
                              "' && QT_QPA_PLATFORM=offscreen librecad dxf2pdf -a '" + drawing.filename().string() +
                              "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return 0;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(drawing).replace_extension(".pdf"), error);
  return error ? 0 : size;
}

// What ezdxf reads: one line per dimension or leader in drawing order.
std::string ezdxfListing(const std::filesystem::path& dir, const std::filesystem::path& drawing) {
  return ezdxfReport(dir,
            "for e in doc.modelspace().query('DIMENSION ARC_DIMENSION LEADER MTEXT'):\n"
            "    if e.dxftype() == 'MTEXT':\n"
            "        print('MTEXT', e.text)\n"
            "        continue\n"
            "    o = e.get_acad_dstyle(doc.dimstyles.get(e.dxf.dimstyle))\n"
            "    overrides = ' '.join('%s=%g' % (k, v) for k, v in sorted(o.items()) if isinstance(v, float))\n"
            "    if e.dxftype() == 'LEADER':\n"
            "        print('LEADER', e.dxf.dimstyle, len(e.vertices), overrides)\n"
            "        continue\n"
            "    m = e.get_measurement() if e.dxftype() == 'DIMENSION' else 0\n"
            "    # ezdxf projects an aligned length on the X axis unless group 50 says otherwise\n"
            "    m = e.dxf.defpoint2.distance(e.dxf.defpoint3) if e.dimtype == 1 else m\n"
            "    m = m.x if e.dimtype == 6 and e.dxf.dimtype & 64 else m.y if e.dimtype == 6 else m\n"
            "    print(e.dxftype(), e.dimtype, '%.4f' % m, e.dxf.dimstyle, overrides)\n",
            drawing);
}

std::string styleName(OdDbObjectId id) { return OdDbDimStyleTableRecordPtr(id.safeOpenObject())->getName(); }

}  // namespace

TEST(DraftingSessions, EveryKindIsDrawnSavedAndReadBackByBothReaders) {
  const auto dir = tempFolder("drafting-kinds");
  const Geometry g = makeGeometry(dir / "in.dxf");
  const auto out = dir / "out.dxf";
  const Result r = runScript(dir, "DIMLINEAR 0,0 @10,4 5,8\n"          // horizontal by its location: 10
                                  "DIMLINEAR 0,0 10,4\nV\n14,2\n"      // vertical by choice: 4
                                  "DIMLINEAR\n\n" + g.diagonal + "\nR\n45\n@2<135\n"  // a line, rotated: 14.1421
                                  "DIMALIGNED 0,0 3,4 0,5\n"           // 5
                                  "DIMRADIUS\n" + g.circle + "\n30,0\n"  // 5
                                  "DIMDIAMETER\n" + g.circle + "\nT\n<> typ.\n20,3\n"  // 10, with a text
                                  "DIMARC\n" + g.arc + "\n47,7\n"      // 5 pi / 2 = 7.8540
                                  "DIMANGULAR\n" + g.xLine + "\n" + g.diagonal + "\n8,3\n"  // 45
                                  "DIMANGULAR\n\n0,0\n5,0\n0,5\n3,3\n"  // 90
                                  "DIMORDINATE 12,7 12,10\n"             // X: 12
                                  "DIMORDINATE 12,7\nY\n16,8\n"          // Y: 7
                                  "LEADER 0,0 5,5 9,9\nU\n8,5\n\nFirst line\nSecond line\n\n"  // a point taken back
                                  "SAVEAS\n" + out.string() + "\n"
                                  "UNDO\n12\nSAVEAS\n" + (dir / "undone.dxf").string() + "\nQUIT\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  // Each command was one step; undoing them all leaves the drawing as it was.
  for (const char* step : {"DIMLINEAR", "DIMALIGNED", "DIMRADIUS", "DIMDIAMETER", "DIMARC", "DIMANGULAR",
                           "DIMORDINATE", "LEADER"})
    EXPECT_TRUE(contains(r.out, std::string("Undone: ") + step)) << step;
  EXPECT_FALSE(contains(r.out, "Nothing to undo.")) << r.out;
  auto undone = readDxfDrawing((dir / "undone.dxf").string());
  EXPECT_EQ(modelSpace(*undone).size(), 5u);
  expectAllIn(r.out, {"Dimension text = 10.0000", "Dimension text = 4.0000", "Dimension text = 14.1421",
                      "Dimension text = 5.0000", "Dimension text = 7.8540", "Dimension text = 45",
                      "Dimension text = 90", "Dimension text = 12.0000", "Dimension text = 7.0000"});
  EXPECT_FALSE(contains(r.out, "Invalid")) << r.out;

  auto db = readDxfDrawing(out.string());
  const auto dims = entitiesOf<OdDbDimension>(*db);
  ASSERT_EQ(dims.size(), 11u);
  const double expected[] = {10, 4, 10 * std::sqrt(2.0), 5, 5, 10, 5 * std::numbers::pi / 2,
                             std::numbers::pi / 4, std::numbers::pi / 2, 12, 7};
  for (std::size_t i = 0; i < dims.size(); ++i) {
    EXPECT_NEAR(dims[i]->getMeasurement(), expected[i], 1e-9) << i;
    EXPECT_EQ(styleName(dims[i]->dimensionStyle()), "Standard") << i;
    // The geometry was built when the dimension was made.
    EXPECT_FALSE(dims[i]->dimBlockId().isNull()) << i;
  }
  EXPECT_EQ(dims[5]->dimensionText(), "<> typ.");
  const auto leaders = entitiesOf<OdDbLeader>(*db);
  ASSERT_EQ(leaders.size(), 1u);
  EXPECT_EQ(leaders[0]->numVertices(), 3);
  EXPECT_EQ(leaders[0]->vertexAt(2), OdGePoint3d(8, 5));
  OdDbMTextPtr note = OdDbMText::cast(leaders[0]->annotationObjId().openObject());
  ASSERT_TRUE(note);
  EXPECT_EQ(note->contents(), "First line\\PSecond line");

  if (std::system("command -v librecad >/dev/null 2>&1") == 0) {
    // LibreCAD reads every kind: it prints the drawing, and the dimensions
    // and the leader add to what it prints of the drawing without them.
    const std::uintmax_t drafted = libreCadPdfSize(out), bare = libreCadPdfSize(dir / "undone.dxf");
    EXPECT_GT(bare, 0u);
    EXPECT_GT(drafted, bare + bare / 4);
  }
  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string listing = ezdxfListing(dir, out);
  EXPECT_TRUE(contains(listing, "errors 0")) << listing;
  expectAllIn(listing, {"DIMENSION 0 10.0000 Standard", "DIMENSION 0 4.0000 Standard", "DIMENSION 0 14.1421 Standard",
                        "DIMENSION 1 5.0000 Standard", "DIMENSION 4 5.0000 Standard", "DIMENSION 3 10.0000 Standard",
                        "ARC_DIMENSION", "DIMENSION 2 45.0000 Standard", "DIMENSION 5 90.0000 Standard",
                        "DIMENSION 6 12.0000 Standard", "DIMENSION 6 7.0000 Standard", "LEADER Standard 3",
                        "MTEXT First line\\PSecond line"});
}

TEST(DraftingSessions, NewDimensionsTakeTheChildStyleAndTheCurrentValuesAsOverridesAndApplyGivesThemToAll) {
  const auto dir = tempFolder("drafting-child");
  const Geometry g = makeGeometry(dir / "in.dxf", true);
  const auto out = dir / "out.dxf";
  const auto applied = dir / "applied.dxf";
  // Then -dimstyle Apply gives the current values to what is there already.
  const Result r = runScript(dir, "DIMTXT\n0.3\nDIMLINEAR 0,0 10,0 5,3\nDIMRADIUS\n" + g.circle +
                                  "\n30,0\nLEADER 0,0 5,5\n\n\nSAVEAS\n" + out.string() +
                                  "\nDIMASZ\n0.3\nDIMCLRD\n1\n-dimstyle\nA\nALL\n\nSAVEAS\n" + applied.string() +
                                  "\nQUIT\nY\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  auto db = readDxfDrawing(out.string());
  const auto dims = entitiesOf<OdDbDimension>(*db);
  ASSERT_EQ(dims.size(), 2u);
  // The linear dimension uses the child with its arrows; the radius, which
  // has no child, the current style; both the changed text height.
  EXPECT_EQ(styleName(dims[0]->dimensionStyle()), "Standard$0");
  EXPECT_DOUBLE_EQ(dims[0]->dimasz(), 0.5);
  EXPECT_EQ(styleName(dims[1]->dimensionStyle()), "Standard");
  EXPECT_DOUBLE_EQ(dims[1]->dimasz(), 0.18);
  for (const auto& d : dims) {
    EXPECT_DOUBLE_EQ(d->dimtxt(), 0.3);
    EXPECT_EQ(d->dimOverrides().items().size(), 1u);
  }
  const auto leaders = entitiesOf<OdDbLeader>(*db);
  ASSERT_EQ(leaders.size(), 1u);
  EXPECT_TRUE(leaders[0]->annotationObjId().isNull());
  EXPECT_DOUBLE_EQ(leaders[0]->dimtxt(), 0.3);
  // Applied: every dimension and the leader carry the current values, as
  // overrides of their own styles; the other entities are passed over.
  expectAllIn(r.out, {"Select objects"});
  auto after = readDxfDrawing(applied.string());
  std::vector<OdDbDimStyleEntityPtr> users;
  for (const auto& d : entitiesOf<OdDbDimension>(*after)) users.push_back(d);
  for (const auto& l : entitiesOf<OdDbLeader>(*after)) users.push_back(l);
  ASSERT_EQ(users.size(), 3u);
  for (const auto& e : users) {
    EXPECT_DOUBLE_EQ(e->dimasz(), 0.3);
    EXPECT_DOUBLE_EQ(e->dimtxt(), 0.3);
    EXPECT_EQ(e->dimclrd(), OdCmColor::fromIndex(1));
  }
  EXPECT_EQ(users[2]->dimOverrides().items().size(), 3u);

  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  expectAllIn(ezdxfListing(dir, out), {"DIMENSION 0 10.0000 Standard$0 dimtxt=0.3",
                                       "DIMENSION 4 5.0000 Standard dimtxt=0.3", "LEADER Standard 2 dimtxt=0.3"});
  expectAllIn(ezdxfListing(dir, applied), {"errors 0", "DIMENSION 0 10.0000 Standard$0 dimasz=0.3 dimtxt=0.3",
                                           "DIMENSION 4 5.0000 Standard dimasz=0.3 dimtxt=0.3",
                                           "LEADER Standard 2 dimasz=0.3 dimtxt=0.3"});
}

TEST(DraftingSessions, BadInputIsRefusedAndEachDimensionIsOneUndoStep) {
  const auto dir = tempFolder("drafting-bad");
  const Geometry g = makeGeometry(dir / "in.dxf");
  const auto out = dir / "out.dxf";
  const Result r = runScript(dir, "DIMLINEAR\n1;2\n@3,4\n0,0\n0,0\n"  // unreadable, then two equal points
                                  "DIMRADIUS\n" + g.xLine + "\n" + g.arc + "\n40,0\n"  // a line, then the centre
                                  "DIMANGULAR\n" + g.xLine + "\n" + g.parallel + "\n"  // parallel lines
                                  "DIMLINEAR 0,0 0,10\nH\n5,12\n"                      // the width of a vertical pair
                                  "SWITCH\n\n"                                          // nothing changed so far
                                  "DIMALIGNED 0,0 10,0 5,2\nDIMRADIUS\n" + g.circle + "\n26,0\n"
                                  "ERASE\n" + g.circle + "\n\n"
                                  "UNDO\n2\n"
                                  // a dimension too large to build: nothing is left of it
                                  "SETVAR\nDIMSCALE\n1e308\nDIMLINEAR 0,0 10,0 5,5\nUNDO\n1\n"
                                  "SAVEAS\n" + out.string() + "\nQUIT\nY\n", (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Specify first extension line origin or <select object>: 1;2\nInvalid point \"1;2\": type x,y, "
                      "@dx,dy or @distance<angle.\nSpecify first extension line origin or <select object>: @3,4\n"
                      "\"@3,4\" is relative, but no point was given yet.\n",
                      "The two points are the same; no dimension is drawn.",
                      "The object is not an arc or circle.\nSelect arc or circle: ",
                      "The location is the centre; no dimension is drawn.",
                      "The lines are parallel, they make no angle; no dimension is drawn.",
                      "The measured length is zero; no dimension is drawn.", "1 object(s) erased.", "Undone: ERASE",
                      "Undone: DIMRADIUS", "The command DIMLINEAR failed", "Undone: SETVAR",
                      "  1 * in.dxf\nEnter number"});
  EXPECT_FALSE(contains(r.out, "Undone: DIMANGULAR")) << r.out;  // refused commands made no step
  EXPECT_TRUE(contains(r.out, "Enter file name <" + (dir / "in.dxf").string() + ">")) << r.out;
  auto db = readDxfDrawing(out.string());
  // Only the aligned dimension stays; the circle is back.
  const auto dims = entitiesOf<OdDbDimension>(*db);
  ASSERT_EQ(dims.size(), 1u);
  EXPECT_TRUE(OdDbAlignedDimension::cast(dims[0]));
  EXPECT_EQ(entitiesOf<OdDbCircle>(*db).size(), 1u);
}

// One Russian session: -dimstyle, DIMSTYLEIMPORT, -LAYER and drafting, where
// Russian local keywords and the English global ones both work.
TEST(DraftingSessions, RussianPromptsAndKeywordsOfStylesLayersAndDimensions) {
  const auto dir = tempFolder("drafting-ru");
  const Geometry g = makeGeometry(dir / "in.dxf");
  const auto out = dir / "out.dxf";
  writeText(dir / "bad.dxf", "0\nSECTION\n2\nHEADER\nnot a group code\n");
  const std::string standard = (std::filesystem::path(DDS_SOURCE_DIR) / "examples" / "standard.dxf").string();
  const Result r = runScript(dir, "DIMTXT\n0.25\n-dimstyle\nСО\nЧертёж\n-dimstyle\nST\n-dimstyle\nВ\nStandard\n"
                                  // An unreadable source, a missing name, one style, then all of them undone.
                                  "DIMSTYLEIMPORT\n" + (dir / "bad.dxf").string() + "\n*\n\n"
                                  "DIMSTYLEIMPORT\n" + standard + "\nНет\n\n"
                                  "DIMSTYLEIMPORT\n" + standard + "\nНет, company-arch\nЗ\n"
                                  "DIMSTYLEIMPORT\n" + standard + "\n*\n_Skip\nU\n"
                                  "-LAYER\nНО\nA,B\nОТ\nA\n_LOck\nB\nЦВ\n3\nA\n\n"
                                  "DIMLINEAR 0,0 10,4\nВ\n14,2\nDIMLINEAR 0,0 10,4\n_Horizontal\n5,8\n"
                                  "DIMRADIUS\n" + g.xLine + "\n" + g.circle + "\nТ\nR<>\n30,0\n"
                                  "LEADER 0,0\n\nSAVEAS\n" + out.string() + "\nНЕТ\nQUIT\nД\n",
                             (dir / "in.dxf").string(), "--lang ru");
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Текущий размерный стиль: \"Чертёж\"",
                      "[АННотативный/СОхранить/Восстановить/СТатус/Переменные/ПРименить/?]<Восстановить>:",
                      "DIMTXT          0.2500               Высота текста", "Текущий размерный стиль: \"Standard\"",
                      "Чертёж, из которого импортировать:", "Существующие стили [Пропустить/Заменить] <Пропустить>:",
                      "не удаётся открыть: line ", "Нет: в исходном чертеже его нет.",
                      "в исходном чертеже нет ни одного из названных стилей", "Company-Arch: импортирован.",
                      "Company-Arch: пропущен, в чертеже он уже есть.", "Отменено: DIMSTYLEIMPORT",
                      "Параметр [?/СОздать/УСтановить/НОвый/ВКл/ОТкл/ЦВет/ТИп/ВЕс/", "Создан слой \"B\".",
                      "Начало первой выносной линии или <выбрать объект>: 0,0",
                      "Положение размерной линии или [Текст/Угол/Горизонтальный/Вертикальный/Повёрнутый]: В",
                      "Текст размера = 4.0000", "Текст размера = 10.0000", "Объект не является дугой или окружностью.",
                      "Текст размера (<> означает измеренное значение) <<>>: R<>",
                      "Следующая точка: \nДля выноски нужны две точки",
                      "Команда: НЕТ\nНеизвестная команда \"НЕТ\"."});
  auto db = readDxfDrawing(out.string());
  const auto dims = entitiesOf<OdDbDimension>(*db);
  ASSERT_EQ(dims.size(), 3u);
  EXPECT_DOUBLE_EQ(dims[0]->getMeasurement(), 4);
  EXPECT_DOUBLE_EQ(dims[1]->getMeasurement(), 10);
  EXPECT_EQ(dims[2]->dimensionText(), "R<>");
  OdDbLayerTablePtr layers = db->getLayerTableId().safeOpenObject();
  OdDbLayerTableRecordPtr a = layers->getAt("A").safeOpenObject(), b = layers->getAt("B").safeOpenObject();
  EXPECT_TRUE(a->isOff());
  EXPECT_EQ(a->color(), OdCmColor::fromIndex(3));
  EXPECT_TRUE(b->isLocked());
  EXPECT_FALSE(b->isOff());
  // The undone import of everything leaves the one before it.
  OdDbDimStyleTablePtr styles = db->getDimStyleTableId().safeOpenObject();
  EXPECT_FALSE(styles->getAt("Company-Arch").isNull());
  EXPECT_TRUE(styles->getAt("Company").isNull());
  EXPECT_EQ(db->getDimstyle(), styles->getAt("Standard"));
}
