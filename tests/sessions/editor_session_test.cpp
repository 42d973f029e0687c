// DIMSTYLE in a scripted qrvhost session: the manager, the New style dialog
// and the editor print themselves and follow the script's lines; a style made
// with New and edited on every page, a child for linear dimensions, a fixed
// text height from the host's text style dialog and a style imported from
// another drawing are saved and read back by ezdxf.
#include <gtest/gtest.h>

#include "session_support.h"

using namespace sessions;

TEST(EditorSessions, NewStylesAndAnImportAreEditedSavedAndReadBackByEzdxf) {
  const auto dir = tempFolder("editor");
  makeDrawing(dir / "in.dxf");
  const Result r = runScript(dir,
            "DIMSTYLE\n"
            "select 1000 Standard\n"
            "press 4\n"
            "type 1006 Arch\n"
            "press OK\n"
            // The editor: Lines is shown first.
            "type 1025 0.75\n"
            "check 1026\n"
            "select 1032 Blue\n"
            "spin 1042 up\n"
            "select 1155 Symbols and arrows\n"
            "select 1044 Open 30\n"
            "select 1046 Dot\n"  // 1046 is also a spin on the hidden Lines page
            "type 1025 1\n"     // refused: Lines is hidden
            "type 1050 3.5\n"
            "press 1057\n"
            "type 1053 1.5\n"
            "type 1064 30\n"
            "select 1155 Text\n"
            "select 1070 red\n"
            "select 1072 Background\n"
            "type 1073 3.25\n"
            "check 1077\n"
            "type 1054 0.8\n"
            "select 1079 At Ext Line 1\n"
            // 1087 is also the label of the Fit page: the visible page wins.
            "press 1087\n"
            "select 1155 Fit\n"
            "press 1092\n"
            "press 1097\n"
            "type 1101 -2\n"
            "check 1104\n"
            "select 1155 Primary units\n"
            "type 1122 ~\n"
            "type 1123 mm\n"
            "check 1126\n"
            "select 1155 #5\n"
            "check 1133\n"
            "press 1146\n"
            // Limits take the frame away again: only "Basic" frames the text.
            "select 1155 Tolerances\n"
            "select 1147 Limits\n"
            "type 1152 0.2\n"
            "type 1155 0.1\n"
            "select 1161 Middle\n"
            "check 1165\n"
            "press 1\n"
            // A child of Standard for linear dimensions, which the drawing's two use.
            "select 1000 Standard\n"
            "press 4\n"
            "select 1010 Linear dimensions\n"
            "press 1\n"
            "press 1\n"
            // Standard's Text page: "..." opens the host's text style dialog,
            // where a wrong height keeps it open; the editor takes the fixed height.
            "select 1000 Standard\n"
            "press 5\n"
            "select 1155 Text\n"
            "press 1068\n"
            "type 102 -1\n"
            "press 1\n"
            "dump\n"
            "type 102 3.5\n"
            "press 1\n"
            "dump\n"
            "press 1\n"
            // "Import styles..." of the list's context menu.
            "menu Import styles...\n"
            "rclick 1000 0\n"
            "type 100 " + (std::filesystem::path(DDS_SOURCE_DIR) / "examples" / "standard.dxf").string() + "\n"
            "press OK\n"
            "select 1022 Company\n"
            "key Space 1022\n"
            "press Import\n"
            "dump\n"
            "press Close\n"
            "SAVEAS\n" + (dir / "out.dxf").string() + "\nQUIT\n",
            (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  // The last dump: the linear child below Standard, the import among the rows.
  expectAllIn(r.out, {"dialog 1000 \"Dimension Style Manager\"", "dialog 1002 \"Creating style\"",
                      "1006 edit enabled visible \"Copy of Standard\"", "dialog 1010 \"Modify dimension style: Arch\"",
                      "page 1002 template 1003 visible", "dialog 9200 \"Text Style\"",
                      "The height must be a number of 0 or more", "1073 edit disabled visible \"3.5\"",
                      "Company: imported", "row 1: indent=1 \"Linear\"",
                      "\"Company\"\n    row 4: indent=1 \"Leader\""});
  // The one refusal: a control of a hidden page.
  const std::size_t refused = r.out.find("*Invalid* the page of control 1025 is hidden");
  EXPECT_TRUE(refused != std::string::npos && refused == r.out.find("*Invalid*") &&
              refused == r.out.rfind("*Invalid*"))
      << r.out;
  // The two rotated dimensions used Standard: they now use its linear child.
  auto db = readDxfDrawing((dir / "out.dxf").string());
  OdDbDimStyleTablePtr t = db->getDimStyleTableId().safeOpenObject();
  ASSERT_FALSE(t->getAt("Standard$0").isNull());
  const auto dims = entitiesOf<OdDbRotatedDimension>(*db);
  ASSERT_EQ(dims.size(), 2u);
  for (const auto& dim : dims) EXPECT_EQ(dim->dimensionStyle(), t->getAt("Standard$0"));

  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string py = ezdxfReport(dir,
            "s = doc.dimstyles.get('Arch').dxf\n"
            "std = doc.dimstyles.get('Standard').dxf\n"
            "print('dli', s.dimdli, 'sd1', s.dimsd1, 'clre', s.dimclre, 'exe', round(s.dimexe - std.dimexe, 6))\n"
            "print('asz', s.dimasz, 'cen', s.dimcen, 'sah', s.dimsah)\n"
            "print('blk1', s.dimblk1, 'blk2', s.dimblk2)\n"
            "print('jog', round(s.dimjogang, 6))\n"  // degrees in the file
            "print('clrt', s.dimclrt, 'tfill', s.dimtfill, 'txt', s.dimtxt, 'gap', s.dimgap, 'just', s.dimjust)\n"
            "print('tih', s.dimtih, 'toh', s.dimtoh, 'tix', s.dimtix, 'tmove', s.dimtmove, 'scale', s.dimscale,"
            " 'upt', s.dimupt)\n"
            "print('post', s.dimpost, 'lfac', s.dimlfac, 'alt', s.dimalt)\n"
            "print('lim', s.dimlim, 'tol', s.dimtol, 'tp', s.dimtp, 'tm', s.dimtm, 'tolj', s.dimtolj, 'tzin', s.dimtzin)\n"
            "print('txt', std.dimtxt, 'height', doc.styles.get('Standard').dxf.height)\n"
            "print(sorted(s.dxf.name for s in doc.dimstyles))\n"
            "print(sorted(d.dxf.dimstyle for d in doc.modelspace().query('DIMENSION')))\n",
            dir / "out.dxf");
  expectAllIn(py, {"errors 0", "dli 0.75 sd1 1 clre 5 exe 0.0005", "asz 3.5 cen -1.5 sah 1", "blk1 _Open30 blk2 _Dot",
                   "jog 30.0", "clrt 1 tfill 1 txt 3.25 gap 0.8 just 1", "tih 0 toh 1 tix 1 tmove 2 scale 2.0 upt 1",
                   "post ~<>mm\\X lfac -1.0 alt 1", "lim 1 tol 0 tp 0.2 tm 0.1 tolj 1 tzin 4", "'Company', 'Company$0'",
                   "['Standard$0', 'Standard$0']", "txt 3.5 height 3.5"});
}
