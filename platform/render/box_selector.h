#pragma once
// Installs the rule by which the command line's W and C answers take
// entities: their pictures against the box (picture_box.h), as the window
// takes them.
namespace render {

void installBoxSelector();

}  // namespace render
