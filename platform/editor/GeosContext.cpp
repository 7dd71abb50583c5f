#include "GeosContext.h"

GeosContext::GeosContext() : m_handle(GEOS_init_r()) {}

GeosContext::~GeosContext() { GEOS_finish_r(m_handle); }
