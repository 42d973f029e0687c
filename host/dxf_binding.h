#pragma once
// Gives the host the drawing file layer, when this build has one.
namespace qrvhost {
// True when a reader and writer were registered.
bool bindDrawingFiles();
}
