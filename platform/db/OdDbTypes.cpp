#include "OdDbTypes.h"

bool OdDb::isValidLineWeight(int v) {
  static const int kAll[] = {-3, -2, -1, 0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50,
                             53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
  for (int w : kAll)
    if (w == v) return true;
  return false;
}
