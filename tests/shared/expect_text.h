#pragma once
// Checks on printed text: a transcript, a dialog dump, what a reader printed.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

// Every part is somewhere in the text; a missing one is named with the text.
inline void expectAllIn(const std::string& text, std::initializer_list<std::string> parts) {
  for (const std::string& part : parts)
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}
