// `spatiary render DRAWING.dxf OUT.svg|OUT.png|OUT.pdf [options]`: a picture of a drawing's
// model space, without loading the module.
#pragma once

class RenderCommand {
 public:
  // The arguments after "render"; the program's exit status.
  static int run(int argc, char** argv);
  static const char* usage();
};
