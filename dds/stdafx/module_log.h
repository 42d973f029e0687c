#pragma once
// Log lines of the module, with the module source file they come from.
#include "OdResult.h"
#include "host_log.h"
#include "host_result.h"

namespace dds {
inline constexpr const char* kSrcDds = "dds/dds";
inline constexpr const char* kSrcDlgDimStyle = "dds/dlgdimstyle";
inline constexpr const char* kSrcStdafx = "dds/stdafx";
}  // namespace dds

// A failed precondition or a caught database error.
#define DDS_LOG_ERROR(source, text) hostTraceError((source), __LINE__, (text))
#define DDS_LOG_ERROR_CODE(source, code, text) hostTraceError((source), __LINE__, (code), (text))
#define DDS_LOG_WARNING(source, text) hostTraceWarning((source), __LINE__, (text))
// An assertion: logs the expression's text when it does not hold.
#define DDS_ASSERT(source, expr, text) \
  do {                                 \
    if (!(expr)) DDS_LOG_ERROR(source, text); \
  } while (0)
