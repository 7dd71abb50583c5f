// A GEOS context of one's own (the reentrant API), and owners for the
// geometries it makes.
#pragma once
#include <geos_c.h>

#include <memory>

class GeosContext {
 public:
  GeosContext();
  ~GeosContext();
  GeosContext(const GeosContext&) = delete;
  GeosContext& operator=(const GeosContext&) = delete;

  GEOSContextHandle_t handle() const { return m_handle; }

  struct Deleter {
    GEOSContextHandle_t handle;
    void operator()(GEOSGeometry* geometry) const { GEOSGeom_destroy_r(handle, geometry); }
  };
  using Geometry = std::unique_ptr<GEOSGeometry, Deleter>;
  Geometry own(GEOSGeometry* geometry) const { return Geometry(geometry, Deleter{m_handle}); }

 private:
  GEOSContextHandle_t m_handle;
};
