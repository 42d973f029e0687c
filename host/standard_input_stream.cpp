#include "standard_input_stream.h"

#include <unistd.h>

#include <cerrno>

#include "input_wait.h"

namespace qrvhost {

StandardInputStream::StandardInputStream() : std::istream(nullptr) { rdbuf(&m_buffer); }

StandardInputStream::Buffer::int_type StandardInputStream::Buffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  for (;;) {
    const ssize_t n = hostWaitForInput(STDIN_FILENO) ? ::read(STDIN_FILENO, m_bytes, sizeof m_bytes) : -1;
    if (n > 0) {
      setg(m_bytes, m_bytes, m_bytes + n);
      return traits_type::to_int_type(m_bytes[0]);
    }
    if (n < 0 && errno == EINTR) continue;
    return traits_type::eof();  // the end, or a read that fails ends the script too
  }
}

}  // namespace qrvhost
