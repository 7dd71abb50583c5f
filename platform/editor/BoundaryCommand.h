// The host's BOUNDARY command: pick points inside regions (or a window
// round a whole floor) and each enclosed region becomes a closed light
// polyline on the current layer.
#pragma once

class BoundaryCommand {
 public:
  static void run();
};
