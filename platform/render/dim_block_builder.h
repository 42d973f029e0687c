#pragma once
// The dimension geometry builder: draws a dimension's block from its data
// and effective variables. Installing it makes
// OdDbDimension::recomputeDimBlock() build geometry.
class OdDbDimension;

namespace render {

// Installs buildDimBlock as the drawing database's builder; call once at
// start-up (safe to call again).
void installDimBlockBuilder();
// Rebuilds the dimension's block now. The dimension must be open for write
// and in a drawing; errors arrive as OdError.
void buildDimBlock(OdDbDimension* dim);

}  // namespace render
