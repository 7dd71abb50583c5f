// What the module does when the host initialises and unloads it.
#pragma once

class CModuleLifecycle {
 public:
  // appPacket: what the host handed to the entry point.
  static void initialise(void* appPacket);
  static void unload();
};
