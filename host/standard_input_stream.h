#pragma once
// Standard input as a stream that waits for its next bytes through
// hostWaitForInput: a script fed through a pipe (--script -) keeps the
// session's idle work (recovery copies) going while the program feeding it
// is busy elsewhere.
#include <istream>
#include <streambuf>

namespace qrvhost {

class StandardInputStream : public std::istream {
public:
  StandardInputStream();

private:
  class Buffer : public std::streambuf {
  protected:
    int_type underflow() override;

  private:
    char m_bytes[4096];
  };
  Buffer m_buffer;
};

}  // namespace qrvhost
