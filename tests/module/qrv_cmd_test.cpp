// The module's command object: what QRVInit fills in and how it runs.
#include <gtest/gtest.h>

#include <string>

#include "dds/qrv_cmd.h"

namespace {

int gCalls = 0;
void countCall() { ++gCalls; }

TEST(QrvCmd, FieldsLieInTheFrameworksOrder) {
  const qrvCmd cmd(&countCall, u"x", u"", 0);
  auto at = [&](const void* p) { return static_cast<const char*>(p) - reinterpret_cast<const char*>(&cmd); };
  const std::ptrdiff_t order[] = {at(&cmd.iconIndex),  at(&cmd.bitmapIndex), at(cmd.groupName),
                                  at(cmd.alias),       at(&cmd.description), at(cmd.globalName),
                                  at(cmd.localName),   at(cmd.statusText),   at(&cmd.flags),
                                  at(&cmd.helpContext), at(&cmd.handler)};
  EXPECT_GT(order[0], 0);  // the table of virtual operations comes first
  for (std::size_t i = 1; i < std::size(order); ++i) EXPECT_LT(order[i - 1], order[i]) << i;
  EXPECT_EQ(sizeof cmd.groupName / sizeof cmd.groupName[0], 50u);
  EXPECT_EQ(sizeof cmd.statusText / sizeof cmd.statusText[0], 100u);
}

TEST(QrvCmd, LongNamesAreCutTo49Characters) {
  const std::u16string longName = u"-" + std::u16string(59, u'n');
  const qrvCmd cmd(&countCall, longName.c_str(), u"", 0);
  EXPECT_EQ(std::u16string(cmd.globalName), longName.substr(0, 49));
  EXPECT_EQ(std::u16string(cmd.localName), longName.substr(0, 49));
  // A character outside the basic plane at the cut is left out whole.
  const std::u16string astral = std::u16string(48, u'a') + u"\U0001F4D0";
  const qrvCmd cut(&countCall, astral.c_str(), u"", 0);
  EXPECT_EQ(std::u16string(cut.globalName), std::u16string(48, u'a'));
}

TEST(QrvCmd, ExecuteCallsTheHandlerOrSaysNotImplemented) {
  qrvCmd cmd(&countCall, u"-dimstyle", u"", 0);
  gCalls = 0;
  EXPECT_EQ(cmd.execute(), S_OK);
  EXPECT_EQ(gCalls, 1);
  qrvCmd empty(nullptr, u"-dimstyle", nullptr, 0);
  EXPECT_EQ(empty.execute(), E_NOTIMPL);
  EXPECT_EQ(std::u16string(empty.description), u"");
  const qrvCmd flagged(&countCall, u"-dimstyle", u"", 0x2100000);
  EXPECT_FALSE(flagged.isTransparent());
  EXPECT_TRUE(flagged.isDocumentCommand());
  // Destroying through the framework's type frees the whole object.
  QrCommand* heap = new qrvCmd(&countCall, u"x", u"", 0);
  delete heap;
}

}  // namespace
