// The picture writer, a library of its own: librsvg and cairo bring some
// fifty libraries with them, so the host loads this only when a PNG image
// or a PDF plot is asked for.
#include <cairo-pdf.h>
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <memory>
#include <string>

namespace {

struct HandleRelease {
  void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
};
struct SurfaceRelease {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextRelease {
  void operator()(cairo_t* context) const { cairo_destroy(context); }
};

std::string takeMessage(GError* failure) {
  const std::string message = failure != nullptr && failure->message != nullptr ? failure->message : "unknown error";
  if (failure != nullptr) g_error_free(failure);
  return message;
}

// Draws the picture over the whole surface.
bool draw(const std::string& svg, cairo_surface_t* surface, double width, double height, std::string& error) {
  GError* failure = nullptr;
  std::unique_ptr<RsvgHandle, HandleRelease> handle(
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &failure));
  if (!handle) {
    error = "the picture cannot be read: " + takeMessage(failure);
    return false;
  }
  std::unique_ptr<cairo_t, ContextRelease> context(cairo_create(surface));
  const RsvgRectangle viewport{0.0, 0.0, width, height};
  if (!rsvg_handle_render_document(handle.get(), context.get(), &viewport, &failure)) {
    error = "the picture cannot be drawn: " + takeMessage(failure);
    return false;
  }
  return true;
}

}  // namespace

extern "C" bool spatiaryWritePng(const std::string& svg, int width, int height, const std::string& path,
                                 std::string& error) {
  std::unique_ptr<cairo_surface_t, SurfaceRelease> surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (!draw(svg, surface.get(), width, height, error)) return false;
  if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

extern "C" bool spatiaryWritePdf(const std::string& svg, double widthMm, double heightMm, const std::string& path,
                                 std::string& error) {
  constexpr double kPointsPerMm = 72.0 / 25.4;
  const double width = widthMm * kPointsPerMm, height = heightMm * kPointsPerMm;
  std::unique_ptr<cairo_surface_t, SurfaceRelease> surface(cairo_pdf_surface_create(path.c_str(), width, height));
  if (!draw(svg, surface.get(), width, height, error)) return false;
  cairo_surface_finish(surface.get());
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
