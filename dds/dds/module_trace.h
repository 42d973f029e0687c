#pragma once
// The module's failure reports in the host's trace log: a failed
// precondition is written with the expression that failed, e.g.
//   ERROR(80004005) 'RETERRIF3VOID marco, expr: !pAD '
// and the operation ends.
#include "host_log.h"
#include "host_result.h"

// Logs and returns from a function without result when `expr` holds.
#define DDS_RETERRIF3VOID(source, expr)                                                        \
  do {                                                                                         \
    if (expr) {                                                                                \
      hostTraceError(source, __LINE__, E_FAIL, "RETERRIF3VOID marco, expr: " #expr " ");      \
      return;                                                                                  \
    }                                                                                          \
  } while (0)

// Logs and returns `result` when `expr` holds.
#define DDS_RETERRIF(source, expr, result)                                                     \
  do {                                                                                         \
    if (expr) {                                                                                \
      hostTraceError(source, __LINE__, E_FAIL, "RETERRIF marco, expr: " #expr " ");           \
      return result;                                                                           \
    }                                                                                          \
  } while (0)
