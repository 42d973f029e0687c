// What each kind shows, as pictures written into the build folder
// (preview-kind-N.png, imperial and metric) and compared with the reference
// pictures, and the files DIMPREVIEW and EXPORT write from a script.
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "../shared/run_command.h"
#include "preview_test_support.h"
#include "dlgmodify/style_editor_dialog.h"
#include "headless_backend.h"
#include "stdafx/module_resources.h"
#include "user_input.h"

namespace {

using dds::StylePreview;

bool isPng(const std::string& path) {
  const std::string data = readText(path);
  return data.size() > 8 && data.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0;
}

bool isSvg(const std::string& path) {
  const std::string data = readText(path);
  return data.find("<svg") != std::string::npos && data.find("</svg>") != std::string::npos;
}

// Writes the picture as the viewer gets it (NAME.png in the build folder)
// and compares what was written with its reference.
void expectWrittenLikeReference(const HostPicture& picture, const std::string& name) {
  const std::string path = std::string(DDS_BINARY_DIR) + "/" + name + ".png";
  std::string error;
  ASSERT_TRUE(picture.writePng(path, 480, 0, &error)) << error;
  render::Image written;
  ASSERT_TRUE(render::readPngFile(path, written, &error)) << error;
  expectLikeReference(written, name);
}

struct KindCase {
  int kind;
  std::size_t entities;  // outline and hole included
  std::size_t texts;     // measurement texts and the leader's text
};

TEST(PreviewKinds, EachKindShowsItsEntitiesAndIsWrittenAsAPicture) {
  const KindCase cases[] = {{0, 9, 6}, {1, 5, 3}, {2, 3, 1}, {3, 3, 1}, {4, 3, 1}, {5, 4, 2}, {6, 4, 1}};
  for (OdDb::MeasurementValue m : {OdDb::kEnglish, OdDb::kMetric}) {
    PreviewHost h(m);
    StylePreview preview(h.db);
    for (const KindCase& c : cases) {
      SCOPED_TRACE("kind " + std::to_string(c.kind));
      preview.showStyle(c.kind, h.style("Standard").get());
      EXPECT_EQ(preview.sampleEntities().shown(c.kind).size(), c.entities);
      HostPicturePtr picture = preview.picture();
      ASSERT_NE(picture, nullptr);
      EXPECT_EQ(pictureTexts(*picture).size(), c.texts);
      const std::string name =
          "preview-kind-" + std::to_string(c.kind) + (m == OdDb::kMetric ? "-metric" : "");
      expectWrittenLikeReference(*picture, name);
    }
  }
}

// The editor's preview follows the tolerance method: one picture per
// method of the linear dimensions ("$0" shows them alone).
TEST(PreviewKinds, TheEditorShowsEachToleranceMethod) {
  PreviewHost h(OdDb::kMetric);
  ui::headlessBackend().reset();
  ui::setBackend(nullptr);
  Supp_InitResTranslation(&dds::moduleResources());
  const OdDbObjectId linear = h.addStyle("Standard$0", 2.5);
  dds::StyleEditorDialog editor(h.db);
  editor.prepare(linear);
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    ui::Dialog& page = *d.child(1009);
    ASSERT_TRUE(ui::user::select(d, 1155, 6));
    ASSERT_TRUE(ui::user::select(page, 1147, 2));
    ASSERT_TRUE(ui::user::type(page, 1152, "0.1"));
    ASSERT_TRUE(ui::user::type(page, 1155, "0.05"));
    for (int method = 0; method < 5; ++method) {
      SCOPED_TRACE("method " + std::to_string(method));
      ASSERT_TRUE(ui::user::select(page, 1147, method));
      ui::dispatchPostedMessages();
      HostPicturePtr picture = editor.preview()->picture();
      ASSERT_NE(picture, nullptr);
      const std::string name = "preview-tolerance-" + std::to_string(method);
      expectWrittenLikeReference(*picture, name);
    }
    ASSERT_TRUE(ui::user::click(d, 2));
  });
  EXPECT_EQ(editor.run(nullptr), 2);
  ui::headlessBackend().reset();
}

// The host executable: EXPORT, DIMPREVIEW (typed with its answers on one
// line and at the prompts) and DIMREGEN.
TEST(PreviewHostCommands, ExportAndPreviewFromAScript) {
  const std::string host = std::string(DDS_BINARY_DIR) + "/bin/qrvhost";
  if (!std::filesystem::exists(host)) GTEST_SKIP() << "qrvhost is not built";
  TempFolder folder;
  const std::string script = "EXPORT " + folder.file("drawing.svg") + "\n" +
                             "EXPORT\n" + folder.file("drawing.png") + "\n" +
                             "DIMPREVIEW Standard 0 " + folder.file("all.png") + "\n" +
                             "DIMPREVIEW\n\n3\n" + folder.file("radius.svg") + "\n" +
                             "DIMPREVIEW standard 6 " + folder.file("b.PNG") + "\n" +  // names in any case
                             "DIMPREVIEW Standard 8\n" +
                             "DIMPREVIEW Standard 0 " + folder.file("c.jpg") + "\n" +
                             "DIMPREVIEW Missing\n" +
                             "EXPORT " + folder.file("missing/dir/x.svg") + "\n" +
                             "DIMREGEN\n" +
                             "EXPORT " + folder.file("again.svg") + " extra words\n";
  writeText(folder.file("s.scr"), script);
  const std::string command = host + " --lang en --new --log " + folder.file("trace.log") + " --script " +
                              folder.file("s.scr") + " 2>" + folder.file("err.txt");
  const CommandResult run = runCommandOutput(command);
  const std::string& out = run.out;
  EXPECT_EQ(run.status, 0) << out << readText(folder.file("err.txt"));

  EXPECT_TRUE(isSvg(folder.file("drawing.svg"))) << out;
  EXPECT_TRUE(isPng(folder.file("drawing.png"))) << out;
  EXPECT_TRUE(isPng(folder.file("all.png"))) << out;
  EXPECT_TRUE(isSvg(folder.file("radius.svg"))) << out;
  EXPECT_TRUE(isPng(folder.file("b.PNG"))) << out;
  EXPECT_FALSE(std::filesystem::exists(folder.file("c.jpg"))) << out;
  EXPECT_NE(out.find("Written \"" + folder.file("all.png") + "\"."), std::string::npos) << out;
  EXPECT_NE(out.find("<Standard>: \n"), std::string::npos) << out;  // Enter takes the current style
  expectAllIn(out, {"The kind must be a whole number from 0 to 6.", "No dimension style named \"Missing\".",
                    "The file name must end in .svg or .png.",
                    "Cannot write \"" + folder.file("missing/dir/x.svg") + "\"",
                    "Command: DIMREGEN\n0 dimension(s) recomputed.\n"});
  // Answers typed after the command are shown at their prompts; those the
  // command did not ask for are dropped, and said so.
  EXPECT_NE(out.find("Picture file (.svg, .png or .pdf) or [Layout]: " + folder.file("drawing.svg") + "\n"), std::string::npos);
  EXPECT_NE(out.find("Written \"" + folder.file("again.svg") + "\".\nIgnored: extra words\n"), std::string::npos)
      << out;
}

// DIMREGEN and EXPORT on a drawing with dimensions: the bundled sample.
TEST(PreviewHostCommands, RegenAndExportTheSampleDrawing) {
  const std::string host = std::string(DDS_BINARY_DIR) + "/bin/qrvhost";
  const std::string sample = std::string(DDS_SOURCE_DIR) + "/examples/sample.dxf";
  if (!std::filesystem::exists(host) || !std::filesystem::exists(sample)) GTEST_SKIP() << "no host or sample";
  TempFolder folder;
  writeText(folder.file("s.scr"),
            "DIMREGEN\nEXPORT " + folder.file("sample.png") + "\nEXPORT " + folder.file("sample.pdf") + "\n");
  const std::string command = host + " --lang en --log " + folder.file("trace.log") + " --script " +
                              folder.file("s.scr") + " " + sample + " 2>&1";
  const std::string out = runCommandOutput(command).out;
  const std::size_t at = out.find("Command: DIMREGEN\n");
  ASSERT_NE(at, std::string::npos) << out;
  const int count = std::atoi(out.c_str() + at + std::string("Command: DIMREGEN\n").size());
  EXPECT_GT(count, 0) << out;
  EXPECT_NE(out.find(" dimension(s) recomputed.\n"), std::string::npos) << out;
  EXPECT_TRUE(isPng(folder.file("sample.png"))) << out;

  // The PDF read back by an independent reader: one A4 landscape page whose
  // text is the drawing's (dimension values among it).
  const std::string pdf = readText(folder.file("sample.pdf"));
  ASSERT_EQ(pdf.rfind("%PDF-1.4", 0), 0u) << out;
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  auto run = [](const std::string& command) { return runCommandOutput(command + " 2>&1").out; };
  const std::string info = run("pdfinfo " + folder.file("sample.pdf"));
  EXPECT_NE(info.find(" 1\n", info.find("Pages:")), std::string::npos) << info;
  EXPECT_NE(info.find("842 x 595 pts (A4)"), std::string::npos) << info;
  EXPECT_EQ(info.find("Syntax Error"), std::string::npos) << info;
  const std::string text = run("pdftotext -q " + folder.file("sample.pdf") + " -");
  EXPECT_NE(text.find("Deburr all edges"), std::string::npos) << text;
  // Every stroke and glyph is a path of the page, not a picture of it.
  EXPECT_EQ(pdf.find("/Image"), std::string::npos);
  EXPECT_GT(std::count(pdf.begin(), pdf.end(), '\n'), 1000);
}

}  // namespace
