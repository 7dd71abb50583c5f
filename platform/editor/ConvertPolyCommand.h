// The host's CONVERTPOLY command: light polylines of a selection become
// old-style 2-D polylines (Heavy), or old-style ones light (Light), with
// their layer, colour, linetype, plane, thickness, widths and arcs, in the
// same block.  Curve- and spline-fit polylines stay as they are: a light
// polyline cannot hold their curve.
#pragma once

class ConvertPolyCommand {
 public:
  static void run();
};
