// The file format drawings are read from and written in.  The database
// knows only this interface; the layer that knows the format provides it,
// so the database does not depend on the format's code.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class AcDbDatabase;

class DrawingFormat {
 public:
  // The text goes to the sink in pieces; false from the sink stops the
  // writing.
  using Sink = std::function<bool(std::string_view)>;

  virtual ~DrawingFormat() = default;

  // Fills an empty database from a file's text; a malformed text throws
  // DxfError naming the line.
  virtual void read(AcDbDatabase& database, std::string text) const = 0;
  // Fills an empty database with the drawing a new one starts from.
  virtual void readDefault(AcDbDatabase& database) const = 0;
  // False when the sink refused a piece.
  virtual bool write(const AcDbDatabase& database, const Sink& sink) const = 0;

  // The provider installs itself once, when the platform is loaded.
  static void install(const DrawingFormat& format);
  static const DrawingFormat& installed();
};
