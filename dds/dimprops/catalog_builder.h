#pragma once
// What the catalogue's parts share: the entity class short names, the
// switches that say "On"/"Off", and the builder that makes the prototypes.
#include <vector>

#include "dimprops/dim_accessors_units.h"
#include "dimprops/style_name_properties.h"

// Switches that say "On"/"Off" rather than "Yes"/"No".
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_DIMLINE1> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_DIMLINE2> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_EXTLINE1> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_EXTLINE2> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_RAD_EXTLINE> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_EXTLINE_FIXED> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_DIMLINE_INSIDE> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_DIMLINE_FORCED> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_TEXT_INSIDE> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_TEXT_INSIDE_ALIGN> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_TEXT_OUTSIDE_ALIGN> = true;

namespace dds::catalog {

using All = OdDbDimension;
using Al = OdDbAlignedDimension;
using Ro = OdDbRotatedDimension;
using Arc = OdDbArcDimension;
using Dia = OdDbDiametricDimension;
using Rad = OdDbRadialDimension;
using A2L = OdDb2LineAngularDimension;
using A3P = OdDb3PointAngularDimension;
using Jog = QrHugeRadius;
using Ldr = OdDbLeader;

class Builder {
public:
  explicit Builder(std::vector<IOdPropertyFactory*>& out) : m_out(out) {}

  // One prototype per class, with an accessor template over the class.
  template <template <class, class, class> class Kind, class Tag, template <class> class Acc, class... Es>
  void rows(const char* name) {
    (push(new Kind<Es, Tag, Acc<Es>>(name)), ...);
  }
  // One prototype, with an accessor made for one class.
  template <template <class, class, class> class Kind, class Tag, class Acc, class E>
  void row(const char* name) {
    push(new Kind<E, Tag, Acc>(name));
  }
  template <class P>
  void add(const char* name) {
    push(new P(name));
  }

private:
  void push(IOdPropertyFactory* p) {
    p->addRef();  // the reactor's reference, for as long as the module runs
    m_out.push_back(p);
  }
  std::vector<IOdPropertyFactory*>& m_out;
};

// The parts, in registration order.
void addGeneralMiscAndLines(Builder& c);
void addTextAndFit(Builder& c);
void addPrimaryAndAlternateUnits(Builder& c);
void addTolerancesStylesAndLeader(Builder& c);

}  // namespace dds::catalog
