#pragma once
// The module's own texts, handed to the host's translation layer at start-up:
// the numbered string table (English and Russian) and the Russian
// translations of English literals that are shown without a string id.
#include <cstddef>

#include "resources.h"

namespace dds::res {

// Sorted by id, ids unique, so the host can search it by halving.
extern const QrStringEntry kStringTable[];
extern const std::size_t kStringTableSize;

// Keyed by (context, English text); the context is empty for literals that
// are not ambiguous.
extern const QrLiteralEntry kLiteralTable[];
extern const std::size_t kLiteralTableSize;

}  // namespace dds::res
