#pragma once
// The rows the host gives every entity, whatever module (if any) knows its
// class: the General category's Color, Layer, Linetype, Linetype scale and
// Lineweight. The palette model offers them before the factories of the
// document's property manager, so a selection of any mix of entities shows
// at least these rows, and a module's General rows join them.
//
// They behave as a module's rows do: the value combined over the selection,
// a write to every selected entity as one undoable step, entities on locked
// layers left unchanged and counted.
#include <vector>

class IOdPropertyFactory;

// The prototypes, made once and kept for the session, in palette order.
const std::vector<IOdPropertyFactory*>& hostGeneralPropertyFactories();
