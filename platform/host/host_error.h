#pragma once
// The exception host services throw when a request cannot be honoured (a
// command name already taken, a document that cannot be closed now).
#include <stdexcept>
#include <string>

#include "host_result.h"

class HostError : public std::runtime_error {
public:
  explicit HostError(const std::string& what, HRESULT code = E_FAIL)
      : std::runtime_error(what), m_code(code) {}
  HRESULT code() const { return m_code; }

private:
  HRESULT m_code;
};
