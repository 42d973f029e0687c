#pragma once
// Result codes of host and module operations, in the Windows style that the
// module's workers and the host framework exchange.
#include <cstdint>

using HRESULT = std::int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;  // nothing to do
constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004u);       // the user declined
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);        // failure
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);  // a missing or bad argument
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);     // no handler

constexpr bool hostSucceeded(HRESULT hr) { return hr >= 0; }
