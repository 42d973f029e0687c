#pragma once
// Small enumerations shared across the database.
#include <cstdint>
#include <vector>

using OdInt8 = std::int8_t;
using OdUInt8 = std::uint8_t;
using OdInt16 = std::int16_t;
using OdUInt16 = std::uint16_t;
using OdInt32 = std::int32_t;
using OdUInt32 = std::uint32_t;
using OdInt64 = std::int64_t;
using OdUInt64 = std::uint64_t;

namespace OdDb {

enum OpenMode { kNotOpen = -1, kForRead = 0, kForWrite = 1, kForNotify = 2 };

// Lineweights in hundredths of a millimetre, with the three logical values.
enum LineWeight : OdInt16 {
  kLnWt000 = 0, kLnWt005 = 5, kLnWt009 = 9, kLnWt013 = 13, kLnWt015 = 15,
  kLnWt018 = 18, kLnWt020 = 20, kLnWt025 = 25, kLnWt030 = 30, kLnWt035 = 35,
  kLnWt040 = 40, kLnWt050 = 50, kLnWt053 = 53, kLnWt060 = 60, kLnWt070 = 70,
  kLnWt080 = 80, kLnWt090 = 90, kLnWt100 = 100, kLnWt106 = 106, kLnWt120 = 120,
  kLnWt140 = 140, kLnWt158 = 158, kLnWt200 = 200, kLnWt211 = 211,
  kLnWtByLayer = -1, kLnWtByBlock = -2, kLnWtByLwDefault = -3,
};

// The standard widths, thinnest first (the logical values not included).
const std::vector<LineWeight>& standardLineWeights();
// True when v is one of the values above; files and users may hand us others.
bool isValidLineWeight(int v);

enum MeasurementValue { kEnglish = 0, kMetric = 1 };

}  // namespace OdDb
