// The host context: command registration, question box, help; the command
// factory; editor reactors; wide command texts.
#include <gtest/gtest.h>

#include <memory>

#include "command_factory.h"
#include "editor_reactor.h"
#include "help_topics.h"
#include "host_context.h"
#include "host_error.h"
#include "host_test_support.h"
#include "translation.h"

namespace {

int gRuns = 0;
void handlerA() { ++gRuns; }
void handlerB() {}

class TestCommand : public QrCommand {
public:
  TestCommand(const char16_t* name, void (*h)(), bool transparent = false) : m_transparent(transparent) {
    hostCopyWideBounded(globalName, kQrCmdNameChars, name);
    hostCopyWideBounded(localName, kQrCmdNameChars, name);
    description = u"";
    flags = kQrCmdUndoStep;
    handler = h;
  }
  HRESULT execute() override { return S_OK; }
  bool isTransparent() const override { return m_transparent; }
  bool isDocumentCommand() const override { return true; }

private:
  bool m_transparent;
};

TEST(CommandRegistration, TheHostCopiesWhatItKeeps) {
  ScriptedHost host;
  {
    auto command = std::make_unique<TestCommand>(u"-Тест", &handlerA, true);
    gpQrContext->registerCommand(*command);
  }  // the object is gone; the registration must not point into it
  const HostCommandEntry* e = gpQrContext->findCommand("-тест");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->globalName, "-Тест");
  EXPECT_EQ(e->flags, kQrCmdUndoStep);
  EXPECT_TRUE(e->transparent);
  EXPECT_TRUE(e->documentCommand);
  gRuns = 0;
  e->handler();
  EXPECT_EQ(gRuns, 1);
}

TEST(CommandRegistration, NamesAreUniqueWithoutRegardToCase) {
  ScriptedHost host;
  gpQrContext->registerCommand(TestCommand(u"-dimstyle", &handlerA));
  EXPECT_NO_THROW(gpQrContext->registerCommand(TestCommand(u"-DIMSTYLE", &handlerA)));  // the same again
  EXPECT_THROW(gpQrContext->registerCommand(TestCommand(u"-DimStyle", &handlerB)), HostError);
  EXPECT_THROW(gpQrContext->registerCommand(TestCommand(u"", &handlerB)), HostError);
  EXPECT_THROW(gpQrContext->registerCommand(TestCommand(u"two words", &handlerB)), HostError);
  EXPECT_EQ(gpQrContext->commands().size(), 1u);
  gpQrContext->forgetCommandsFrom(0);
  EXPECT_EQ(gpQrContext->findCommand("-dimstyle"), nullptr);
}

TEST(QuestionBox, OnlyYesAccepts) {
  ScriptedHost host("y\nYES\n_yes\nno\n\n^C\nmaybe\nno\n");
  // y, YES, _yes; no, Enter (the default No), cancel, "maybe" asked again
  // and then no, the end of the script.
  for (int answer : {1, 1, 1, 0, 0, 0, 0, 0}) EXPECT_EQ(gpQrContext->questionBox("Continue?"), answer);
  EXPECT_NE(host.transcript().find("Continue?\n[Yes/No] <No>: y\n"), std::string::npos);
}

TEST(Help, TopicsComeFromTheHelpFolder) {
  TempFolder folder;
  writeText(folder.file("QRV_HELP_DIMSTYLE_NEW.txt"), "New style\nhelp text\n");
  writeText(folder.file("QRV_HELP_DIMSTYLE_NEW.ru.txt"), "Новый стиль\n");
  writeText(folder.file("notes.md"), "not a topic");
  HostServicesOptions options;
  options.helpFolder = folder.path.string();
  ScriptedHost host("", options);
  EXPECT_TRUE(gpQrContext->showHelp("QRV_HELP_DIMSTYLE_NEW"));
  EXPECT_FALSE(gpQrContext->showHelp("QRV_HELP_NOPE"));
  EXPECT_FALSE(gpQrContext->showHelp("../../etc/passwd"));
  EXPECT_FALSE(gpQrContext->showHelp(nullptr));
  EXPECT_EQ(host.transcript(), "New style\nhelp text\nNo help is available for \"QRV_HELP_NOPE\".\n"
                               "No help is available for \"../../etc/passwd\".\nNo help is available for \"\".\n");
  EXPECT_EQ(host.services.help().keys(), std::vector<std::string>{"QRV_HELP_DIMSTYLE_NEW"});
  setHostLanguage(HostLanguage::kRussian);
  EXPECT_EQ(*host.services.help().text("QRV_HELP_DIMSTYLE_NEW"), "Новый стиль\n");
  setHostLanguage(HostLanguage::kEnglish);
}

TEST(CommandFactory, OfferedWithdrawnAndRegistered) {
  ScriptedHost host;
  ICmdFactory* factory = new_ICmdFactory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->registerCommand("DIM", "DimStylesCmd", 0, &handlerA), S_OK);
  EXPECT_EQ(factory->registerCommand("DIM", "DimStylesCmd", 0, &handlerA), S_FALSE);
  EXPECT_EQ(factory->registerCommand("DIM", "DimStylesCmd", 0, &handlerB), E_FAIL);
  EXPECT_EQ(factory->registerCommand("", "X", 0, &handlerB), E_INVALIDARG);
  EXPECT_EQ(factory->registerCommand("DIM", "X", 0, nullptr), E_INVALIDARG);
  factory->release();
  const auto* typed = host.services.commandFactory().findTyped("dimstyle");
  ASSERT_NE(typed, nullptr);
  EXPECT_EQ(typed->function, &handlerA);
  host.services.offerCommandFactory(false);
  EXPECT_EQ(new_ICmdFactory(), nullptr);
}

struct CountingEditorReactor : HostEditorReactor {
  std::vector<std::string> seen;
  void commandWillStart(const OdString& n) override { seen.push_back("start " + n); }
  void commandEnded(const OdString& n) override { seen.push_back("end " + n); }
};

struct ThrowingEditorReactor : HostEditorReactor {
  void commandWillStart(const OdString&) override { throw std::runtime_error("no"); }
};

TEST(EditorReactors, BroadcastReachesEveryReactorInOrder) {
  CapturedLog log;
  ThrowingEditorReactor bad;
  CountingEditorReactor r;
  hostAddEditorReactor(&bad);
  hostAddEditorReactor(&r);
  hostAddEditorReactor(&r);
  EXPECT_EQ(hostEditorReactorCount(), 2u);
  hostBroadcastCommandWillStart("OPM_CHGPROP");
  hostBroadcastCommandEnded("OPM_CHGPROP");
  EXPECT_EQ(r.seen, (std::vector<std::string>{"start OPM_CHGPROP", "end OPM_CHGPROP"}));
  {
    CountingEditorReactor temporary;
    hostAddEditorReactor(&temporary);
  }
  EXPECT_EQ(hostEditorReactorCount(), 2u);  // the dead one left by itself
  hostRemoveEditorReactor(&bad);
  hostRemoveEditorReactor(&r);
  EXPECT_NE(log.text().find("commandWillStart: no"), std::string::npos);
}

TEST(WideText, BoundedCopyNeverSplitsAPair) {
  std::u16string name(60, u'x');
  QrWChar buffer[50];
  hostCopyWideBounded(buffer, 50, name.c_str());
  EXPECT_EQ(hostWideLength(buffer), 49u);
  std::u16string withPair(48, u'a');
  withPair += u"\U0001F600tail";  // a pair at units 48 and 49
  hostCopyWideBounded(buffer, 50, withPair.c_str());
  EXPECT_EQ(hostWideLength(buffer), 48u);
  hostCopyWideBounded(buffer, 50, nullptr);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(hostWideToUtf8(hostUtf8ToWide("-dimstyle Ж \xF0\x9F\x98\x80")), "-dimstyle Ж \xF0\x9F\x98\x80");
  const char16_t lonely[] = {0xD800, u'a', 0};
  EXPECT_EQ(hostWideToUtf8(lonely), "\xEF\xBF\xBD" "a");
}

}  // namespace
